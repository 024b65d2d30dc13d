// A strip along the top of a form that holds toolbars side by side; its height follows the
// tallest visible bar, and it takes no room when no bar is visible.
#pragma once

#include "ui/Panel.h"

#include <vector>

class Toolbar;

class Dock : public Panel {
public:
    bool Create(HWND parent, int height);
    void Add(Toolbar& bar);
    // Places the bars from left to right and fits the strip's height to them.
    void Arrange();
    void SetBarVisible(Toolbar& bar, bool visible);

private:
    std::vector<Toolbar*> bars_;
};
