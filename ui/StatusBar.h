// The status bar at the bottom of a form, with panels of settable widths; a width of -1 makes a
// panel take the rest of the bar.
#pragma once

#include "ui/Control.h"

#include <string>
#include <vector>

class StatusBar : public Control {
public:
    bool Create(HWND parent, const std::vector<int>& widths);

    void SetPanelWidths(const std::vector<int>& widths);
    const std::vector<int>& PanelWidths() const { return widths_; }
    void SetPanelWidth(size_t panel, int width);
    int PanelWidth(size_t panel) const;

    void SetPanelText(size_t panel, const std::wstring& text);
    std::wstring PanelText(size_t panel) const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ApplyWidths();
    std::vector<int> widths_;
};
