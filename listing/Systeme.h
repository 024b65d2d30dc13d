// Facts about the system the program runs on: the font test, the program's own folder, and the
// path form the file-system calls are given.
#pragma once

#include <string>

// True with "/noversion" as the first command-line argument, or on an NT system of version 5 or
// later; the windows then use "Verdana".
bool IsModernSystem();
// The folder of the running program's file, without trailing backslashes.
std::wstring ExecutableFolder();

// A path as handed to the file-system calls: unchanged while short, the "\\?\" extended-length
// form once it nears the old 260-character limit, so that a deep folder or file is reached whole
// rather than through a cut path.
std::wstring ApiPath(const std::wstring& path);
