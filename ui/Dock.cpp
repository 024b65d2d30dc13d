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
    const int margin = Scaled(kMargin);
    int x = margin;
    int height = 0;
    for (Toolbar* bar : bars_) {
        if (!bar->Visible())
            continue;
        const SIZE size = bar->IdealSize();
        bar->SetBounds(x, margin, size.cx, size.cy);
        x += size.cx + margin * 2;
        height = std::max<int>(height, size.cy);
    }
    SetShown(height > 0);
    if (height > 0)
        SetHeight(height + margin * 2);
}
