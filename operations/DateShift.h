// Moving a local date-time by a span of days and clock time, as a user corrects a camera clock:
// on the calendar and on the clock, so that whole days keep the time of day whatever daylight-saving
// change lies between.
#pragma once

#include "listing/DateTime.h"

#include <optional>
#include <string>

struct DateShift {
    // Towards the past.
    bool Backward = false;
    int Days = 0;
    int Hours = 0;
    int Minutes = 0;
    int Seconds = 0;

    bool operator==(const DateShift&) const = default;
};

// The largest span the dialog offers, in days: above 27 years, and its seconds still fit an int.
constexpr int kMostShiftDays = 9999;

// Whether each part is within what the dialog offers (days up to kMostShiftDays, then 23 hours,
// 59 minutes, 59 seconds) and the whole is not nothing.
bool IsValidShift(const DateShift& shift);

// `local` moved by `shift`; milliseconds are kept. None when the result leaves the years 1601 to
// 9999, or `local` is not a valid date-time.
std::optional<CivilTime> ShiftLocal(const CivilTime& local, const DateShift& shift);

// The shift that takes the clock reading `from` to `to`, to the second (a camera's clock put right
// from the time a photo was really taken); none when both are the same second, either is not a
// valid date-time, or the span passes kMostShiftDays.
std::optional<DateShift> ShiftBetween(const CivilTime& from, const CivilTime& to);

// "+1 j 02:00:00", "-00:00:30": the span as the journal and the report name it.
std::wstring ShiftText(const DateShift& shift);
