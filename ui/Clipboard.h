// Text to and from the clipboard, as Unicode text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Replaces the clipboard's contents with the text; false when the clipboard is held elsewhere or
// memory is short.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);
// The clipboard's Unicode text, or nothing when it holds none.
std::optional<std::wstring> ClipboardText(HWND owner);
