// The splitter bar.
#include "ui/Splitter.h"

#include "ui/Form.h"

#include <windowsx.h>

#include <algorithm>

Splitter::~Splitter() {
    Destroy();
}

bool Splitter::Create(HWND parent, Align align, int thickness) {
    const wchar_t* cls = RegisterClassOnce(L"KavetSplitter");
    const bool vertical = align == Align::Left || align == Align::Right;
    const int scaled = ScaleToDpi(thickness, Form::DpiOf(parent));
    if (!CreateWindowOfClass(cls, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, vertical ? scaled : 10,
                             vertical ? 10 : scaled, parent))
        return false;
    SetAlign(align);
    return true;
}

bool Splitter::Vertical() const {
    return GetAlign() == Align::Left || GetAlign() == Align::Right;
}

Control* Splitter::Neighbour() const {
    HWND parent = ::GetParent(Handle());
    Control* best = nullptr;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* control = dynamic_cast<Control*>(Window::FromHandle(child));
        if (!control || control == this || control->GetAlign() != GetAlign() || !control->Visible())
            continue;
        if (control->Order() < Order() && (!best || control->Order() > best->Order()))
            best = control;
    }
    return best;
}

int Splitter::DraggedSize(Align align, int startSize, int travel, int minSize, int maxSize) {
    const bool growsWithTravel = align == Align::Left || align == Align::Top;
    const int proposed = growsWithTravel ? startSize + travel : startSize - travel;
    return std::max(0, std::min(std::max(proposed, minSize), maxSize));
}

int Splitter::MaxNeighbourSize(const Control& neighbour) const {
    // Room of the container minus what the other controls on the same axis take, keeping MinSize
    // for whatever fills the rest.
    HWND parent = ::GetParent(Handle());
    RECT client{};
    ::GetClientRect(parent, &client);
    int room = Vertical() ? client.right - client.left : client.bottom - client.top;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* control = dynamic_cast<Control*>(Window::FromHandle(child));
        if (!control || control == &neighbour || !control->Visible())
            continue;
        const Align a = control->GetAlign();
        if (Vertical() && (a == Align::Left || a == Align::Right))
            room -= control->Width();
        else if (!Vertical() && (a == Align::Top || a == Align::Bottom))
            room -= control->Height();
    }
    return std::max(MinSize, room - MinSize);
}

void Splitter::Track(POINT screen) {
    Control* neighbour = Neighbour();
    if (!neighbour)
        return;
    const int travel = Vertical() ? screen.x - start_.x : screen.y - start_.y;
    const int size = DraggedSize(GetAlign(), startSize_, travel, MinSize, MaxNeighbourSize(*neighbour));
    const int current = Vertical() ? neighbour->Width() : neighbour->Height();
    if (size == current)
        return;
    moved_ = true;
    if (Vertical())
        neighbour->SetWidth(size);
    else
        neighbour->SetHeight(size);
}

LRESULT Splitter::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, Vertical() ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
    case WM_LBUTTONDOWN: {
        Control* neighbour = Neighbour();
        if (!neighbour)
            return 0;
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ::ClientToScreen(Handle(), &p);
        start_ = p;
        startSize_ = Vertical() ? neighbour->Width() : neighbour->Height();
        dragging_ = true;
        moved_ = false;
        ::SetCapture(Handle());
        return 0;
    }
    case WM_MOUSEMOVE:
        if (dragging_) {
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ::ClientToScreen(Handle(), &p);
            Track(p);
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) {
            POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            ::ClientToScreen(Handle(), &p);
            Track(p);
            dragging_ = false;
            if (::GetCapture() == Handle())
                ::ReleaseCapture();
            if (moved_ && OnMoved)
                OnMoved();
        }
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return 0;
    default:
        return Control::HandleMessage(msg, wp, lp);
    }
}
