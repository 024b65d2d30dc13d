// The date a photo or a video was taken, as a date reader finds it in the file: either the clock
// reading of the camera, in its own local time, or an exact instant, when the file says which one.
#pragma once

#include "listing/DateTime.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Where the date was found: the Exif DateTimeOriginal, DateTimeDigitized or DateTime; a movie
// header's creation time; the QuickTime creation date written with its offset.
enum class DateSource { Original, Digitized, Modified, MovieHeader, QuickTimeCreation };

struct TakenDate {
    CivilTime When;     // to the millisecond
    bool IsUtc = false; // When is the exact instant in UTC; otherwise a local clock reading
    DateSource Source = DateSource::Original;

    bool operator==(const TakenDate&) const = default;
};

// The number written in text[pos, pos + count) in ASCII digits; -1 when a character is not a
// digit or the text is shorter.
int DigitsAt(std::string_view text, size_t pos, size_t count);

// "+hh:mm", "+hhmm" (or with "-") or "Z", as minutes east of UTC; none otherwise, or beyond the
// 14 hours the zones of the world lie within.
std::optional<int> ParseUtcOffset(std::string_view text);

// The UTC time of a clock reading `offsetMinutes` east of UTC; none when it leaves years 1 to 9999.
std::optional<CivilTime> UtcOf(const CivilTime& local, int offsetMinutes);
// The UTC time `seconds` after 1970-01-01 00:00:00 UTC; none past the year 9999.
std::optional<CivilTime> CivilOfUnixSeconds(uint64_t seconds);
