// Whole-day arithmetic on the proleptic Gregorian calendar, in integers so that an instant read
// from a file is exact to the second.
#include "readers/TakenDate.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int kMostOffsetMinutes = 14 * 60;

// Days from 1970-01-01: the year is counted from March, so that the leap day ends it.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::optional<CivilTime> CivilOfSeconds(int64_t seconds, int millisecond) {
    int64_t days = seconds / kSecondsPerDay;
    int64_t inDay = seconds % kSecondsPerDay;
    if (inDay < 0) {
        inDay += kSecondsPerDay;
        --days;
    }
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const int64_t year = yearOfEra + era * 400 + (month <= 2);
    if (year < 1 || year > 9999)
        return std::nullopt;
    return CivilTime{static_cast<int>(year),
                     month,
                     day,
                     static_cast<int>(inDay / 3600),
                     static_cast<int>(inDay / 60 % 60),
                     static_cast<int>(inDay % 60),
                     millisecond};
}

int TwoDigits(std::string_view text, size_t pos) {
    const auto digit = [&](size_t i) { return text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -100; };
    const int value = digit(pos) * 10 + digit(pos + 1);
    return value < 0 ? -1 : value;
}

} // namespace

std::optional<int> ParseUtcOffset(std::string_view text) {
    if (text == "Z")
        return 0;
    const bool colon = text.size() == 6 && text[3] == ':';
    if ((!colon && text.size() != 5) || (text[0] != '+' && text[0] != '-'))
        return std::nullopt;
    const int hours = TwoDigits(text, 1);
    const int minutes = TwoDigits(text, colon ? 4 : 3);
    if (hours < 0 || minutes < 0 || minutes > 59 || hours * 60 + minutes > kMostOffsetMinutes)
        return std::nullopt;
    return (text[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
}

std::optional<CivilTime> UtcOf(const CivilTime& local, int offsetMinutes) {
    const int64_t seconds = DaysFromCivil(local.Year, local.Month, local.Day) * kSecondsPerDay +
                            local.Hour * 3600 + local.Minute * 60 + local.Second -
                            int64_t{offsetMinutes} * 60;
    return CivilOfSeconds(seconds, local.Millisecond);
}

std::optional<CivilTime> CivilOfUnixSeconds(uint64_t seconds) {
    // Past year 9999 long before the conversion could overflow.
    if (seconds > uint64_t{400} * 365 * kSecondsPerDay * 100)
        return std::nullopt;
    return CivilOfSeconds(static_cast<int64_t>(seconds), 0);
}
