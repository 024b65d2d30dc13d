// The system's dialogs for choosing one existing file or one folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The full path of the file chosen, or nothing when the dialog was cancelled.
std::optional<std::wstring> AskOpenFile(HWND owner, const std::wstring& title, const std::wstring& folder);
// The full path of the folder chosen, the dialog opening on `folder`; nothing when it was cancelled.
std::optional<std::wstring> AskFolder(HWND owner, const std::wstring& title, const std::wstring& folder);
