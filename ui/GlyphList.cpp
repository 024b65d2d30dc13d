// Drawing glyphs into image lists.
#include "ui/GlyphList.h"

ImageListHandle MakeGlyphList(int size, const std::vector<GlyphPainter>& painters) {
    ImageListHandle list(
        ::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, static_cast<int>(painters.size()), 1));
    if (!list)
        return list;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    for (const GlyphPainter& paint : painters) {
        GdiObject bitmap(::CreateCompatibleBitmap(screen, size, size));
        {
            SelectionGuard selected(dc, bitmap.Get());
            RECT box{0, 0, size, size};
            GdiObject background(::CreateSolidBrush(kGlyphTransparent));
            ::FillRect(dc, &box, static_cast<HBRUSH>(background.Get()));
            if (paint)
                paint(dc, box);
        }
        ::ImageList_AddMasked(list.Get(), static_cast<HBITMAP>(bitmap.Get()), kGlyphTransparent);
    }
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return list;
}
