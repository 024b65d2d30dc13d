// Placement of a dialog at the mouse cursor.
#include "operations/dialogs/DialogPlacement.h"

DialogOrigin PlaceAtCursor(int cursorX, int cursorY, int width, int height, int screenWidth,
                           int screenHeight) {
    DialogOrigin origin{cursorX, cursorY};
    if (screenWidth < width + cursorX)
        origin.X -= width;
    if (screenHeight < height + cursorY)
        origin.Y -= height;
    return origin;
}
