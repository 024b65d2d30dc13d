// Message dispatch from the platform to the window wrappers.
#include "ui/Window.h"

#include "ui/ExceptionDisplay.h"

#include <set>
#include <unordered_map>

namespace {

// Every window this toolkit made or subclassed, by handle, with the procedure a subclassed
// control had before. The window procedure looks its wrapper up here for every message, so this
// must be cheap: a window property or the common controls' subclass chain (which keeps its data
// in one) costs a round trip to the window server under Wine, some 40 microseconds each, where a
// bare control answers a query in under one.
struct Binding {
    Window* window = nullptr; // null once the wrapper let go while a later subclass still calls us
    WNDPROC previous = nullptr;
};

class Bindings {
public:
    Binding Find(HWND hwnd) {
        ::AcquireSRWLockShared(&lock_);
        const auto found = map_.find(hwnd);
        const Binding binding = found == map_.end() ? Binding{} : found->second;
        ::ReleaseSRWLockShared(&lock_);
        return binding;
    }
    void Set(HWND hwnd, const Binding& binding) {
        ::AcquireSRWLockExclusive(&lock_);
        map_[hwnd] = binding;
        ::ReleaseSRWLockExclusive(&lock_);
    }
    void Remove(HWND hwnd) {
        ::AcquireSRWLockExclusive(&lock_);
        map_.erase(hwnd);
        ::ReleaseSRWLockExclusive(&lock_);
    }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::unordered_map<HWND, Binding> map_;
};

// Never destroyed: a window held by a static object may go away after static destruction.
Bindings& AllBindings() {
    static Bindings* const bindings = new Bindings();
    return *bindings;
}

} // namespace

Window::~Window() {
    if (!hwnd_)
        return;
    if (owned_) {
        ::DestroyWindow(hwnd_);
    }
    if (hwnd_)
        Unbind(false);
}

Window* Window::FromHandle(HWND hwnd) {
    return hwnd ? AllBindings().Find(hwnd).window : nullptr;
}

const wchar_t* Window::RegisterClassOnce(const wchar_t* className, UINT classStyle, HBRUSH background,
                                         HCURSOR cursor, HICON icon) {
    static std::set<std::wstring> registered;
    if (registered.insert(className).second) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = &Window::ClassProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = className;
        ::RegisterClassExW(&wc);
    }
    return className;
}

bool Window::CreateWindowOfClass(const wchar_t* className, const std::wstring& text, DWORD style,
                                 DWORD exStyle, int x, int y, int width, int height, HWND parent,
                                 HMENU menuOrId) {
    owned_ = true;
    HWND hwnd = ::CreateWindowExW(exStyle, className, text.c_str(), style, x, y, width, height, parent,
                                  menuOrId, ::GetModuleHandleW(nullptr), this);
    return hwnd != nullptr;
}

bool Window::CreateControl(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                           int x, int y, int width, int height, HWND parent, int id) {
    HWND hwnd = ::CreateWindowExW(exStyle, className, text.c_str(), style, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd)
        return false;
    Attach(hwnd);
    owned_ = true;
    return true;
}

void Window::Attach(HWND hwnd) {
    owned_ = false;
    subclassed_ = true;
    // Bound before the procedure changes, so that the first message finds its wrapper.
    previousProc_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    Bind(hwnd);
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProc));
}

void Window::Destroy() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

void Window::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    AllBindings().Set(hwnd, {this, subclassed_ ? previousProc_ : nullptr});
}

void Window::Unbind(bool windowGoing) {
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    if (subclassed_) {
        const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
        if (current == &Window::SubclassProc) {
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        } else if (!windowGoing) {
            // Someone subclassed the control after us and still calls our procedure: it stays,
            // passing every message straight on, until the window goes.
            AllBindings().Set(hwnd, {nullptr, previousProc_});
            subclassed_ = false;
            return;
        }
    }
    AllBindings().Remove(hwnd);
    subclassed_ = false;
}

