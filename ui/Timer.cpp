// Timers on a hidden message-only window per timer. The window procedure copies the handler
// before calling it and touches nothing afterwards, so a handler may destroy its own timer.
#include "ui/Timer.h"

#include "ui/ExceptionDisplay.h"

#include <exception>

namespace {

const wchar_t kTimerClass[] = L"Kavet24.Timer";

void RegisterTimerClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kTimerClass;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

Timer::~Timer() {
    OnTimer = nullptr;
    if (window_) {
        if (timerId_)
            ::KillTimer(window_, timerId_);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

void Timer::SetInterval(UINT interval) {
    if (interval == interval_)
        return;
    interval_ = interval;
    Update();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Update();
}

void Timer::Update() {
    if (timerId_) {
        ::KillTimer(window_, timerId_);
        timerId_ = 0;
    }
    if (!enabled_ || interval_ == 0)
        return;
    if (!window_) {
        RegisterTimerClass(&Timer::WindowProc);
        window_ = ::CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
        if (!window_)
            return;
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    const UINT_PTR id = nextTimerId_++;
    if (::SetTimer(window_, id, interval_, nullptr))
        timerId_ = id;
}

void Timer::Tick(UINT_PTR id) {
    if (id != timerId_ || !OnTimer)
        return;
    // The copy keeps the handler alive should it destroy this timer.
    const std::function<void()> handler = OnTimer;
    handler();
}

LRESULT CALLBACK Timer::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) {
        try {
            if (auto* timer = reinterpret_cast<Timer*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
                timer->Tick(static_cast<UINT_PTR>(wp));
        } catch (...) {
            ReportCurrentException();
        }
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}
