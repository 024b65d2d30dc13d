// Drawing glyphs into image lists.
#include "ui/GlyphList.h"

ImageListHandle MakeGlyphList(int size, const std::vector<GlyphPainter>& painters, int dpi) {
    const int pixels = ScaleToDpi(size, dpi);
    ImageListHandle list(
        ::ImageList_Create(pixels, pixels, ILC_COLOR24 | ILC_MASK, static_cast<int>(painters.size()), 1));
    if (!list)
        return list;
    WindowDC screen(nullptr);
    MemoryDC memory;
    HDC dc = memory.Get();
    // The painters' coordinates, pens and fonts all go through this transform.
    ::SetGraphicsMode(dc, GM_ADVANCED);
    const float factor = static_cast<float>(dpi) / kDesignDpi;
    const XFORM scale{factor, 0.0f, 0.0f, factor, 0.0f, 0.0f};
    for (const GlyphPainter& paint : painters) {
        GdiObject bitmap(::CreateCompatibleBitmap(screen.Get(), pixels, pixels));
        {
            SelectionGuard selected(dc, bitmap.Get());
            ::ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
            RECT all{0, 0, pixels, pixels};
            GdiObject background(::CreateSolidBrush(kGlyphTransparent));
            ::FillRect(dc, &all, static_cast<HBRUSH>(background.Get()));
            ::SetWorldTransform(dc, &scale);
            RECT box{0, 0, size, size};
            if (paint)
                paint(dc, box);
        }
        ::ImageList_AddMasked(list.Get(), static_cast<HBITMAP>(bitmap.Get()), kGlyphTransparent);
    }
    return list;
}
