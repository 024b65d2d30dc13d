// The platform's locales: the language's separators and collation, the file system's case mapping.
#include "base/WinLocale.h"

#include "listing/FileListing.h"
#include "listing/MaskSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> SortedNames(std::vector<std::wstring> names, const Locale& locale) {
    TFileListing listing;
    listing.Reset(L"C:\\");
    for (const std::wstring& name : names) {
        TFileObject entry;
        entry.Name = name;
        listing.Add(std::move(entry));
    }
    listing.Sort(TFileListing::kName, true, locale);
    for (size_t i = 0; i < listing.Count(); ++i)
        names[i] = listing[i].Name;
    return names;
}

TEST(WinLocale, FileNameCaseFollowsTheFileSystemUnderATurkishLocale) {
    const WinLocale turkish(L"tr-TR");
    // The mask box forces upper case; Turkish rules would lower its I to a dotless one.
    EXPECT_TRUE(MatchesMask(L"desktop.ini", ParseMask(L"*.INI", turkish), turkish));
    EXPECT_EQ(turkish.ToUpper(L"desktop.ini \u00e9t\u00e9"), L"DESKTOP.INI \u00c9T\u00c9");
    EXPECT_EQ(turkish.ToLower(L"DESKTOP.INI \u00c9T\u00c9"), L"desktop.ini \u00e9t\u00e9");
}

TEST(WinLocale, AccentedNamesSortAmongTheirLettersInTheLanguagesOrder) {
    const WinLocale french(L"fr-FR");
    EXPECT_EQ(french.DecimalSeparator(), L',');
    EXPECT_EQ(SortedNames({L"Zo\u00e9", L"fable", L"\u00e9t\u00e9", L"eau"}, french),
              (std::vector<std::wstring>{L"eau", L"\u00e9t\u00e9", L"fable", L"Zo\u00e9"}));
}

} // namespace
