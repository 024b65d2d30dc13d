// Small probes the main-window tests share, beside the shared message pump: reading the rows of the
// file list as the control itself shows them, and catching what the window would report to the user.
#pragma once

#include "ui/ExceptionDisplay.h"
#include "ui/MessageBox.h"
#include "support/win/MessagePump.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

using Names = std::vector<std::wstring>;

// A cell's text as the list shows it (the list asks its owner for it).
inline std::wstring ListItemText(HWND list, int row, int column) {
    wchar_t text[260] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 260;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

// The first column of every row, top to bottom.
inline Names ListNames(HWND list) {
    Names names;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
        names.push_back(ListItemText(list, row, 0));
    return names;
}

// For one test, every error the window would show and every message box it would open (answered
// OK), kept as text: a test that expects none checks that the text stays empty.
class UnexpectedReports {
public:
    UnexpectedReports() {
        SetExceptionSink([this](const std::wstring& text) { text_ += text; });
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            text_ += L"unexpected box: " + request.text;
            return IDOK;
        });
    }
    ~UnexpectedReports() {
        SetMessageBoxAnswerer({});
        SetExceptionSink({});
    }
    UnexpectedReports(const UnexpectedReports&) = delete;
    UnexpectedReports& operator=(const UnexpectedReports&) = delete;

    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};
