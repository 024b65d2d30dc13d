// Small drawings for the toolbar: a folder with an up arrow, view tiles, a calendar with a clock,
// a clock at midnight, letters for the three name cases, and an arrow turning back for undo.
#include "app/ToolGlyphs.h"

#include <string>

namespace {

void Fill(HDC dc, int l, int t, int r, int b, COLORREF color) {
    GdiObject brush(::CreateSolidBrush(color));
    RECT rc{l, t, r, b};
    ::FillRect(dc, &rc, static_cast<HBRUSH>(brush.Get()));
}

void Frame(HDC dc, int l, int t, int r, int b, COLORREF color) {
    GdiObject brush(::CreateSolidBrush(color));
    RECT rc{l, t, r, b};
    ::FrameRect(dc, &rc, static_cast<HBRUSH>(brush.Get()));
}

void Clock(HDC dc, int l, int t, int size, bool midnight) {
    GdiObject pen(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    GdiObject face(::CreateSolidBrush(RGB(255, 255, 255)));
    SelectionGuard p(dc, pen.Get());
    SelectionGuard b(dc, face.Get());
    ::Ellipse(dc, l, t, l + size, t + size);
    const int cx = l + size / 2;
    const int cy = t + size / 2;
    ::MoveToEx(dc, cx, cy, nullptr);
    ::LineTo(dc, cx, t + 2);
    ::MoveToEx(dc, cx, cy, nullptr);
    if (midnight)
        ::LineTo(dc, cx, t + 4);
    else
        ::LineTo(dc, l + size - 3, cy);
}

void Letters(HDC dc, const RECT& box, const wchar_t* text) {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    GdiObject font(::CreateFontIndirectW(&lf));
    SelectionGuard f(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 128));
    RECT r = box;
    ::DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

std::vector<GlyphPainter> ToolGlyphPainters() {
    return {
        [](HDC dc, const RECT&) { // parent: a folder and an arrow pointing up
            Fill(dc, 1, 8, 15, 18, RGB(240, 200, 80));
            Fill(dc, 1, 6, 7, 8, RGB(240, 200, 80));
            Frame(dc, 1, 8, 15, 18, RGB(128, 96, 0));
            Fill(dc, 15, 6, 17, 16, RGB(0, 128, 0));
            for (int i = 0; i < 4; ++i)
                Fill(dc, 16 - i - 1, 3 + i, 16 + i + 1, 4 + i, RGB(0, 128, 0));
        },
        [](HDC dc, const RECT&) { // views: four tiles
            for (int row = 0; row < 2; ++row)
                for (int col = 0; col < 2; ++col) {
                    Fill(dc, 2 + col * 9, 2 + row * 9, 9 + col * 9, 9 + row * 9, RGB(0, 96, 192));
                    Frame(dc, 2 + col * 9, 2 + row * 9, 9 + col * 9, 9 + row * 9, RGB(0, 0, 64));
                }
        },
        [](HDC dc, const RECT&) { // date-time: a calendar page and a clock
            Fill(dc, 1, 2, 14, 15, RGB(255, 255, 255));
            Fill(dc, 1, 2, 14, 5, RGB(192, 0, 0));
            Frame(dc, 1, 2, 14, 15, RGB(0, 0, 0));
            for (int y = 7; y < 14; y += 3)
                for (int x = 3; x < 13; x += 3)
                    Fill(dc, x, y, x + 2, y + 1, RGB(64, 64, 64));
            Clock(dc, 9, 9, 10, false);
        },
        [](HDC dc, const RECT&) { Clock(dc, 2, 2, 16, true); }, // time zero: hands on midnight
        [](HDC dc, const RECT& box) { Letters(dc, box, L"AB"); },
        [](HDC dc, const RECT& box) { Letters(dc, box, L"Ab"); },
        [](HDC dc, const RECT& box) { Letters(dc, box, L"ab"); },
        [](HDC dc, const RECT&) { // undo: an arrow turning back to the left
            GdiObject pen(::CreatePen(PS_SOLID, 2, RGB(0, 96, 160)));
            SelectionGuard p(dc, pen.Get());
            ::Arc(dc, 4, 5, 18, 17, 11, 17, 5, 9);
            for (int i = 0; i < 4; ++i)
                Fill(dc, 2 + i, 8 - i, 3 + i, 9 + i, RGB(0, 96, 160));
        },
    };
}
