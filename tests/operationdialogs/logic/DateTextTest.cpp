// Reading back regional date and time texts, and placing a dialog at the mouse cursor.
#include "operations/dialogs/DateText.h"
#include "operations/dialogs/DialogPlacement.h"

#include <gtest/gtest.h>

TEST(DateTextTest, ReadsFrenchShortDate) {
    EXPECT_EQ(ParseDateText(L"15/06/2021", L"dd/MM/yyyy"), (DateOnly{2021, 6, 15}));
}

TEST(DateTextTest, FollowsThePictureOrder) {
    EXPECT_EQ(ParseDateText(L"6/15/2021", L"M/d/yyyy"), (DateOnly{2021, 6, 15}));
    EXPECT_EQ(ParseDateText(L"2021-06-15", L"yyyy-MM-dd"), (DateOnly{2021, 6, 15}));
    EXPECT_EQ(ParseDateText(L"15.06.2021", L"dd'.'MM'.'yyyy"), (DateOnly{2021, 6, 15}));
}

TEST(DateTextTest, TwoDigitYearsFallInAHundredYearWindow) {
    EXPECT_EQ(ParseDateText(L"01/01/80", L"dd/MM/yy"), (DateOnly{1980, 1, 1}));
    EXPECT_EQ(ParseDateText(L"01/01/21", L"dd/MM/yy"), (DateOnly{2021, 1, 1}));
}

TEST(DateTextTest, RejectsWhatIsNoDate) {
    EXPECT_FALSE(ParseDateText(L"", L"dd/MM/yyyy"));
    EXPECT_FALSE(ParseDateText(L"31/02/2021", L"dd/MM/yyyy"));
    EXPECT_FALSE(ParseDateText(L"29/02/2021", L"dd/MM/yyyy"));
    EXPECT_TRUE(ParseDateText(L"29/02/2020", L"dd/MM/yyyy"));
    EXPECT_FALSE(ParseDateText(L"15/13/2021", L"dd/MM/yyyy"));
    EXPECT_FALSE(ParseDateText(L"15/06", L"dd/MM/yyyy"));
    EXPECT_FALSE(ParseDateText(L"15/06/2021/4", L"dd/MM/yyyy"));
    EXPECT_FALSE(ParseDateText(L"123456789/06/2021", L"dd/MM/yyyy"));
    EXPECT_FALSE(ParseDateText(L"15/06/2021", L"dddd d MMMM"));
}

TEST(DateTextTest, ReadsTwentyFourHourTime) {
    EXPECT_EQ(ParseTimeText(L"13:45:30", L"HH:mm:ss"), (TimeOfDay{13, 45, 30}));
    EXPECT_EQ(ParseTimeText(L"00:00:00", L"HH:mm:ss"), (TimeOfDay{0, 0, 0}));
    EXPECT_EQ(ParseTimeText(L"7:05", L"H:mm"), (TimeOfDay{7, 5, 0}));
}

TEST(DateTextTest, ReadsTwelveHourTimeWithItsDesignator) {
    EXPECT_EQ(ParseTimeText(L"1:45:30 PM", L"h:mm:ss tt"), (TimeOfDay{13, 45, 30}));
    EXPECT_EQ(ParseTimeText(L"12:00:00 AM", L"h:mm:ss tt"), (TimeOfDay{0, 0, 0}));
    EXPECT_EQ(ParseTimeText(L"12:10:00 PM", L"h:mm:ss tt"), (TimeOfDay{12, 10, 0}));
    EXPECT_EQ(ParseTimeText(L"9:00:00 am", L"h:mm:ss tt"), (TimeOfDay{9, 0, 0}));
}

TEST(DateTextTest, RejectsWhatIsNoTime) {
    EXPECT_FALSE(ParseTimeText(L"", L"HH:mm:ss"));
    EXPECT_FALSE(ParseTimeText(L"24:00:00", L"HH:mm:ss"));
    EXPECT_FALSE(ParseTimeText(L"12:60:00", L"HH:mm:ss"));
    EXPECT_FALSE(ParseTimeText(L"12:00", L"HH:mm:ss"));
    EXPECT_FALSE(ParseTimeText(L"13:00:00 PM", L"h:mm:ss tt"));
    EXPECT_FALSE(ParseTimeText(L"12:00:00", L"mm:ss"));
}

TEST(DialogPlacementTest, OpensAtTheCursorWhenThereIsRoom) {
    EXPECT_EQ(PlaceAtCursor(100, 200, 181, 271, 1024, 768), (DialogOrigin{100, 200}));
}

TEST(DialogPlacementTest, FlipsEachAxisThatWouldRunPastTheScreen) {
    EXPECT_EQ(PlaceAtCursor(1000, 700, 181, 271, 1024, 768), (DialogOrigin{819, 429}));
    EXPECT_EQ(PlaceAtCursor(1000, 10, 181, 271, 1024, 768), (DialogOrigin{819, 10}));
    EXPECT_EQ(PlaceAtCursor(10, 700, 181, 271, 1024, 768), (DialogOrigin{10, 429}));
}

TEST(DialogPlacementTest, ExactFitStaysAtTheCursor) {
    EXPECT_EQ(PlaceAtCursor(843, 497, 181, 271, 1024, 768), (DialogOrigin{843, 497}));
    EXPECT_EQ(PlaceAtCursor(844, 498, 181, 271, 1024, 768), (DialogOrigin{663, 227}));
}
