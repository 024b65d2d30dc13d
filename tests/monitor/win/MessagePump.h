// Helpers for tests that need the user-interface thread's message loop and a view of the process's
// open handles and threads.
#pragma once

#include <functional>

// Runs the message loop until the condition holds or the time is up; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, unsigned timeoutMs);
// Runs the message loop for the given time.
void PumpFor(unsigned ms);

// Open handles of this process, found by probing handle values (the platform's own count is not
// available everywhere).
int OpenHandleCount();
// Threads of this process.
int ThreadCount();

// True under Wine, whose change notifications do not reach into subfolders.
bool RunningUnderWine();
