// A check box with its state and an OnClick event, and the round button of a choice among several.
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

// One of a group of choices: checking it unchecks the others of its group, which starts at the
// button made with `firstOfGroup` and runs to the next such.
class RadioButton : public CheckBox {
public:
    bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height,
                bool firstOfGroup);
};
