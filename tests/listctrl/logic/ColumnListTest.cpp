// The stored column lists: how "Order" and "Sizes" texts from the registry become an order and
// widths the list accepts, whatever the text holds.
#include "listctrl/ColumnList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

TEST(ParseDecimalInteger, AcceptsSignedDecimalsOnly) {
    EXPECT_EQ(ParseDecimalInteger(L"120"), 120);
    EXPECT_EQ(ParseDecimalInteger(L"-1"), -1);
    EXPECT_EQ(ParseDecimalInteger(L"+7"), 7);
    EXPECT_EQ(ParseDecimalInteger(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimalInteger(L"-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseDecimalInteger(L"2147483648"));
    EXPECT_FALSE(ParseDecimalInteger(L"abc"));
    EXPECT_FALSE(ParseDecimalInteger(L""));
    EXPECT_FALSE(ParseDecimalInteger(L"-"));
    EXPECT_FALSE(ParseDecimalInteger(L"12x"));
    EXPECT_FALSE(ParseDecimalInteger(L"99999999999999999999"));
}

TEST(FormatColumnList, SeparatesWithCommasWithoutBlanks) {
    EXPECT_EQ(FormatColumnList({0, 1, 2, 3, 4, 5, 6, 7}), L"0,1,2,3,4,5,6,7");
    EXPECT_EQ(FormatColumnList({120}), L"120");
    EXPECT_EQ(FormatColumnList({}), L"");
}

TEST(SplitColumnList, TakesAtMostTheColumnCountAndStopsAtAnEmptyRest) {
    EXPECT_THAT(SplitColumnList(L"80,abc,100", 3), ElementsAre(L"80", L"abc", L"100"));
    EXPECT_THAT(SplitColumnList(L"1,2,3,4", 2), ElementsAre(L"1", L"2"));
    EXPECT_THAT(SplitColumnList(L"1,2,", 5), ElementsAre(L"1", L"2"));
    EXPECT_THAT(SplitColumnList(L"1,,3", 5), ElementsAre(L"1", L"", L"3"));
    EXPECT_TRUE(SplitColumnList(L"", 5).empty());
    EXPECT_TRUE(SplitColumnList(L"1,2", 0).empty());
}

TEST(ColumnOrderFromText, MissingOrEmptyGivesTheNaturalOrder) {
    EXPECT_THAT(ColumnOrderFromText(L"", 3), ElementsAre(0, 1, 2));
}

TEST(ColumnOrderFromText, AStoredPermutationIsKept) {
    EXPECT_THAT(ColumnOrderFromText(L"2,0,1", 3), ElementsAre(2, 0, 1));
    EXPECT_THAT(ColumnOrderFromText(L"7,6,5,4,3,2,1,0", 8), ElementsAre(7, 6, 5, 4, 3, 2, 1, 0));
}

TEST(ColumnOrderFromText, PositionsLeftOutGetTheMissingColumnsInAscendingOrder) {
    EXPECT_THAT(ColumnOrderFromText(L"2", 4), ElementsAre(2, 0, 1, 3));
}

TEST(ColumnOrderFromText, ExtraEntriesAreIgnored) {
    EXPECT_THAT(ColumnOrderFromText(L"1,0,5,6", 2), ElementsAre(1, 0));
}

TEST(ColumnOrderFromText, AnOrderThatIsNotAPermutationGivesTheNaturalOrder) {
    EXPECT_THAT(ColumnOrderFromText(L"1,1,2", 3), ElementsAre(0, 1, 2));
    EXPECT_THAT(ColumnOrderFromText(L"0,1,9", 3), ElementsAre(0, 1, 2));
    EXPECT_THAT(ColumnOrderFromText(L"-1,0,1", 3), ElementsAre(0, 1, 2));
    EXPECT_THAT(ColumnOrderFromText(L"x,y,z", 3), ElementsAre(0, 1, 2));
}

TEST(ColumnOrderFromText, AnEntryThatDoesNotConvertCountsAsColumnZero) {
    EXPECT_THAT(ColumnOrderFromText(L"1,x,2", 3), ElementsAre(1, 0, 2));
}

TEST(ColumnSizesFromText, AnEntryThatDoesNotConvertKeepsItsWidth) {
    const auto widths = ColumnSizesFromText(L"80,abc,100", {50, 60, 70});
    ASSERT_TRUE(widths);
    EXPECT_THAT(*widths, ElementsAre(80, 60, 100));
}

TEST(ColumnSizesFromText, AFirstEntryOfMinusOneAppliesNothing) {
    EXPECT_FALSE(ColumnSizesFromText(L"-1,80,90", {50, 60, 70}));
}

TEST(ColumnSizesFromText, MissingOrEmptyAppliesNothing) {
    EXPECT_FALSE(ColumnSizesFromText(L"", {50, 60, 70}));
}

TEST(ColumnSizesFromText, ShortListsAndNegativeWidthsKeepTheCurrentWidths) {
    const auto widths = ColumnSizesFromText(L"90,-5", {50, 60, 70});
    ASSERT_TRUE(widths);
    EXPECT_THAT(*widths, ElementsAre(90, 60, 70));
}

TEST(ClampSortColumn, BringsTheColumnIntoRange) {
    EXPECT_EQ(ClampSortColumn(12, 8), 7);
    EXPECT_EQ(ClampSortColumn(-3, 8), 0);
    EXPECT_EQ(ClampSortColumn(-1, 8), 0);
    EXPECT_EQ(ClampSortColumn(5, 8), 5);
    EXPECT_EQ(ClampSortColumn(3, 0), 0);
}

TEST(IsColumnPermutation, RequiresEachColumnOnce) {
    EXPECT_TRUE(IsColumnPermutation({2, 0, 1}, 3));
    EXPECT_FALSE(IsColumnPermutation({2, 0}, 3));
    EXPECT_FALSE(IsColumnPermutation({0, 0, 1}, 3));
    EXPECT_TRUE(IsColumnPermutation({}, 0));
}
