// Image lists of small glyphs drawn by the program itself with GDI at run time: each glyph is a
// painter that draws on a square whose untouched background becomes transparent. Painters draw
// at the design size; the drawing is scaled to the DPI the glyphs are made for.
#pragma once

#include "ui/Dpi.h"
#include "base/Handles.h"

#include <functional>
#include <vector>

using GlyphPainter = std::function<void(HDC dc, const RECT& box)>;

// The colour that painters must not use: it marks the transparent background.
constexpr COLORREF kGlyphTransparent = RGB(255, 0, 255);

// Glyphs of size x size design pixels, each image ScaleToDpi(size, dpi) pixels square.
ImageListHandle MakeGlyphList(int size, const std::vector<GlyphPainter>& painters, int dpi = kDesignDpi);
