// Calendar arithmetic on whole days, the clock part carried in seconds.
#include "operations/DateShift.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

bool IsValidLocal(const CivilTime& t) {
    return t.Year >= 1601 && t.Year <= 9999 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 &&
           t.Day <= DaysInMonth(t.Year, t.Month) && t.Hour >= 0 && t.Hour < 24 && t.Minute >= 0 &&
           t.Minute < 60 && t.Second >= 0 && t.Second < 60 && t.Millisecond >= 0 && t.Millisecond < 1000;
}

} // namespace

bool IsValidShift(const DateShift& shift) {
    return shift.Days >= 0 && shift.Days <= kMostShiftDays && shift.Hours >= 0 && shift.Hours < 24 &&
           shift.Minutes >= 0 && shift.Minutes < 60 && shift.Seconds >= 0 && shift.Seconds < 60 &&
           (shift.Days | shift.Hours | shift.Minutes | shift.Seconds) != 0;
}

std::optional<DateShift> ShiftBetween(const CivilTime& from, const CivilTime& to) {
    if (!IsValidLocal(from) || !IsValidLocal(to))
        return std::nullopt;
    const auto seconds = [](const CivilTime& t) {
        return DaysFromCivil(t.Year, t.Month, t.Day) * 86400 + t.Hour * 3600 + t.Minute * 60 + t.Second;
    };
    const int64_t span = seconds(to) - seconds(from);
    const int64_t size = span < 0 ? -span : span;
    const DateShift shift{span < 0, static_cast<int>(std::min<int64_t>(size / 86400, kMostShiftDays + 1)),
                          static_cast<int>(size / 3600 % 24), static_cast<int>(size / 60 % 60),
                          static_cast<int>(size % 60)};
    return IsValidShift(shift) ? std::optional(shift) : std::nullopt;
}

std::optional<CivilTime> ShiftLocal(const CivilTime& local, const DateShift& shift) {
    if (!IsValidLocal(local) || !IsValidShift(shift))
        return std::nullopt;
    const int64_t sign = shift.Backward ? -1 : 1;
    const int64_t clock = local.Hour * 3600 + local.Minute * 60 + local.Second +
                          sign * (shift.Hours * 3600 + shift.Minutes * 60 + shift.Seconds);
    // The clock part may cross midnight either way: the carry moves the day.
    const int64_t carry = clock >= 0 ? clock / 86400 : -((-clock + 86399) / 86400);
    const int64_t seconds = clock - carry * 86400;
    const int64_t days = DaysFromCivil(local.Year, local.Month, local.Day) + sign * shift.Days + carry;
    CivilTime moved = local;
    CivilFromDays(days, moved.Year, moved.Month, moved.Day);
    moved.Hour = static_cast<int>(seconds / 3600);
    moved.Minute = static_cast<int>(seconds / 60 % 60);
    moved.Second = static_cast<int>(seconds % 60);
    if (!IsValidLocal(moved))
        return std::nullopt;
    return moved;
}

std::wstring ShiftText(const DateShift& shift) {
    wchar_t clock[16];
    std::swprintf(clock, 16, L"%02d:%02d:%02d", shift.Hours, shift.Minutes, shift.Seconds);
    std::wstring text = shift.Backward ? L"-" : L"+";
    if (shift.Days != 0)
        text += std::to_wstring(shift.Days) + L" j ";
    return text + clock;
}
