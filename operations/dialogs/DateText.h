// Reading back the date and time texts that the date-time dialog remembers. They are written in
// the user's regional formats, so reading takes the same format picture and pulls the numbers out
// in the order the picture names them; anything that does not make a valid value gives nothing.
#pragma once

#include <optional>
#include <string>

struct DateOnly {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    bool operator==(const DateOnly&) const = default;
};

struct TimeOfDay {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    bool operator==(const TimeOfDay&) const = default;
};

// picture: a short date picture such as "dd/MM/yyyy" (d, M, y letters; quoted text is literal).
// Two-digit years are read as 1950 to 2049. Years from 1601 to 9999 only.
std::optional<DateOnly> ParseDateText(const std::wstring& text, const std::wstring& picture);

// picture: a time picture such as "HH:mm:ss" or "h:mm:ss tt". With a 12-hour picture the text is
// afternoon when it holds pmDesignator (compared without regard to case).
std::optional<TimeOfDay> ParseTimeText(const std::wstring& text, const std::wstring& picture,
                                       const std::wstring& amDesignator = L"AM",
                                       const std::wstring& pmDesignator = L"PM");
