// Drawing of the sort-arrow bitmaps. Lines are drawn with LineTo, which leaves out the end point,
// so the corner pixels are set explicitly.
#include "listctrl/SortArrowBitmap.h"

namespace {

void Line(HDC dc, const POINT* points, int count) {
    ::MoveToEx(dc, points[0].x, points[0].y, nullptr);
    for (int i = 1; i < count; ++i)
        ::LineTo(dc, points[i].x, points[i].y);
}

} // namespace

GdiObject CreateSortArrowBitmap(int size, bool pointsDown) {
    const int s = size;
    const int b = s / 2;
    GdiObject bitmap;
    {
        WindowDC screen(nullptr);
        bitmap.Reset(::CreateCompatibleBitmap(screen.Get(), s, s));
    }
    MemoryDC memory;
    if (!bitmap || !memory.Get())
        return {};

    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    GdiObject shadowPen(::CreatePen(PS_SOLID, 1, shadow));
    GdiObject highlightPen(::CreatePen(PS_SOLID, 1, highlight));

    SelectionGuard selected(memory.Get(), bitmap.Get());
    const RECT all{0, 0, s, s};
    ::FillRect(memory.Get(), &all, ::GetSysColorBrush(COLOR_BTNFACE));

    if (pointsDown) {
        {
            SelectionGuard pen(memory.Get(), shadowPen.Get());
            const POINT right[] = {{b, s - 2}, {s - 1, 0}};
            Line(memory.Get(), right, 2);
        }
        ::SetPixel(memory.Get(), s - 1, 0, shadow);
        {
            SelectionGuard pen(memory.Get(), highlightPen.Get());
            const POINT topAndLeft[] = {{s - 2, 0}, {0, 0}, {b - 1, s - 2}};
            Line(memory.Get(), topAndLeft, 3);
        }
        ::SetPixel(memory.Get(), b - 1, s - 2, highlight);
    } else {
        {
            SelectionGuard pen(memory.Get(), highlightPen.Get());
            const POINT left[] = {{0, s - 1}, {b - 1, 0}};
            Line(memory.Get(), left, 2);
        }
        {
            SelectionGuard pen(memory.Get(), shadowPen.Get());
            const POINT rightAndBottom[] = {{b, 0}, {s - 1, s - 1}, {-1, s - 1}};
            Line(memory.Get(), rightAndBottom, 3);
        }
        ::SetPixel(memory.Get(), b, 0, face);
    }
    return bitmap;
}
