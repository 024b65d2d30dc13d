// A timer component: OnTimer runs on the thread that made the timer, every Interval milliseconds
// while Enabled. It may be destroyed, disabled or changed from inside its own OnTimer.
#pragma once

#include <windows.h>

#include <functional>

class Timer {
public:
    Timer() = default;
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Milliseconds; 0 stops the timer. Changing it restarts the period.
    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> OnTimer;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Update();
    void Tick(UINT_PTR id);

    UINT interval_ = 1000;
    bool enabled_ = true;
    HWND window_ = nullptr; // hidden message-only window, made on first start, destroyed with us
    UINT_PTR timerId_ = 0;  // the running platform timer; a new one per start, so stale ticks are ignored
    UINT_PTR nextTimerId_ = 1;
};
