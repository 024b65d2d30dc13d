// Whole-day arithmetic on the proleptic Gregorian calendar, in integers so that an instant read
// from a file is exact to the second.
#include "readers/TakenDate.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int kMostOffsetMinutes = 14 * 60;

std::optional<CivilTime> CivilOfSeconds(int64_t seconds, int millisecond) {
    int64_t days = seconds / kSecondsPerDay;
    int64_t inDay = seconds % kSecondsPerDay;
    if (inDay < 0) {
        inDay += kSecondsPerDay;
        --days;
    }
    if (days < DaysFromCivil(1, 1, 1) || days > DaysFromCivil(9999, 12, 31))
        return std::nullopt;
    int year = 0;
    int month = 0;
    int day = 0;
    CivilFromDays(days, year, month, day);
    return CivilTime{year,
                     month,
                     day,
                     static_cast<int>(inDay / 3600),
                     static_cast<int>(inDay / 60 % 60),
                     static_cast<int>(inDay % 60),
                     millisecond};
}

} // namespace

int DigitsAt(std::string_view text, size_t pos, size_t count) {
    if (pos > text.size() || count > text.size() - pos)
        return -1;
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

namespace {

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
