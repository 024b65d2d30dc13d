// The layout pass shared by every container of the toolkit: controls aligned to the top, bottom,
// left or right edge take their own height or width from the room left, a client-aligned control
// fills what remains. Kept free of the platform so the rules can be checked on their own.
#pragma once

#include "base/LayoutRect.h"

#include <vector>

enum class Align { None, Top, Bottom, Left, Right, Client };

struct LayoutRequest {
    Align align = Align::None;
    LayoutRect current; // where the control is now; its width or height is kept by edge alignments
};

// The new box of every request, in the order given. Edges are served top, bottom, left, right,
// then client, each group in the order given (so a splitter after a left panel sits to its right);
// unaligned requests keep their box. No box is given a negative size.
std::vector<LayoutRect> ArrangeAligned(LayoutRect area, const std::vector<LayoutRequest>& requests);
