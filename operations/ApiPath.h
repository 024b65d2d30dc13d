// The one conversion from a path as the program holds it to the form handed to the file-system
// calls: unchanged while short, the "\\?\" extended-length form once it nears the old 260-character
// limit, so that a file in a deep folder is reached whole rather than through a cut path.
#pragma once

#include <string>

std::wstring ApiPath(const std::wstring& path);

// The folder at `folder` spelt in the letter case its file system stores, without a trailing
// separator; the path as given when the folder cannot be opened or resolves to another path
// (a link, a substituted drive). A file system that tells letter case apart (Wine on Linux) then
// finds each path at once instead of searching every folder along it.
std::wstring StoredCaseFolder(const std::wstring& folder);
