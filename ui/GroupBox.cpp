// Group boxes.
#include "ui/GroupBox.h"

bool GroupBox::Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height) {
    return CreateChild(L"BUTTON", caption, WS_VISIBLE | BS_GROUPBOX, WS_EX_CONTROLPARENT, parent, x, y, width,
                       height);
}
