// The web link label.
#include "ui/LinkLabel.h"

#include <shellapi.h>

namespace {

LinkLabel::Opener& CurrentOpener() {
    static LinkLabel::Opener opener;
    return opener;
}

void OpenWithShell(const std::wstring& url) {
    ::ShellExecuteW(nullptr, nullptr, url.c_str(), nullptr, nullptr, SW_SHOWNOACTIVATE);
}

} // namespace

void LinkLabel::SetOpener(Opener opener) {
    CurrentOpener() = std::move(opener);
}

bool LinkLabel::Create(HWND parent, const std::wstring& address, int x, int y, int width, int height,
                       const std::wstring& fontFace, int fontHeight) {
    address_ = address;
    if (!Label::Create(parent, address, x, y, width, height, TextAlign::Right, false))
        return false;
    SetOwnFont(fontFace, fontHeight);
    SetTextColor(RGB(0, 0, 255));
    return true;
}

void LinkLabel::Click() {
    const std::wstring url = Url();
    if (CurrentOpener())
        CurrentOpener()(url);
    else
        OpenWithShell(url);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT LinkLabel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETCURSOR) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return Label::HandleMessage(msg, wp, lp);
}

bool LinkLabel::HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == STN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    return Label::HandleReflected(msg, wp, lp, result);
}
