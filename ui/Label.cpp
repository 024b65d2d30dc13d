// Labels.
#include "ui/Label.h"

#include "ui/Fonts.h"

bool Label::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height,
                   TextAlign align, bool wordWrap) {
    DWORD style = WS_VISIBLE | SS_NOPREFIX | SS_NOTIFY;
    if (align == TextAlign::Center)
        style |= SS_CENTER;
    else if (align == TextAlign::Right)
        style |= SS_RIGHT;
    else
        style |= wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
    return CreateChild(L"STATIC", caption, style, 0, parent, x, y, width, height);
}

void Label::SetOwnFont(const std::wstring& face, int height, bool bold, bool underline) {
    SetParentFont(false);
    GdiObject font = MakeFont(face, Scaled(height), bold, underline);
    SetFont(static_cast<HFONT>(font.Get()));
    ownFont_ = std::move(font);
}

void Label::FitHeightToText() {
    const std::wstring text = Text();
    RECT need{0, 0, ClientRect().right, 0};
    {
        WindowDC dc(Handle());
        SelectionGuard font(dc.Get(), Font());
        ::DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &need,
                    DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    }
    SetHeight(need.bottom);
}

void Label::SetTextColor(COLORREF color) {
    color_ = color;
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

bool Label::HandleReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC || color_ == CLR_INVALID)
        return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    ::SetTextColor(dc, color_);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    return true;
}
