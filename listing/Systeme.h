// Facts about the system the program runs on: the font test and the program's own folder.
#pragma once

#include <string>

// True with "/noversion" as the first command-line argument, or on an NT system of version 5 or
// later; the windows then use "Verdana".
bool IsModernSystem();
// The folder of the running program's file, without trailing backslashes.
std::wstring ExecutableFolder();
