// The toolbar strip.
#include "ui/Dock.h"

#include "ui/Toolbar.h"

#include <algorithm>

namespace {

constexpr int kMargin = 2;

} // namespace

bool Dock::Create(HWND parent, int height) {
    return Panel::Create(parent, Align::Top, 100, height);
}

void Dock::Add(Toolbar& bar) {
    bars_.push_back(&bar);
    Arrange();
}

void Dock::SetBarVisible(Toolbar& bar, bool visible) {
    bar.SetVisible(visible);
    Arrange();
}

void Dock::Arrange() {
    int x = kMargin;
    int height = 0;
    for (Toolbar* bar : bars_) {
        if (!bar->Visible())
            continue;
        const SIZE size = bar->IdealSize();
        bar->SetBounds(x, kMargin, size.cx, size.cy);
        x += size.cx + kMargin * 2;
        height = std::max<int>(height, size.cy);
    }
    SetShown(height > 0);
    if (height > 0)
        SetHeight(height + kMargin * 2);
}
