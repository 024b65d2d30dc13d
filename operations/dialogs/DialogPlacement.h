// Where a dialog opened at the mouse cursor goes: its top-left corner at the cursor, moved to the
// other side of the cursor on each axis where it would run past the screen's edge.
#pragma once

struct DialogOrigin {
    int X = 0;
    int Y = 0;
    bool operator==(const DialogOrigin&) const = default;
};

DialogOrigin PlaceAtCursor(int cursorX, int cursorY, int width, int height, int screenWidth,
                           int screenHeight);
