// The platform's date-time picker in its up-down style, showing either a date or a time of day.
#pragma once

#include "ui/Control.h"

class DateTimePicker : public Control {
public:
    enum class Kind { Date, Time };
    bool Create(HWND parent, Kind kind, int x, int y, int width, int height);
    SYSTEMTIME Value() const;
    void SetValue(const SYSTEMTIME& value);
};
