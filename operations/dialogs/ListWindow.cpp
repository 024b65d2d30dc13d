// The list windows' frame and layout.
#include "operations/dialogs/ListWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kLabelHeight = 16;

} // namespace

ListWindow::ListWindow(HWND owner, const std::wstring& fontName, const std::wstring& caption, SIZE client,
                       SIZE minClient, const std::wstring& countLine) {
    Create(caption, 0, 0, client.cx, client.cy,
           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, owner);
    SetFontName(fontName);
    CenterOnOwner();
    // Below this the list no longer shows a row and the buttons overlap.
    SetMinClientSize(minClient.cx, minClient.cy);
    CountLabel.Create(Handle(), countLine, kMargin, kMargin, client.cx - 2 * kMargin, kLabelHeight,
                      Label::TextAlign::Left, false);
    const int listTop = 2 * kMargin + kLabelHeight;
    List.Create(Handle(), kMargin, listTop, client.cx - 2 * kMargin,
                std::max(0, static_cast<int>(client.cy) - listTop - 2 * kMargin - kButtonHeight));
    BtnCopy.Create(Handle(), L"&Copier", 0, 0, kButtonWidth, kButtonHeight);
    BtnClose.Create(Handle(), L"&Fermer", 0, 0, kButtonWidth, kButtonHeight, mrOk, true);
}

void ListWindow::FinishList(std::function<void()> copy) {
    copy_ = std::move(copy);
    BtnCopy.OnClick = [this] { copy_(); };
    for (Window* window : {static_cast<Window*>(this), static_cast<Window*>(&List),
                           static_cast<Window*>(&BtnCopy), static_cast<Window*>(&BtnClose)})
        ListenForCopyKey(*window);
    Layout();
    OnResize = [this] { Layout(); };
    OnShow = [this] { ::SetFocus(List.Handle()); };
}

void ListWindow::ListenForCopyKey(Window& window) {
    window.Listen(WM_KEYDOWN, [this](WPARAM wp, LPARAM, LRESULT& result) {
        if (wp != 'C' || ::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0)
            return false;
        copy_();
        result = 0;
        return true;
    });
}

void ListWindow::Layout() {
    // Children were made at design sizes; from here on everything is in pixels.
    const RECT client = ClientRect();
    const int margin = Scale(kMargin);
    const int buttonWidth = Scale(kButtonWidth);
    const int buttonHeight = Scale(kButtonHeight);
    const int width = std::max(0, static_cast<int>(client.right) - 2 * margin);
    const int buttonsTop = client.bottom - margin - buttonHeight;
    const int listTop = 2 * margin + Scale(kLabelHeight);
    CountLabel.SetBounds(margin, margin, width, Scale(kLabelHeight));
    List.SetBounds(margin, listTop, width, std::max(0, buttonsTop - margin - listTop));
    ListView_SetColumnWidth(List.Handle(), List.ColumnCount() - 1, LVSCW_AUTOSIZE_USEHEADER);
    BtnClose.SetBounds(client.right - margin - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    BtnCopy.SetBounds(client.right - 2 * margin - 2 * buttonWidth, buttonsTop, buttonWidth, buttonHeight);
}

LRESULT ListWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK && lp == 0) {
        // Enter in the list: the dialog keys ask for the default button by its identifier.
        BtnClose.Click();
        return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
}
