// A single-line edit box: optional forced upper case, and the events the address and mask boxes
// need (a typed character that can be swallowed, leaving the box, a mouse button pressed).
#pragma once

#include "ui/Control.h"

#include <functional>

class Edit : public Control {
public:
    bool Create(HWND parent, const std::wstring& text, int x, int y, int width, int height,
                bool upperCase = false);

    void SelectAll();
    // The selected range, as start and end character positions.
    std::pair<int, int> Selection() const;

    std::function<void()> OnChange;
    // Each typed character; setting it to 0 swallows it (Enter, for instance).
    std::function<void(wchar_t& key)> OnKeyPress;
    std::function<void()> OnExit;
    std::function<void(UINT button, int x, int y)> OnMouseDown;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};
