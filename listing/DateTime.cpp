// Calendar arithmetic for the day-count date-times (proleptic Gregorian calendar).
#include "listing/DateTime.h"

#include <cmath>

namespace {

// Days from 1 January of year 1 to 30 December 1899, day 0 of the day count.
constexpr int64_t kDaysToEpoch = 693593;

int64_t DaysBeforeYear(int year) {
    const int64_t y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

constexpr int kCumulativeDays[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
};

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    const int leap = IsLeapYear(year) ? 1 : 0;
    return kCumulativeDays[leap][month] - kCumulativeDays[leap][month - 1];
}

std::optional<TDateTime> EncodeDateTime(const CivilTime& c) {
    if (c.Year < 1 || c.Year > 9999 || c.Month < 1 || c.Month > 12 || c.Day < 1 ||
        c.Day > DaysInMonth(c.Year, c.Month))
        return std::nullopt;
    if (c.Hour < 0 || c.Hour > 23 || c.Minute < 0 || c.Minute > 59 || c.Second < 0 || c.Second > 59 ||
        c.Millisecond < 0 || c.Millisecond > 999)
        return std::nullopt;
    const int leap = IsLeapYear(c.Year) ? 1 : 0;
    const int64_t days = DaysBeforeYear(c.Year) + kCumulativeDays[leap][c.Month - 1] + c.Day - 1;
    const double time =
        (c.Hour * 3600000.0 + c.Minute * 60000.0 + c.Second * 1000.0 + c.Millisecond) / 86400000.0;
    return static_cast<double>(days - kDaysToEpoch) + time;
}

CivilTime DecodeDateTime(TDateTime value) {
    CivilTime c;
    if (!std::isfinite(value) || value > 2958466.0 || value < -693593.0) {
        return c; // the zero date and anything unusable: all fields 0
    }
    // Round to the millisecond first, so that 10:15:32 stored as a binary fraction decodes exactly.
    const double whole = std::floor(value);
    int64_t ms = static_cast<int64_t>(std::llround((value - whole) * 86400000.0));
    int64_t day = static_cast<int64_t>(whole) + kDaysToEpoch; // days since 1 January of year 1
    if (ms >= 86400000) {
        ms -= 86400000;
        ++day;
    }
    // Gregorian decoding from the day number.
    int64_t d = day;
    const int64_t n400 = d / 146097;
    d %= 146097;
    int64_t n100 = d / 36524;
    if (n100 == 4)
        n100 = 3;
    d -= n100 * 36524;
    const int64_t n4 = d / 1461;
    d %= 1461;
    int64_t n1 = d / 365;
    if (n1 == 4)
        n1 = 3;
    d -= n1 * 365;
    int year = static_cast<int>(n400 * 400 + n100 * 100 + n4 * 4 + n1 + 1);
    if (year > 9999)
        return CivilTime{};
    const int leap = IsLeapYear(year) ? 1 : 0;
    int month = 1;
    while (month < 12 && d >= kCumulativeDays[leap][month])
        ++month;
    c.Year = year;
    c.Month = month;
    c.Day = static_cast<int>(d - kCumulativeDays[leap][month - 1]) + 1;
    c.Hour = static_cast<int>(ms / 3600000);
    c.Minute = static_cast<int>(ms / 60000 % 60);
    c.Second = static_cast<int>(ms / 1000 % 60);
    c.Millisecond = static_cast<int>(ms % 1000);
    return c;
}

std::optional<CivilTime> ReduceToFat(const CivilTime& local) {
    if (local.Year < 1980 || local.Year > 2107)
        return std::nullopt;
    if (!EncodeDateTime(local))
        return std::nullopt;
    CivilTime fat = local;
    fat.Second -= fat.Second % 2;
    fat.Millisecond = 0;
    return fat;
}

TDateTime ListingDateTime(const std::optional<CivilTime>& local) {
    if (!local)
        return kZeroDate;
    const auto fat = ReduceToFat(*local);
    if (!fat)
        return kZeroDate;
    return EncodeDateTime(*fat).value_or(kZeroDate);
}

bool IsMidnight(TDateTime value) {
    return value == std::floor(value);
}

// The usual era-based count: the year is counted from March, so that the leap day ends it.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}
