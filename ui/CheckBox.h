// A check box with its state and an OnClick event.
#pragma once

#include "ui/Control.h"

#include <functional>

class CheckBox : public Control {
public:
    bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height);
    bool Checked() const;
    void SetChecked(bool checked);
    std::function<void()> OnClick;
    void Click();

protected:
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};
