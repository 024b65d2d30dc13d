// Shows the hourglass for one scope and puts the previous cursor back, also on an exception.
#pragma once

#include <windows.h>

class BusyCursor {
public:
    BusyCursor() : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~BusyCursor() { ::SetCursor(previous_); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    HCURSOR previous_;
};
