// The one form in which the program hands a path to the file-system calls.
#pragma once

#include <string>

// A path as handed to the file-system calls:
//  - unchanged while short, the "\\?\" extended-length form once it nears the old 260-character
//    limit, so that a deep folder or file is reached whole rather than through a cut path;
//  - for the 32-bit program on 64-bit Windows, the system folder through its "Sysnative" alias,
//    so that the folder the user named is the one listed, watched and changed, not SysWOW64.
// Only the program's own file calls take this form; loading a library never goes through it.
std::wstring ApiPath(const std::wstring& path);

// The path made absolute against the current folder (and drive), as the system would; the path as
// given when the system cannot.
std::wstring FullPath(const std::wstring& path);
