// Date-times as the program keeps them: a day count from 30 December 1899 (day 0) whose fraction
// is the time of day, and the civil (calendar and clock) form they are built from and shown as.
#pragma once

#include <cstdint>
#include <optional>

using TDateTime = double;

// The date given to a time that could not be converted; it shows as day 0, month 0, year 0.
constexpr TDateTime kZeroDate = -693594.0;

struct CivilTime {
    int Year = 0;
    int Month = 0; // 1..12
    int Day = 0;   // 1..31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;

    bool operator==(const CivilTime&) const = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Days since 1 January 1970 of a proleptic Gregorian date, and back: exact for every year, in
// integers, so that whole-day arithmetic and instants read from files stay exact.
int64_t DaysFromCivil(int64_t year, int month, int day);
void CivilFromDays(int64_t days, int& year, int& month, int& day);

// Fails on a field out of range (years 1 to 9999).
std::optional<TDateTime> EncodeDateTime(const CivilTime& civil);
// The zero date and every day count at or before it decode to all-zero date fields.
CivilTime DecodeDateTime(TDateTime value);

// The FAT date-time form of a local time: seconds in steps of 2 (an odd second goes down to the
// even one), milliseconds dropped, years 1980 to 2107 only; anything else has no FAT form.
std::optional<CivilTime> ReduceToFat(const CivilTime& local);

// A local time as the listing keeps it: the FAT reduction, or the zero date when there is none.
TDateTime ListingDateTime(const std::optional<CivilTime>& local);

// True when the fraction of the day is zero: the time is exactly 00:00:00.
bool IsMidnight(TDateTime value);
