// Status bars.
#include "ui/StatusBar.h"

#include <commctrl.h>

bool StatusBar::Create(HWND parent, const std::vector<int>& widths) {
    if (!CreateChild(STATUSCLASSNAMEW, L"", WS_VISIBLE | SBARS_SIZEGRIP, 0, parent))
        return false;
    SetPanelWidths(widths);
    SetAlign(Align::Bottom);
    return true;
}

void StatusBar::SetPanelWidths(const std::vector<int>& widths) {
    widths_ = widths;
    ApplyWidths();
}

void StatusBar::SetPanelWidth(size_t panel, int width) {
    if (panel >= widths_.size())
        return;
    widths_[panel] = width;
    ApplyWidths();
}

int StatusBar::PanelWidth(size_t panel) const {
    return panel < widths_.size() ? widths_[panel] : 0;
}

void StatusBar::ApplyWidths() {
    if (!HandleAllocated() || widths_.empty())
        return;
    // The platform takes right edges; -1 runs to the end of the bar.
    std::vector<int> edges;
    int edge = 0;
    for (int width : widths_) {
        if (width < 0) {
            edges.push_back(-1);
            break;
        }
        edge += width;
        edges.push_back(edge);
    }
    Send(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::SetPanelText(size_t panel, const std::wstring& text) {
    Send(SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring StatusBar::PanelText(size_t panel) const {
    const LRESULT info = Send(SB_GETTEXTLENGTHW, panel);
    std::wstring text(static_cast<size_t>(LOWORD(info)) + 1, L'\0');
    Send(SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return text;
}

LRESULT StatusBar::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE) {
        const LRESULT result = Control::HandleMessage(msg, wp, lp);
        ApplyWidths();
        return result;
    }
    return Control::HandleMessage(msg, wp, lp);
}
