// Stored placement texts and the placement rules that need no platform.
#include "placement/PlacementText.h"

#include <gtest/gtest.h>

TEST(PlacementTextTest, WordsAreSeparatedByCommasAndBlanks) {
    const auto words = PlacementWords(L"10, 20 ,,30   40");
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[0], L"10");
    EXPECT_EQ(words[3], L"40");
}

TEST(PlacementTextTest, EmptyOrSeparatorOnlyTextHasNoWords) {
    EXPECT_TRUE(PlacementWords(L"").empty());
    EXPECT_TRUE(PlacementWords(L" ,, ,").empty());
}

TEST(PlacementTextTest, BlankSeparatedPositionReadsLikeCommaSeparated) {
    const FourNumbers defaults{1, 2, 3, 4};
    EXPECT_EQ(ReadFourNumbers(L"10 20 300 400", defaults), (FourNumbers{10, 20, 300, 400}));
    EXPECT_EQ(ReadFourNumbers(L"10,20,300,400", defaults), (FourNumbers{10, 20, 300, 400}));
}

TEST(PlacementTextTest, MissingWordsKeepTheirDefaults) {
    EXPECT_EQ(ReadFourNumbers(L"10,20", {1, 2, 3, 4}), (FourNumbers{10, 20, 3, 4}));
}

TEST(PlacementTextTest, WordsThatAreNotNumbersKeepTheirDefaults) {
    EXPECT_EQ(ReadFourNumbers(L"x,-20,3a,", {1, 2, 3, 4}), (FourNumbers{1, -20, 3, 4}));
}

TEST(PlacementTextTest, ExtraWordsAreIgnored) {
    EXPECT_EQ(ReadFourNumbers(L"5,6,7,8,9,10", {1, 2, 3, 4}), (FourNumbers{5, 6, 7, 8}));
}

TEST(PlacementTextTest, DecimalAcceptsSignAndRejectsTheRest) {
    EXPECT_EQ(DecimalOrDefault(L"+12", 0), 12);
    EXPECT_EQ(DecimalOrDefault(L"-12", 0), -12);
    EXPECT_EQ(DecimalOrDefault(L"-", 7), 7);
    EXPECT_EQ(DecimalOrDefault(L"", 7), 7);
    EXPECT_EQ(DecimalOrDefault(L"$FF", 7), 7);
    EXPECT_EQ(DecimalOrDefault(L"1.5", 7), 7);
    EXPECT_EQ(DecimalOrDefault(L"١٢", 7), 7); // digits of another script are not decimal here
}

TEST(PlacementTextTest, NumbersBeyond32BitsGiveTheDefault) {
    EXPECT_EQ(DecimalOrDefault(L"2147483647", 0), 2147483647);
    EXPECT_EQ(DecimalOrDefault(L"-2147483648", 0), -2147483647 - 1);
    EXPECT_EQ(DecimalOrDefault(L"2147483648", 7), 7);
    EXPECT_EQ(DecimalOrDefault(L"-2147483649", 7), 7);
    EXPECT_EQ(DecimalOrDefault(L"99999999999999999999999999999", 7), 7);
}

TEST(PlacementTextTest, NumbersAreWrittenCommaSeparated) {
    EXPECT_EQ(FourNumbersText({102, 102, 852, -652}), L"102,102,852,-652");
}

TEST(PlacementTextTest, ResolutionSuffixNamesWidthAndHeight) {
    EXPECT_EQ(ResolutionSuffix(1024, 768), L"(1024x768)");
}

TEST(PlacementTextTest, ShowCommandsMapToStates) {
    for (int cmd : {1, 5, 9})
        EXPECT_EQ(StateFromShowCmd(cmd, WindowState::Maximized), WindowState::Normal) << cmd;
    for (int cmd : {2, 6, 7})
        EXPECT_EQ(StateFromShowCmd(cmd, WindowState::Normal), WindowState::Minimized) << cmd;
    EXPECT_EQ(StateFromShowCmd(3, WindowState::Normal), WindowState::Maximized);
    for (int cmd : {0, 4, 8, 10, 11, -1, 1000})
        EXPECT_EQ(StateFromShowCmd(cmd, WindowState::Minimized), WindowState::Minimized) << cmd;
}

TEST(PlacementTextTest, OnlyAMainFormPlacedByTheSystemOrAnMdiFrameStartsMaximized) {
    EXPECT_EQ(DefaultWindowState(true, FormStyle::Normal, FormPosition::Default), WindowState::Maximized);
    EXPECT_EQ(DefaultWindowState(true, FormStyle::MdiForm, FormPosition::Designed), WindowState::Maximized);
    EXPECT_EQ(DefaultWindowState(true, FormStyle::Normal, FormPosition::Designed), WindowState::Normal);
    EXPECT_EQ(DefaultWindowState(false, FormStyle::Normal, FormPosition::Default), WindowState::Normal);
    EXPECT_EQ(DefaultWindowState(true, FormStyle::StayOnTop, FormPosition::Default), WindowState::Normal);
}

TEST(PlacementTextTest, DerivedStoreNameUsesTheProgramName) {
    EXPECT_EQ(DerivedStoreName(true, L"", false, L"", L"C:\\Prog\\Kavet24.exe"), L"Software\\Kavet24");
    EXPECT_EQ(DerivedStoreName(false, L"", false, L"", L"C:\\Prog\\Kavet24.exe"), L"Kavet24.INI");
    EXPECT_EQ(DerivedStoreName(false, L"", false, L"", L"C:\\Prog.d\\Kavet"), L"Kavet.INI");
}

TEST(PlacementTextTest, DerivedStoreNameTakesPrefixAndTitleWhenAsked) {
    EXPECT_EQ(DerivedStoreName(true, L"Lumarek", true, L"Kavet24", L"C:\\p\\k.exe"),
              L"Software\\Lumarek\\Kavet24");
    EXPECT_EQ(DerivedStoreName(true, L"", true, L"", L"C:\\p\\k.exe"), L"Software\\k");
}
