// The user's regional settings (or a named locale's), read from Windows once.
#pragma once

#include "base/Locale.h"

class WinLocale : public Locale {
public:
    // The user's settings.
    WinLocale();
    // A locale by name ("tr-TR"), whatever the user's settings.
    explicit WinLocale(std::wstring name);

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
    const wchar_t* Name() const;

    std::wstring name_; // empty for the user's settings
    wchar_t decimal_ = L'.';
    std::wstring thousand_;
    wchar_t date_ = L'/';
    wchar_t time_ = L':';
};

// Makes the user's settings the program's locale for the rest of the run; returns the previous one.
const Locale& InstallUserLocale();
