// A push button: OnClick, and a modal result that it gives to its form when clicked.
#pragma once

#include "ui/Control.h"

#include <functional>

class Button : public Control {
public:
    bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height,
                int modalResult = 0, bool isDefault = false);
    // The result the button's form takes when it is clicked (0: none).
    int ModalResultValue = 0;
    std::function<void()> OnClick;
    // A click as the user makes it, through the platform.
    void Click();

protected:
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};
