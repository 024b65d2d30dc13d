// The system's dialog for choosing one existing file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The full path of the file chosen, or nothing when the dialog was cancelled.
std::optional<std::wstring> AskOpenFile(HWND owner, const std::wstring& title, const std::wstring& folder);
