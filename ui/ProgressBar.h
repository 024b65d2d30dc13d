// A progress bar with a 32-bit range, so that a batch of any size counts one file per step.
#pragma once

#include "ui/Control.h"

class ProgressBar : public Control {
public:
    bool Create(HWND parent, int x, int y, int width, int height);
    // The bar runs from 0 to maximum.
    void SetMaximum(int maximum);
    int Maximum() const;
    void SetPosition(int position);
    int Position() const;
};
