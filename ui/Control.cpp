// Alignment, sizes and font inheritance of the toolkit's child controls.
#include "ui/Control.h"

#include "ui/Form.h"

#include <algorithm>
#include <vector>

namespace {

unsigned NextOrder() {
    static unsigned counter = 0;
    return ++counter;
}

} // namespace

Control::Control() : order_(NextOrder()) {}

void Control::SetAlign(Align align) {
    align_ = align;
    RealignParent();
}

int Control::Dpi() const {
    return Form::DpiOf(Handle());
}

int Control::Scaled(int designLength) const {
    return ScaleToDpi(designLength, Dpi());
}

int Control::Width() const {
    const RECT r = WindowRectInParent();
    return r.right - r.left;
}

int Control::Height() const {
    const RECT r = WindowRectInParent();
    return r.bottom - r.top;
}

void Control::SetWidth(int width) {
    if (!HandleAllocated())
        return;
    const RECT r = WindowRectInParent();
    SetBounds(r.left, r.top, std::max(0, width), r.bottom - r.top);
    RealignParent();
}

void Control::SetHeight(int height) {
    if (!HandleAllocated())
        return;
    const RECT r = WindowRectInParent();
    SetBounds(r.left, r.top, r.right - r.left, std::max(0, height));
    RealignParent();
}

void Control::SetShown(bool shown) {
    if (Visible() == shown)
        return;
    SetVisible(shown);
    RealignParent();
}

void Control::RealignParent() const {
    if (!HandleAllocated() || align_ == Align::None)
        return;
    RealignChildren(::GetParent(Handle()));
}

void Control::RealignChildren(HWND container) {
    if (!container)
        return;
    std::vector<Control*> children;
    for (HWND child = ::GetWindow(container, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* control = dynamic_cast<Control*>(Window::FromHandle(child));
        if (control && control->align_ != Align::None && control->Visible())
            children.push_back(control);
    }
    std::sort(children.begin(), children.end(), [](Control* a, Control* b) { return a->order_ < b->order_; });

    std::vector<LayoutRequest> requests;
    for (Control* c : children) {
        const RECT r = c->WindowRectInParent();
        requests.push_back({c->align_, {r.left, r.top, r.right, r.bottom}});
    }
    RECT client{};
    ::GetClientRect(container, &client);
    const std::vector<LayoutRect> boxes =
        ArrangeAligned({client.left, client.top, client.right, client.bottom}, requests);
    for (size_t i = 0; i < children.size(); ++i) {
        const LayoutRect& b = boxes[i];
        if (!(b == requests[i].current))
            children[i]->SetBounds(b.left, b.top, b.Width(), b.Height());
    }
}

bool Control::CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                          HWND parent, int x, int y, int width, int height) {
    const int dpi = Form::DpiOf(parent);
    if (!CreateControl(className, text, style | WS_CHILD, exStyle, ScaleToDpi(x, dpi), ScaleToDpi(y, dpi),
                       ScaleToDpi(width, dpi), ScaleToDpi(height, dpi), parent))
        return false;
    TakeParentFont();
    return true;
}

void Control::TakeParentFont() {
    if (!HandleAllocated() || !parentFont_)
        return;
    HWND parent = ::GetParent(Handle());
    if (HFONT font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)))
        SetFont(font);
}
