// Regional date and time texts through the platform's formatting.
#include "operations/dialogs/RegionalDateText.h"

#include "operations/dialogs/DateText.h"

namespace {

std::wstring LocaleText(LCTYPE type) {
    const int size = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring text(static_cast<size_t>(size), L'\0');
    ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text.data(), size);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

} // namespace

std::wstring ShortDateText(const SYSTEMTIME& date) {
    const int size =
        ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, nullptr, 0, nullptr);
    if (size <= 0)
        return {};
    std::wstring text(static_cast<size_t>(size), L'\0');
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text.data(), size, nullptr);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

std::wstring LongTimeText(const SYSTEMTIME& time) {
    const int size = ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring text(static_cast<size_t>(size), L'\0');
    ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &time, nullptr, text.data(), size);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

std::optional<SYSTEMTIME> ReadShortDate(const std::wstring& text) {
    const std::optional<DateOnly> date = ParseDateText(text, LocaleText(LOCALE_SSHORTDATE));
    if (!date)
        return std::nullopt;
    SYSTEMTIME value{};
    value.wYear = static_cast<WORD>(date->Year);
    value.wMonth = static_cast<WORD>(date->Month);
    value.wDay = static_cast<WORD>(date->Day);
    return value;
}

std::optional<SYSTEMTIME> ReadLongTime(const std::wstring& text) {
    const std::optional<TimeOfDay> time = ParseTimeText(text, LocaleText(LOCALE_STIMEFORMAT),
                                                        LocaleText(LOCALE_S1159), LocaleText(LOCALE_S2359));
    if (!time)
        return std::nullopt;
    SYSTEMTIME value{};
    value.wYear = 2000;
    value.wMonth = 1;
    value.wDay = 1;
    value.wHour = static_cast<WORD>(time->Hour);
    value.wMinute = static_cast<WORD>(time->Minute);
    value.wSecond = static_cast<WORD>(time->Second);
    return value;
}
