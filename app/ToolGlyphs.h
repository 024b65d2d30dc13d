// The glyphs of the main window's toolbar buttons, drawn by the program with GDI.
#pragma once

#include "ui/GlyphList.h"

enum ToolGlyph {
    kGlyphParent,
    kGlyphAffichage,
    kGlyphDateTime,
    kGlyphZero,
    kGlyphMaj,
    kGlyphMajMin,
    kGlyphMin,
    kGlyphUndo
};

inline constexpr int kToolGlyphSize = 20;

// One painter per ToolGlyph, in that order.
std::vector<GlyphPainter> ToolGlyphPainters();
