// The container panel.
#include "ui/Panel.h"

#include "ui/Form.h"

Panel::~Panel() {
    Destroy();
}

bool Panel::Create(HWND parent, Align align, int width, int height, const std::wstring& caption) {
    const wchar_t* cls = RegisterClassOnce(L"KavetPanel", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    const int dpi = Form::DpiOf(parent);
    if (!CreateWindowOfClass(cls, caption, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                             WS_EX_CONTROLPARENT, 0, 0, ScaleToDpi(width, dpi), ScaleToDpi(height, dpi),
                             parent))
        return false;
    TakeParentFont();
    SetAlign(align);
    return true;
}

void Panel::SetBevel(Bevel bevel) {
    bevel_ = bevel;
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Panel::SetCaptionAlign(CaptionAlign align) {
    captionAlign_ = align;
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        Realign();
        if (OnResize)
            OnResize();
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wp);
        if (LOWORD(lp))
            ::InvalidateRect(Handle(), nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
        const LRESULT result = Control::HandleMessage(msg, wp, lp);
        ::InvalidateRect(Handle(), nullptr, TRUE);
        return result;
    }
    case WM_PAINT:
        Paint();
        return 0;
    default:
        return Control::HandleMessage(msg, wp, lp);
    }
}

void Panel::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    RECT r = ClientRect();
    if (bevel_ != Bevel::None)
        ::DrawEdge(dc, &r, bevel_ == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    const std::wstring caption = Text();
    if (!caption.empty()) {
        HGDIOBJ old = font_ ? ::SelectObject(dc, font_) : nullptr;
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        format |= captionAlign_ == CaptionAlign::Left    ? DT_LEFT
                  : captionAlign_ == CaptionAlign::Right ? DT_RIGHT
                                                         : DT_CENTER;
        ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, format);
        if (old)
            ::SelectObject(dc, old);
    }
    ::EndPaint(Handle(), &ps);
}
