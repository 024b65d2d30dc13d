// Message boxes of the program, all through one function so that tests can answer them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT flags = 0;
};

// Shows a message box captioned with the caption, or the application's title when it is empty;
// MB_HELP is supported. Returns the button pressed (IDOK...).
int ShowMessageBox(HWND owner, const std::wstring& text, UINT flags, const std::wstring& caption = {});

// Tests install an answerer that records the request and returns a button; empty restores boxes.
using MessageBoxAnswerer = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);
