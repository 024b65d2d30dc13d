// A framed group with a caption. Controls may be created inside it: it passes their notifications
// on to them like any container of the toolkit.
#pragma once

#include "ui/Control.h"

class GroupBox : public Control {
public:
    bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height);
};
