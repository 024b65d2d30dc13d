// A locale that needs no platform: fixed separators, a case mapping for the Latin, Greek and
// Cyrillic alphabets, and a code-point collation of the lowered texts. French by default.
#pragma once

#include "base/Locale.h"

class FixedLocale : public Locale {
public:
    // French: "1,5", "1 234 567" (with a no-break space), "09/12/2026", "10:15:32".
    FixedLocale();
    FixedLocale(wchar_t decimal, std::wstring thousand, wchar_t date, wchar_t time);

    wchar_t DecimalSeparator() const override { return decimal_; }
    std::wstring ThousandSeparator() const override { return thousand_; }
    wchar_t DateSeparator() const override { return date_; }
    wchar_t TimeSeparator() const override { return time_; }

    std::wstring ToUpper(std::wstring_view text) const override;
    std::wstring ToLower(std::wstring_view text) const override;
    int CompareNoCase(std::wstring_view a, std::wstring_view b) const override;
    std::string SortKey(std::wstring_view text) const override;

    static wchar_t UpperChar(wchar_t c);
    static wchar_t LowerChar(wchar_t c);

private:
    wchar_t decimal_;
    std::wstring thousand_;
    wchar_t date_;
    wchar_t time_;
};
