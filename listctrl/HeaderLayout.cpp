// Placement of a header item's caption, image and sort arrow.
#include "listctrl/HeaderLayout.h"

#include <algorithm>

namespace {

LayoutRect Shrunk(LayoutRect r, int by) {
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

LayoutRect Moved(LayoutRect r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

LayoutRect ClippedTo(LayoutRect r, const LayoutRect& bounds) {
    r.left = std::max(r.left, bounds.left);
    r.top = std::max(r.top, bounds.top);
    r.right = std::min(r.right, bounds.right);
    r.bottom = std::min(r.bottom, bounds.bottom);
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

// The caption's measured width placed in the area by the column's alignment; the vertical extent
// stays the area's so that the caption is centred the same way whatever the alignment.
LayoutRect Placed(LayoutRect area, int width, TCaptionAlignment alignment) {
    switch (alignment) {
    case caRight:
        area.left = area.right - width;
        break;
    case caCenter:
        area.left += (area.Width() - width) / 2;
        area.right = area.left + width;
        break;
    case caLeft:
        area.right = area.left + width;
        break;
    }
    return area;
}

} // namespace

HeaderItemLayout LayoutHeaderItem(const HeaderItemInput& in,
                                  const std::function<int(const LayoutRect&)>& captionWidth) {
    HeaderItemLayout out;
    LayoutRect r = in.item;
    if (in.pressed) {
        out.fill = r;
        r = Shrunk(r, 2);
        r.top += 1;
        r.left += 1;
    } else {
        r = Shrunk(r, 2);
        out.fill = r;
    }
    out.bounds = r;

    LayoutRect t = r;
    if (in.alignment == caLeft)
        t.left += 4;
    else if (in.alignment == caRight)
        t.right -= 4;
    if (in.hasImage) {
        if (in.imageAlignment == ciaLeftOfText)
            t.left += in.imageWidth + 4;
        else
            t.right -= in.imageWidth + 4;
    }
    const int imageY = r.top + (r.Height() - in.imageHeight) / 2;

    if (in.hasArrow) {
        t.right = std::max(t.left, t.right - (in.arrowWidth + 8));
        t = ClippedTo(Placed(t, captionWidth(t), in.alignment), r);
        if (in.pressed)
            t = Moved(t, 1, 1);
        out.caption = t;
        if (in.hasImage) {
            out.drawImage = true;
            out.imageY = imageY;
            if (in.imageAlignment == ciaLeftOfText) {
                out.imageX = t.left - in.imageWidth - 4;
            } else {
                out.imageX = t.right + 4;
                t.right = std::min(t.right + in.imageWidth + 4, r.right);
            }
        }
        out.arrowX = t.right + 8;
        out.arrowY = t.top + (r.Height() - in.arrowHeight) / 2;
        out.drawArrow = r.right >= t.right + 8 + in.arrowWidth;
        return out;
    }

    if (in.pressed)
        t = Moved(t, 1, 1);
    t = ClippedTo(Placed(t, captionWidth(t), in.alignment), r);
    out.caption = t;
    if (in.hasImage) {
        out.imageY = imageY;
        out.imageX = in.imageAlignment == ciaLeftOfText ? t.left - in.imageWidth - 4 : t.right + 4;
        out.drawImage = out.imageX >= r.left && out.imageX + in.imageWidth <= r.right;
    }
    return out;
}

int SortArrowSize(int textHeight) {
    int size = textHeight - 6;
    if (size <= 0)
        return 0;
    if (size % 2 != 0)
        ++size;
    return size;
}
