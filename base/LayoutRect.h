// A rectangle in whole pixels for the platform-free layout rules (the same edges as a RECT).
#pragma once

struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};
