// The one conversion from a path as the program holds it to the form handed to the file-system
// calls: unchanged while short, the "\\?\" extended-length form once it nears the old 260-character
// limit, so that a file in a deep folder is reached whole rather than through a cut path.
#pragma once

#include <string>

std::wstring ApiPath(const std::wstring& path);
