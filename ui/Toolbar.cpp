// Toolbars over the platform's toolbar control.
//
// Sizes: the bar height is common to all buttons (TB_SETBUTTONSIZE); each button's width is set
// on its own (TB_SETBUTTONINFO with TBIF_SIZE), which for a drop-down button includes its arrow.
// Hints: the tooltip control asks the bar's parent for texts with hwndFrom being the tooltip
// itself, so a small wrapper on the tooltip takes those requests back to the bar.
#include "ui/Toolbar.h"

#include <commctrl.h>

#include <algorithm>

class Toolbar::TipRelay : public Window {
public:
    TipRelay(Toolbar& bar, HWND tooltip) : bar_(bar) { Attach(tooltip); }

protected:
    bool HandleReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) override {
        if (msg != WM_NOTIFY)
            return false;
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header->code != TTN_GETDISPINFOW)
            return false;
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
        if (Button* button = bar_.FindById(static_cast<int>(header->idFrom))) {
            text_ = button->desc.Hint.empty() ? button->desc.Caption : button->desc.Hint;
            info->lpszText = text_.data();
            info->hinst = nullptr;
        }
        result = 0;
        return true;
    }

private:
    Toolbar& bar_;
    std::wstring text_;
};

Toolbar::Toolbar() = default;

Toolbar::~Toolbar() {
    tips_.reset();
    Destroy();
}

bool Toolbar::Create(HWND parent, const std::wstring& caption, ImageListHandle glyphs,
                     const std::vector<ToolButtonDesc>& buttons) {
    caption_ = caption;
    glyphs_ = std::move(glyphs);
    const DWORD style = WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                        CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (!CreateChild(TOOLBARCLASSNAMEW, caption, style, 0, parent, 0, 0, 100, 50))
        return false;
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    Send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(glyphs_.Get()));
    if (HWND tooltip = reinterpret_cast<HWND>(Send(TB_GETTOOLTIPS)))
        tips_ = std::make_unique<TipRelay>(*this, tooltip);

    int nextId = 100;
    for (const ToolButtonDesc& desc : buttons)
        buttons_.push_back({desc, nextId++, {}});
    std::vector<TBBUTTON> platform;
    for (Button& b : buttons_) {
        b.shownText = b.desc.Caption;
        TBBUTTON tb{};
        tb.iBitmap = b.desc.Glyph;
        tb.idCommand = b.id;
        tb.fsState = TBSTATE_ENABLED;
        tb.fsStyle = static_cast<BYTE>(BTNS_BUTTON | (b.desc.DropDown ? BTNS_DROPDOWN : 0));
        tb.iString = reinterpret_cast<INT_PTR>(b.shownText.c_str());
        platform.push_back(tb);
    }
    Send(TB_ADDBUTTONSW, platform.size(), reinterpret_cast<LPARAM>(platform.data()));
    Fit();
    return true;
}

std::vector<std::wstring> Toolbar::ButtonNames() const {
    std::vector<std::wstring> names;
    for (const Button& b : buttons_)
        names.push_back(b.desc.Name);
    return names;
}

bool Toolbar::HasButton(const std::wstring& name) const {
    return FindByName(name) != nullptr;
}

Toolbar::Button* Toolbar::FindByName(const std::wstring& name) {
    for (Button& b : buttons_)
        if (b.desc.Name == name)
            return &b;
    return nullptr;
}

const Toolbar::Button* Toolbar::FindByName(const std::wstring& name) const {
    for (const Button& b : buttons_)
        if (b.desc.Name == name)
            return &b;
    return nullptr;
}

Toolbar::Button* Toolbar::FindById(int id) {
    for (Button& b : buttons_)
        if (b.id == id)
            return &b;
    return nullptr;
}

void Toolbar::ApplyText(Button& button) {
    button.shownText = showCaptions_ ? button.desc.Caption : std::wstring();
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = button.shownText.data();
    Send(TB_SETBUTTONINFOW, button.id, reinterpret_cast<LPARAM>(&info));
}

