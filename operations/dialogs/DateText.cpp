// Reading date and time texts back with their format picture.
#include "operations/dialogs/DateText.h"

#include <cwctype>
#include <vector>

namespace {

// The field letters of a picture in order, one per run of the same letter, quoted text skipped.
std::vector<wchar_t> FieldOrder(const std::wstring& picture, const std::wstring& letters) {
    std::vector<wchar_t> order;
    bool quoted = false;
    wchar_t previous = 0;
    for (wchar_t c : picture) {
        if (c == L'\'') {
            quoted = !quoted;
            previous = 0;
            continue;
        }
        if (quoted)
            continue;
        const wchar_t lower = static_cast<wchar_t>(std::towlower(c));
        if (letters.find(lower) != std::wstring::npos) {
            if (lower != previous)
                order.push_back(c);
        }
        previous = lower;
    }
    return order;
}

// The runs of decimal digits in a text, each with its digit count; runs too long to be a field
// make the text unreadable.
bool NumberRuns(const std::wstring& text, std::vector<int>& values, std::vector<int>& lengths) {
    int value = 0;
    int length = 0;
    for (wchar_t c : text) {
        if (c >= L'0' && c <= L'9') {
            if (++length > 4)
                return false;
            value = value * 10 + (c - L'0');
        } else if (length > 0) {
            values.push_back(value);
            lengths.push_back(length);
            value = 0;
            length = 0;
        }
    }
    if (length > 0) {
        values.push_back(value);
        lengths.push_back(length);
    }
    return true;
}

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int MonthDays(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

bool ContainsNoCase(const std::wstring& text, const std::wstring& part) {
    if (part.empty() || part.size() > text.size())
        return false;
    for (size_t i = 0; i + part.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < part.size() && std::towlower(text[i + k]) == std::towlower(part[k]))
            ++k;
        if (k == part.size())
            return true;
    }
    return false;
}

} // namespace

std::optional<DateOnly> ParseDateText(const std::wstring& text, const std::wstring& picture) {
    std::vector<wchar_t> order;
    for (wchar_t c : FieldOrder(picture, L"dmy"))
        // Day and month names (dddd, MMMM) are not numbers: such a picture cannot be read back.
        order.push_back(static_cast<wchar_t>(std::towlower(c)));
    if (order.size() != 3)
        return std::nullopt;
    std::vector<int> values;
    std::vector<int> lengths;
    if (!NumberRuns(text, values, lengths) || values.size() != 3)
        return std::nullopt;
    DateOnly date;
    for (size_t i = 0; i < 3; ++i) {
        switch (order[i]) {
        case L'd':
            date.Day = values[i];
            break;
        case L'm':
            date.Month = values[i];
            break;
        default:
            date.Year = values[i];
            if (lengths[i] <= 2)
                date.Year += date.Year < 50 ? 2000 : 1900;
            break;
        }
    }
    if (date.Year < 1601 || date.Year > 9999 || date.Month < 1 || date.Month > 12 || date.Day < 1 ||
        date.Day > MonthDays(date.Year, date.Month))
        return std::nullopt;
    return date;
}

std::optional<TimeOfDay> ParseTimeText(const std::wstring& text, const std::wstring& picture,
                                       const std::wstring& amDesignator, const std::wstring& pmDesignator) {
    const std::vector<wchar_t> order = FieldOrder(picture, L"hms");
    if (order.empty() || order.size() > 3)
        return std::nullopt;
    std::vector<int> values;
    std::vector<int> lengths;
    if (!NumberRuns(text, values, lengths) || values.size() != order.size())
        return std::nullopt;
    TimeOfDay time;
    bool twelveHour = false;
    bool hasHour = false;
    for (size_t i = 0; i < order.size(); ++i) {
        if (lengths[i] > 2)
            return std::nullopt;
        switch (order[i]) {
        case L'H':
            time.Hour = values[i];
            hasHour = true;
            break;
        case L'h':
            time.Hour = values[i];
            hasHour = true;
            twelveHour = true;
            break;
        case L'm':
        case L'M':
            time.Minute = values[i];
            break;
        default:
            time.Second = values[i];
            break;
        }
    }
    if (!hasHour)
        return std::nullopt;
    if (twelveHour) {
        if (time.Hour < 1 || time.Hour > 12)
            return std::nullopt;
        const bool pm = ContainsNoCase(text, pmDesignator) &&
                        !(ContainsNoCase(text, amDesignator) && amDesignator.size() > pmDesignator.size());
        time.Hour %= 12;
        if (pm)
            time.Hour += 12;
    }
    if (time.Hour > 23 || time.Minute > 59 || time.Second > 59)
        return std::nullopt;
    return time;
}
