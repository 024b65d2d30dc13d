// A clock time as the date pickers and the stamp dialogs hold it, written the way tests read it.
#pragma once

#include <windows.h>

inline SYSTEMTIME Day(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    SYSTEMTIME value{};
    value.wYear = static_cast<WORD>(year);
    value.wMonth = static_cast<WORD>(month);
    value.wDay = static_cast<WORD>(day);
    value.wHour = static_cast<WORD>(hour);
    value.wMinute = static_cast<WORD>(minute);
    value.wSecond = static_cast<WORD>(second);
    return value;
}
