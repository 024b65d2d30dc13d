// Date-time pickers.
#include "operations/dialogs/DateTimePicker.h"

#include <commctrl.h>

bool DateTimePicker::Create(HWND parent, Kind kind, int x, int y, int width, int height) {
    const DWORD style = DTS_UPDOWN | (kind == Kind::Date ? DTS_SHORTDATEFORMAT : DTS_TIMEFORMAT);
    return CreateChild(DATETIMEPICK_CLASSW, L"", WS_VISIBLE | WS_TABSTOP | style, 0, parent, x, y, width,
                       height);
}

SYSTEMTIME DateTimePicker::Value() const {
    SYSTEMTIME value{};
    Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
    return value;
}

void DateTimePicker::SetValue(const SYSTEMTIME& value) {
    Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
}
