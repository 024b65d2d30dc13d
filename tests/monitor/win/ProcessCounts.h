// A view of the process's open handles and threads for the folder monitor's tests, and whether
// they run under Wine.
#pragma once

// Open handles of this process, found by probing handle values (the platform's own count is not
// available everywhere).
int OpenHandleCount();
// Threads of this process.
int ThreadCount();

// True under Wine, whose change notifications do not reach into subfolders.
bool RunningUnderWine();
