// Where the owner-drawn header puts a column's caption, image and sort arrow, and how large the
// sort arrows are. Platform-free so that the placement rules (ellipsis, arrow left out when it does
// not fit) test without a window; the drawing code only carries the result out.
#pragma once

#include "base/LayoutRect.h"
#include "listctrl/ListViewTypes.h"

#include <functional>

struct HeaderItemInput {
    LayoutRect item;
    bool pressed = false;
    TCaptionAlignment alignment = caLeft;
    bool hasImage = false;
    int imageWidth = 0;
    int imageHeight = 0;
    TColumnImageAlignment imageAlignment = ciaRightOfText;
    bool hasArrow = false;
    int arrowWidth = 0;
    int arrowHeight = 0;
};

struct HeaderItemLayout {
    LayoutRect fill;    // painted with the button face
    LayoutRect bounds;  // the drawing area inside the item's edge
    LayoutRect caption; // where the caption is drawn, with an ellipsis when it does not fit
    bool drawImage = false;
    int imageX = 0;
    int imageY = 0;
    bool drawArrow = false;
    int arrowX = 0;
    int arrowY = 0;
};

// captionWidth gives the full width of the caption's text (the area it is offered is passed in).
HeaderItemLayout LayoutHeaderItem(const HeaderItemInput& input,
                                  const std::function<int(const LayoutRect&)>& captionWidth);

// Side of the square sort-arrow bitmaps for a font whose "Wy" is textHeight pixels high: the
// height less 6, made even by rounding up; 0 (no arrows) when that leaves nothing.
int SortArrowSize(int textHeight);