void Toolbar::SetShowCaptions(bool show) {
    showCaptions_ = show;
    Send(TB_SETMAXTEXTROWS, show ? 1 : 0);
    for (Button& b : buttons_)
        ApplyText(b);
    Fit();
}

void Toolbar::SetButtonSize(const std::wstring& name, int width, int height) {
    Button* button = FindByName(name);
    if (!button)
        return;
    // Sent every time: the bar recomputes its button height whenever its texts change.
    height_ = height;
    Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_SIZE;
    info.cx = static_cast<WORD>(width);
    Send(TB_SETBUTTONINFOW, button->id, reinterpret_cast<LPARAM>(&info));
    Fit();
}

SIZE Toolbar::ButtonSize(const std::wstring& name) const {
    const Button* button = FindByName(name);
    if (!button)
        return {0, 0};
    const LRESULT index = Send(TB_COMMANDTOINDEX, button->id);
    RECT r{};
    Send(TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return {r.right - r.left, r.bottom - r.top};
}

std::wstring Toolbar::ButtonHint(const std::wstring& name) const {
    const Button* button = FindByName(name);
    if (!button)
        return {};
    return button->desc.Hint.empty() ? button->desc.Caption : button->desc.Hint;
}

std::wstring Toolbar::ButtonCaption(const std::wstring& name) const {
    const Button* button = FindByName(name);
    return button ? button->shownText : std::wstring();
}

bool Toolbar::ButtonHasDropDown(const std::wstring& name) const {
    const Button* button = FindByName(name);
    if (!button)
        return false;
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE;
    Send(TB_GETBUTTONINFOW, button->id, reinterpret_cast<LPARAM>(&info));
    return (info.fsStyle & BTNS_DROPDOWN) != 0;
}

void Toolbar::SetButtonEnabled(const std::wstring& name, bool enabled) {
    if (const Button* button = FindByName(name))
        Send(TB_ENABLEBUTTON, button->id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool Toolbar::ButtonEnabled(const std::wstring& name) const {
    const Button* button = FindByName(name);
    return button && Send(TB_ISBUTTONENABLED, button->id) != 0;
}

SIZE Toolbar::IdealSize() const {
    SIZE size{0, 0};
    const int count = static_cast<int>(Send(TB_BUTTONCOUNT));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        Send(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        size.cx = std::max(size.cx, r.right);
        size.cy = std::max(size.cy, r.bottom);
    }
    return size;
}

void Toolbar::Fit() {
    const SIZE size = IdealSize();
    const RECT r = WindowRectInParent();
    SetBounds(r.left, r.top, size.cx, size.cy);
    RealignParent();
}

void Toolbar::ClickButton(const std::wstring& name) {
    if (const Button* button = FindByName(name))
        if (ButtonEnabled(name))
            ::SendMessageW(::GetParent(Handle()), WM_COMMAND, MAKEWPARAM(button->id, BN_CLICKED),
                           reinterpret_cast<LPARAM>(Handle()));
}

void Toolbar::DropDownButton(const std::wstring& name) {
    const Button* button = FindByName(name);
    if (!button)
        return;
    NMTOOLBARW notify{};
    notify.hdr.hwndFrom = Handle();
    notify.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(Handle()));
    notify.hdr.code = TBN_DROPDOWN;
    notify.iItem = button->id;
    ::SendMessageW(::GetParent(Handle()), WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

bool Toolbar::HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND) {
        Button* button = FindById(LOWORD(wp));
        if (!button)
            return false;
        if (button->desc.OnClick)
            button->desc.OnClick();
        result = 0;
        return true;
    }
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == TBN_DROPDOWN) {
        auto* notify = reinterpret_cast<NMTOOLBARW*>(lp);
        Button* button = FindById(notify->iItem);
        if (!button)
            return false;
        if (button->desc.OnDropDown) {
            RECT r{};
            Send(TB_GETRECT, button->id, reinterpret_cast<LPARAM>(&r));
            POINT corner{r.left, r.bottom};
            ::ClientToScreen(Handle(), &corner);
            button->desc.OnDropDown(corner);
        }
        result = TBDDRET_DEFAULT;
        return true;
    }
    return false;
}
