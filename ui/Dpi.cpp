// Reading a window's DPI and scaling design lengths to it.
#include "ui/Dpi.h"

#include "base/Handles.h"

namespace {

int& Override() {
    static int dpi = 0;
    return dpi;
}

// GetDpiForWindow exists from Windows 10 (1607) on; the program also runs on systems without it.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn PlatformGetDpiForWindow() {
    static const auto fn = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return fn;
}

int ScreenDpi() {
    WindowDC screen(nullptr);
    const int dpi = screen.Get() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : kDesignDpi;
    return dpi > 0 ? dpi : kDesignDpi;
}

} // namespace

int WindowDpi(HWND window) {
    if (Override() > 0)
        return Override();
    if (window)
        if (const GetDpiForWindowFn fn = PlatformGetDpiForWindow())
            if (const UINT dpi = fn(window); dpi > 0)
                return static_cast<int>(dpi);
    return ScreenDpi();
}

int ScaleToDpi(int designLength, int dpi) {
    return ::MulDiv(designLength, dpi, kDesignDpi);
}

int ScaleFromDpi(int length, int dpi) {
    return dpi > 0 ? ::MulDiv(length, kDesignDpi, dpi) : length;
}

ScopedDpiOverride::ScopedDpiOverride(int dpi) : previous_(Override()) {
    Override() = dpi;
}

ScopedDpiOverride::~ScopedDpiOverride() {
    Override() = previous_;
}
