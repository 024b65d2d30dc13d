// The locale facts that the platform-free logic needs: separators, case mapping and the
// case-insensitive collation. The program installs the user's settings at start; tests pin a
// French locale so that their expected texts do not depend on the machine.
//
// Separators and collation are the language's. The case mapping is the file system's, the same in
// every language: it serves file names (masks, case conversion, path comparison), which the file
// system matches by its own rules, so that under a Turkish locale "*.INI" still finds
// "desktop.ini".
#pragma once

#include <string>
#include <string_view>

class Locale {
public:
    virtual ~Locale() = default;

    virtual wchar_t DecimalSeparator() const = 0;
    // May be several characters long or empty, as the user's settings allow.
    virtual std::wstring ThousandSeparator() const = 0;
    virtual wchar_t DateSeparator() const = 0;
    virtual wchar_t TimeSeparator() const = 0;

    // File-system case mapping; keeps the text's length.
    virtual std::wstring ToUpper(std::wstring_view text) const = 0;
    virtual std::wstring ToLower(std::wstring_view text) const = 0;
    // Negative, zero or positive, ignoring letter case, in the locale's collation order.
    virtual int CompareNoCase(std::wstring_view a, std::wstring_view b) const = 0;
    // A byte string whose plain comparison orders texts as CompareNoCase does, so that a large
    // sort pays the collation once per text instead of once per comparison.
    virtual std::string SortKey(std::wstring_view text) const = 0;
    // The same key added to the end of a buffer, so that many keys can share one allocation.
    virtual void AppendSortKey(std::wstring_view text, std::string& out) const { out += SortKey(text); }
};

// The locale the program runs with. Defaults to the French fixed locale until one is installed.
const Locale& CurrentLocale();
// Installs a locale that outlives its use; returns the previous one.
const Locale& SetCurrentLocale(const Locale& locale);
