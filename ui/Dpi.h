// The one place that knows how many dots per inch a window is shown at. Forms are designed at
// 96 dots per inch; their sizes, fonts and glyphs are scaled from there to the window's DPI, so
// that at 150 % or 200 % the program looks as it was drawn, only larger.
#pragma once

#include <windows.h>

inline constexpr int kDesignDpi = 96;

// The DPI of a window as the platform reports it (GetDpiForWindow where the system has it, else
// the screen's LOGPIXELSY); for no window, the screen's. A test override wins over both.
int WindowDpi(HWND window);

// A length of the design (at 96 DPI) at the given DPI, and back, rounded to the nearest pixel.
int ScaleToDpi(int designLength, int dpi);
int ScaleFromDpi(int length, int dpi);

// Makes every window report the given DPI for one scope, so that a test can build a form as it
// is at 144 DPI on a 96-DPI display; the previous value comes back at the end.
class ScopedDpiOverride {
public:
    explicit ScopedDpiOverride(int dpi);
    ~ScopedDpiOverride();
    ScopedDpiOverride(const ScopedDpiOverride&) = delete;
    ScopedDpiOverride& operator=(const ScopedDpiOverride&) = delete;

private:
    int previous_;
};
