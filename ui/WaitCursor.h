// The hourglass for one scope: shown at construction, the previous cursor put back at
// destruction, also when the scope is left by an exception. Guards may nest.
#pragma once

#include <windows.h>

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // True while any guard is alive.
    static bool Active();

private:
    HCURSOR previous_;
};
