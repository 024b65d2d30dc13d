// Dates in file names: the known forms anywhere in a name, the second date, impossible dates, and
// the user's patterns.
#include "readers/NameDate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

namespace {

struct NameCase {
    const wchar_t* Name;
    std::optional<NameDate> Expected;
};

NameDate At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0,
            bool utc = false, bool second_ = false) {
    return NameDate{{year, month, day, hour, minute, second, ms}, utc, second_};
}

TEST(NameDateTest, FindsEachKnownFormAnywhereInTheName) {
    const NameCase cases[] = {
        {L"IMG_20230415_143022.jpg", At(2023, 4, 15, 14, 30, 22)},
        {L"VID_20230415_143022_01.mp4", At(2023, 4, 15, 14, 30, 22)},
        {L"Screenshot_20240102-101530_Chrome.png", At(2024, 1, 2, 10, 15, 30)},
        {L"signal-2024-01-02-101530.jpg", At(2024, 1, 2, 10, 15, 30)},
        {L"signal-2024-01-02-10-15-30-123.jpg", At(2024, 1, 2, 10, 15, 30)},
        {L"2023-12-25 18.30.00.jpg", At(2023, 12, 25, 18, 30, 0)},
        {L"WhatsApp Image 2026-08-31 at 15.41.14.jpeg", At(2026, 8, 31, 15, 41, 14)},
        {L"Capture 2023-04-15 AT 09.05.00.png", At(2023, 4, 15, 9, 5, 0)},
        {L"Screenshot 2023-04-15 at 2.30.22 PM.png", At(2023, 4, 15, 14, 30, 22)},
        {L"WhatsApp Video 2023-04-15 at 12.05.09\u202Fam.mp4", At(2023, 4, 15, 0, 5, 9)},
        {L"Screenshot 2023-04-15 at 12.30.22 PM.png", At(2023, 4, 15, 12, 30, 22)},
        {L"IMG-20230415-WA0003.jpg", At(2023, 4, 15)},
        {L"2023-04-15_14-30-22.mkv", At(2023, 4, 15, 14, 30, 22)},
        {L"20230415_143022(1).jpg", At(2023, 4, 15, 14, 30, 22)},
        {L"IMG_20230415_143022123.jpg", At(2023, 4, 15, 14, 30, 22, 123)},
        // Pixel phones name files by UTC.
        {L"PXL_20230415_143022123.MP.jpg", At(2023, 4, 15, 14, 30, 22, 123, true)},
        {L"IMG_20230415_143022_20230416_090000.jpg", At(2023, 4, 15, 14, 30, 22, 0, false, true)},
        {L"2023-12-25 18.30.00 (IMG_20231224_100000).jpg", At(2023, 12, 25, 18, 30, 0, 0, false, true)},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(FindNameDate(c.Name), c.Expected) << c.Name;
}

TEST(NameDateTest, ImpossibleDatesAndOtherDigitsAreNoDate) {
    for (const wchar_t* name :
         {L"IMG_20231315_143022.jpg", L"IMG_20230230_143022.jpg", L"IMG_20230415_253022.jpg",
          L"IMG_20230415_146022.jpg", L"IMG_120230415_143022.jpg", L"IMG_20230415_1430221.jpg",
          L"IMG_20230415.jpg", L"2023-04-15.jpg", L"DSC01234.JPG", L"IMG-20230431-WA0001.jpg",
          L"2023-04-15 at 14:30:22.png", L"", L"20230415_14302", L"2023-04-15 at 2.60.22 PM.png"})
        EXPECT_EQ(FindNameDate(name), std::nullopt) << name;
    // An impossible date does not hide a real one later in the name.
    EXPECT_EQ(FindNameDate(L"IMG_20231315_143022 IMG_20231215_143022.jpg"), At(2023, 12, 15, 14, 30, 22));
}

TEST(NameDateTest, UserPatternsMatchTheWholeName) {
    const struct {
        const wchar_t* Pattern;
        const wchar_t* Name;
        std::optional<NameDate> Expected;
    } cases[] = {
        {L"Photo JJ.MM.AAAA hhhmm*", L"Photo 25.12.2023 18h30.jpg", At(2023, 12, 25, 18, 30)},
        {L"Photo MM-JJ-AAAA*", L"PHOTO 12-25-2023.jpg", At(2023, 12, 25)},
        {L"*JJMMAAAA*", L"vacances_31122023_plage.png", At(2023, 12, 31)},
        {L"*_AAAAMMJJ.*", L"scan_20230230.tif", std::nullopt},
        {L"*AAAAMMJJ*", L"x123420230415y.txt", At(2023, 4, 15)},
        {L"AAAA MM JJ hh mm ss", L"2023 04 15 24 00 00", std::nullopt},
        {L"AAAA-MM-JJ*", L"2023-04-15 IMG_20230416_101010.jpg", At(2023, 4, 15, 0, 0, 0, 0, false, true)},
        {L"AAAA-MM-JJ", L"2023-04-15.jpg", std::nullopt},
        {L"*AAAA*MM*JJ*", L"a2023b04c15d", At(2023, 4, 15)},
    };
    for (const auto& c : cases) {
        const std::optional<NamePattern> pattern = ParseNamePattern(c.Pattern);
        ASSERT_TRUE(pattern) << c.Pattern;
        EXPECT_EQ(MatchNamePattern(*pattern, c.Name), c.Expected) << c.Pattern << L" " << c.Name;
    }
}

TEST(NameDateTest, PatternsWithoutAFullDateOrWithATokenTwiceAreRefused) {
    for (const wchar_t* text : {L"", L"*", L"MM-JJ hh.mm.ss", L"AAAA-MM", L"AAAA-JJ*", L"AAAAMMJJ-AAAA",
                                L"AAAAMMJJ MM", L"jj.MM.AAAA"})
        EXPECT_FALSE(ParseNamePattern(text)) << text;
}

TEST(NameDateTest, ManyStarsAgainstALongNameEndQuickly) {
    const std::optional<NamePattern> pattern = ParseNamePattern(L"*1*2*3*4*5*6*7*8*AAAAMMJJ*9*");
    ASSERT_TRUE(pattern);
    const std::wstring name = L"12345678" + std::wstring(5000, L'0') + L"9";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MatchNamePattern(*pattern, name), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

} // namespace
