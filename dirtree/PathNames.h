// Folder paths against the file system and the shell: whether a path exists, and the display form
// of a path in the letter case the file system stores (the tree keeps upper-cased paths).
#pragma once

#include <string>

// GetFileAttributes succeeds on the path (critical-error dialogs suppressed).
bool PathExists(const std::wstring& path);
// The stored name of the folder path's last component, followed by "\"; the component as given
// when the file system cannot resolve it.
std::wstring GetRealFolderName(const std::wstring& folderPath);
// The shell display name of the folder, followed by "\"; the component as given on failure.
std::wstring GetDisplayFolderName(const std::wstring& folderPath);
// "C:\PROGRA~1\MY APP\" gives "C:\Program Files\My App"; "c:\" gives "C:". With displayNames,
// each folder takes its shell display name instead of its stored name.
std::wstring GetRealPathName(const std::wstring& path, bool displayNames = false);
