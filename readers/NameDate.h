// The date a file's name gives, as phones, cameras and messaging applications write it
// ("IMG_20230415_143022.jpg", "WhatsApp Image 2026-08-31 at 15.41.14.jpeg"), or as a user
// describes it with a pattern, for the names no known form covers.
#pragma once

#include "listing/DateTime.h"

#include <optional>
#include <string_view>
#include <vector>

struct NameDate {
    CivilTime When;          // to the second, or the millisecond when the name has them
    bool IsUtc = false;      // When is UTC rather than local time (see FindNameDate)
    bool SecondDate = false; // the name holds another date as well, which was not used

    bool operator==(const NameDate&) const = default;
};

// The first date anywhere in `name` in one of the known forms, none in a digit run longer than
// the form's: AAAAMMJJ_hhmmss and AAAAMMJJ-hhmmss (IMG_, VID_, PXL_, Screenshot_...; three more
// digits after the seconds are milliseconds), AAAA-MM-JJ-hhmmss and AAAA-MM-JJ-hh-mm-ss (signal-,
// Screenshot_), AAAA-MM-JJ_hh-mm-ss, AAAA-MM-JJ hh-mm-ss, AAAA-MM-JJ hh.mm.ss,
// AAAA-MM-JJ at hh.mm.ss or at h.mm.ss AM/PM (WhatsApp, macOS), and AAAAMMJJ-WA
// (IMG-20230415-WA0001, at 00:00:00). Local time, except
// the names Pixel phones give (PXL_...), which are UTC. An impossible date (month 13, 30 February,
// hour 25) is no date.
std::optional<NameDate> FindNameDate(std::wstring_view name);

// A user's pattern for the whole name: AAAA, MM, JJ, hh, mm, ss stand for the digits of the year,
// month, day, hour, minute and second, `*` for any text, every other character for itself (any
// case). The year, month and day are required; a missing time is 00:00:00.
struct NamePattern {
    enum class Part { Literal, Any, Year, Month, Day, Hour, Minute, Second };
    struct Element {
        Part What = Part::Literal;
        wchar_t Char = 0; // of a literal
    };
    std::vector<Element> Elements;
};

// None when the pattern lacks the year, month or day, or names one of them twice.
std::optional<NamePattern> ParseNamePattern(std::wstring_view pattern);

// The date `name` gives when it matches `pattern` as a whole; the first valid date of the ways
// it can match. SecondDate says the name holds a known form of date elsewhere as well.
std::optional<NameDate> MatchNamePattern(const NamePattern& pattern, std::wstring_view name);
