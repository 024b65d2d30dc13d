// The bitmaps of the header's sort arrows: a size x size square in the button face with a
// raised triangle drawn in the button's shadow and highlight colours.
#pragma once

#include "base/Handles.h"

// size is even and positive (see SortArrowSize); pointsDown picks the shape.
GdiObject CreateSortArrowBitmap(int size, bool pointsDown);
