// The user's regional settings, read from Windows once when the program starts.
#pragma once

#include "listing/Locale.h"

class WinLocale : public Locale {
public:
    WinLocale();

    wchar_t DecimalSeparator() const override { return decimal_; }
    std::wstring ThousandSeparator() const override { return thousand_; }
    wchar_t DateSeparator() const override { return date_; }
    wchar_t TimeSeparator() const override { return time_; }

    std::wstring ToUpper(std::wstring_view text) const override;
    std::wstring ToLower(std::wstring_view text) const override;
    int CompareNoCase(std::wstring_view a, std::wstring_view b) const override;
    std::string SortKey(std::wstring_view text) const override;
    void AppendSortKey(std::wstring_view text, std::string& out) const override;

private:
    wchar_t decimal_ = L'.';
    std::wstring thousand_;
    wchar_t date_ = L'/';
    wchar_t time_ = L':';
};