LRESULT CALLBACK Window::ClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (self)
            self->Bind(hwnd);
    } else {
        self = AllBindings().Find(hwnd).window;
    }
    if (!self)
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    return self->Dispatch(msg, wp, lp);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const Binding binding = AllBindings().Find(hwnd);
    if (binding.window)
        return binding.window->Dispatch(msg, wp, lp);
    if (msg == WM_NCDESTROY)
        AllBindings().Remove(hwnd);
    if (binding.previous)
        return ::CallWindowProcW(binding.previous, hwnd, msg, wp, lp);
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    HWND hwnd = hwnd_;
    try {
        if (listeners_.empty() || !NotifyListeners(msg, wp, lp, result))
            result = HandleMessage(msg, wp, lp);
    } catch (...) {
        ReportCurrentException();
    }
    if (msg == WM_NCDESTROY && hwnd_ == hwnd && hwnd) {
        Unbind(true);
        try {
            Destroyed();
        } catch (...) {
            ReportUnknownException();
        }
    }
    return result;
}

bool Window::NotifyListeners(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    // By index, and each listener copied before the call: a listener may stop listening, or start
    // another, while it runs.
    for (size_t i = 0; i < listeners_.size(); ++i) {
        if (listeners_[i].Msg != msg)
            continue;
        const Listener call = listeners_[i].Call;
        if (call && call(wp, lp, result))
            return true;
    }
    return false;
}

int Window::Listen(UINT msg, Listener listener) {
    listeners_.push_back({++lastListenKey_, msg, std::move(listener)});
    return lastListenKey_;
}

void Window::StopListening(int key) {
    std::erase_if(listeners_, [key](const Listening& listening) { return listening.Key == key; });
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (ForwardToChild(msg, wp, lp, result))
        return result;
    return DefaultHandling(msg, wp, lp);
}

LRESULT Window::DefaultHandling(UINT msg, WPARAM wp, LPARAM lp) {
    if (subclassed_)
        return ::CallWindowProcW(previousProc_, hwnd_, msg, wp, lp);
    return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

bool Window::ForwardToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND child = nullptr;
    switch (msg) {
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
        break;
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(lp); // null for menus and accelerators
        break;
    case WM_DRAWITEM:
        if (wp != 0)
            child = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (wp != 0)
            child = ::GetDlgItem(hwnd_, static_cast<int>(wp));
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
        child = reinterpret_cast<HWND>(lp);
        break;
    default:
        return false;
    }
    Window* target = FromHandle(child);
    if (!target || target == this)
        return false;
    return target->HandleReflected(msg, wp, lp, result);
}

std::wstring Window::Text() const {
    if (!hwnd_)
        return {};
    const int length = ::GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void Window::SetText(const std::wstring& text) {
    if (hwnd_)
        ::SetWindowTextW(hwnd_, text.c_str());
}

RECT Window::ClientRect() const {
    RECT r{};
    if (hwnd_)
        ::GetClientRect(hwnd_, &r);
    return r;
}

RECT Window::WindowRectInParent() const {
    RECT r{};
    if (!hwnd_)
        return r;
    ::GetWindowRect(hwnd_, &r);
    HWND parent = ::GetParent(hwnd_);
    if (parent && (::GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Window::SetBounds(int x, int y, int width, int height) {
    if (hwnd_)
        ::SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::SetVisible(bool visible) {
    if (hwnd_)
        ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool Window::Visible() const {
    return hwnd_ && (::GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Window::SetEnabled(bool enabled) {
    if (hwnd_)
        ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

bool Window::Enabled() const {
    return hwnd_ && ::IsWindowEnabled(hwnd_);
}

void Window::SetFont(HFONT font, bool redraw) {
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

HFONT Window::Font() const {
    return reinterpret_cast<HFONT>(Send(WM_GETFONT));
}

LRESULT Window::Send(UINT msg, WPARAM wp, LPARAM lp) const {
    return hwnd_ ? ::SendMessageW(hwnd_, msg, wp, lp) : 0;
}
