// The control's sets and their platform bits, and the cut-to-fit text buffer.
#include "listctrl/ListViewTypes.h"
#include "listctrl/TextBuffer.h"

#include <gtest/gtest.h>

#include <array>

TEST(WithImpliedStyles, HotUnderlineNeedsOneClickActivation) {
    EXPECT_EQ(WithImpliedStyles({lvxUnderlineHot}),
              (TLVExtendedStyles{lvxUnderlineHot, lvxOneClickActivate}));
    EXPECT_EQ(WithImpliedStyles({lvxUnderlineHot, lvxTwoClickActivate}),
              (TLVExtendedStyles{lvxUnderlineHot, lvxTwoClickActivate}));
}

TEST(WithImpliedStyles, ColdUnderlineNeedsOneClickActivation) {
    EXPECT_EQ(WithImpliedStyles({lvxUnderlineCold, lvxTwoClickActivate}),
              (TLVExtendedStyles{lvxUnderlineCold, lvxTwoClickActivate, lvxOneClickActivate}));
    EXPECT_EQ(WithImpliedStyles({lvxGridLines}), (TLVExtendedStyles{lvxGridLines}));
}

TEST(ExtendedStyleBits, MapsEachStyleToItsPlatformBit) {
    EXPECT_EQ(ExtendedStyleBits({lvxHeaderDragDrop, lvxFullRowSelect}), 0x30u);
    EXPECT_EQ(ExtendedStyleBits({lvxInfoTip}), 0x400u);
    EXPECT_EQ(ExtendedStyleBits({lvxLabelTip, lvxFlatScrollBar}), 0x4100u);
    EXPECT_EQ(ExtendedStylesFromBits(0x4031u),
              (TLVExtendedStyles{lvxGridLines, lvxHeaderDragDrop, lvxFullRowSelect, lvxLabelTip}));
    EXPECT_EQ(ExtendedStylesFromBits(0x200u), TLVExtendedStyles{});
}

TEST(NextItemFlags, CombinesDirectionAndStates) {
    EXPECT_EQ(NextItemFlags(sdAll, {isFocused}), 0x1u);
    EXPECT_EQ(NextItemFlags(sdAll, {isSelected}), 0x2u);
    EXPECT_EQ(NextItemFlags(sdBelow, {isCut, isDropHilited}), 0x20Cu);
    EXPECT_EQ(NextItemFlags(sdLeft, {}), 0x400u);
}

TEST(VirtualCountFlagBits, NoScrollIsTwo) {
    EXPECT_EQ(VirtualCountFlagBits({vcfNoScroll}), 2u);
    EXPECT_EQ(VirtualCountFlagBits({vcfNoInvalidateAll, vcfNoScroll}), 3u);
}

TEST(ViewStyleFromNumber, OnlyZeroToThreeAreViewStyles) {
    TViewStyle style = vsReport;
    EXPECT_TRUE(ViewStyleFromNumber(2, style));
    EXPECT_EQ(style, vsList);
    EXPECT_FALSE(ViewStyleFromNumber(7, style));
    EXPECT_FALSE(ViewStyleFromNumber(-1, style));
    EXPECT_EQ(style, vsList);
}

TEST(TextBuffer, TextLongerThanTheBufferIsCutToCapacityLessOne) {
    std::array<wchar_t, 5> buffer{};
    TextBuffer text(buffer.data(), buffer.size());
    text.Assign(L"abcdefgh");
    EXPECT_EQ(std::wstring(buffer.data()), L"abcd");
    EXPECT_EQ(text.View(), L"abcd");
}

TEST(TextBuffer, AppendsUntilFull) {
    std::array<wchar_t, 8> buffer{};
    TextBuffer text(buffer.data(), buffer.size());
    text.Assign(L"12");
    text.Append(L" Ko");
    text.Append(L"xyz");
    EXPECT_EQ(std::wstring(buffer.data()), L"12 Koxy");
}

TEST(TextBuffer, NoBufferDropsEveryWrite) {
    TextBuffer none;
    none.Assign(L"abc");
    EXPECT_TRUE(none.View().empty());
    std::array<wchar_t, 1> one{L'z'};
    TextBuffer empty(one.data(), 0);
    empty.Assign(L"abc");
    EXPECT_EQ(one[0], L'z');
}
