// Plurals, byte counts and size texts in a pinned French locale, and the path helpers.
#include "base/FixedLocale.h"
#include "base/TextHelpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

FixedLocale french;
const std::wstring nbsp = L"\u00A0";

TEST(PluralWord, SingularForZeroAndOnePluralFromTwo) {
    EXPECT_EQ(PluralWord(L" fichier", 0), L" fichier");
    EXPECT_EQ(PluralWord(L" fichier", 1), L" fichier");
    EXPECT_EQ(PluralWord(L" fichier", 2), L" fichiers");
    EXPECT_EQ(PluralWord(L"", 5), L"");
}

TEST(ByteCountText, GroupsEveryDigitByThousands) {
    EXPECT_EQ(ByteCountText(0, french), L"0");
    EXPECT_EQ(ByteCountText(999, french), L"999");
    EXPECT_EQ(ByteCountText(1234567, french), L"1" + nbsp + L"234" + nbsp + L"567");
    EXPECT_EQ(ByteCountText(123456789, french), L"123" + nbsp + L"456" + nbsp + L"789");
    EXPECT_EQ(ByteCountText(std::numeric_limits<int64_t>::max(), french),
              L"9" + nbsp + L"223" + nbsp + L"372" + nbsp + L"036" + nbsp + L"854" + nbsp + L"775" + nbsp +
                  L"807");
}

TEST(SizeText, InOctets) {
    EXPECT_EQ(SizeText(false, 0, french), L"0 octet");
    EXPECT_EQ(SizeText(true, 0, french), L"0 octet");
    EXPECT_EQ(SizeText(false, -5, french), L"0 octet");
    EXPECT_EQ(SizeText(false, 1, french), L"1 octet");
    EXPECT_EQ(SizeText(false, 2, french), L"2 octets");
    EXPECT_EQ(SizeText(false, 1234567, french), L"1" + nbsp + L"234" + nbsp + L"567 octets");
}

TEST(SizeText, AdaptiveUnits) {
    EXPECT_EQ(SizeText(true, 1, french), L"1 octet");
    EXPECT_EQ(SizeText(true, 1023, french), L"1023 octets");
    EXPECT_EQ(SizeText(true, 1024, french), L"1 Ko");
    EXPECT_EQ(SizeText(true, 1536, french), L"1,5 Ko");
    EXPECT_EQ(SizeText(true, 10240, french), L"10 Ko");
    EXPECT_EQ(SizeText(true, 1048576, french), L"1 Mo");
    EXPECT_EQ(SizeText(true, 1610612736, french), L"1,5 Go");
    EXPECT_EQ(SizeText(true, 1023 * 1024 + 512, french), L"1,02E03 Ko"); // 1 023.5 Ko
    EXPECT_EQ(SizeText(true, 1500LL * 1073741824, french), L"1,5E03 Go");
}

TEST(GeneralNumberText, ThreeSignificantDigits) {
    EXPECT_EQ(GeneralNumberText(1.23456, french), L"1,23");
    EXPECT_EQ(GeneralNumberText(12.345, french), L"12,3");
    EXPECT_EQ(GeneralNumberText(999.4, french), L"999");
    EXPECT_EQ(GeneralNumberText(999.5, french), L"1E03");
    EXPECT_EQ(GeneralNumberText(2.0, french), L"2");
}

TEST(PathHelpers, TrailingBackslashes) {
    EXPECT_EQ(StripTrailingBackslashes(L"C:\\"), L"C:");
    EXPECT_EQ(StripTrailingBackslashes(L"C:\\A\\\\"), L"C:\\A");
    EXPECT_EQ(StripTrailingBackslashes(L""), L"");
    EXPECT_EQ(WithTrailingBackslash(L"C:"), L"C:\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\"), L"C:\\");
}

TEST(ReportDateTimeText, DayFirstEveryFieldButTheYearOnTwoDigits) {
    EXPECT_EQ(ReportDateTimeText(2015, 6, 15, 10, 30, 2), L"15/06/2015 10:30:02");
    EXPECT_EQ(ReportDateTimeText(987, 1, 2, 0, 0, 0), L"02/01/987 00:00:00");
}

TEST(Quoted, FrenchQuotationMarksEachWithItsSpace) {
    EXPECT_EQ(Quoted(L"C:\\Photos"), L"\u00AB C:\\Photos \u00BB");
    EXPECT_EQ(Quoted(L""), L"\u00AB  \u00BB");
}

TEST(TrimSpaces, OnlySpacesAtEitherEnd) {
    EXPECT_EQ(TrimSpaces(L"  C:\\A b  "), L"C:\\A b");
    EXPECT_EQ(TrimSpaces(L"\tA "), L"\tA");
    EXPECT_EQ(TrimSpaces(L"   "), L"");
    EXPECT_EQ(TrimSpaces(L""), L"");
}

TEST(IsNoVersionArgument, RecognisedWhateverTheCase) {
    EXPECT_TRUE(IsNoVersionArgument(L"/noversion"));
    EXPECT_TRUE(IsNoVersionArgument(L"/NoVersion"));
    EXPECT_FALSE(IsNoVersionArgument(L"/noversio"));
    EXPECT_FALSE(IsNoVersionArgument(L"noversion"));
}

} // namespace
