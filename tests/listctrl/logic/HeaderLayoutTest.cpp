// Placement of the caption, image and sort arrow in an owner-drawn header item, and the size of
// the arrow bitmaps.
#include "listctrl/HeaderLayout.h"

#include <gtest/gtest.h>

namespace {

// A caption of fixed width, whatever area it is offered.
auto FixedWidth(int width) {
    return [width](const LayoutRect&) { return width; };
}

HeaderItemInput Item(int width, TCaptionAlignment alignment, bool arrow) {
    HeaderItemInput in;
    in.item = {0, 0, width, 20};
    in.alignment = alignment;
    in.hasArrow = arrow;
    in.arrowWidth = 8;
    in.arrowHeight = 8;
    return in;
}

} // namespace

TEST(SortArrowSize, IsTheTextHeightLessSixRoundedUpToEven) {
    EXPECT_EQ(SortArrowSize(13), 8);
    EXPECT_EQ(SortArrowSize(14), 8);
    EXPECT_EQ(SortArrowSize(16), 10);
    EXPECT_EQ(SortArrowSize(7), 2);
}

TEST(SortArrowSize, NoArrowWhenTheFontIsSixPixelsOrLess) {
    EXPECT_EQ(SortArrowSize(6), 0);
    EXPECT_EQ(SortArrowSize(3), 0);
    EXPECT_EQ(SortArrowSize(0), 0);
}

TEST(LayoutHeaderItem, ArrowStandsEightPixelsRightOfALeftAlignedCaption) {
    const auto layout = LayoutHeaderItem(Item(200, caLeft, true), FixedWidth(40));
    EXPECT_EQ(layout.bounds, (LayoutRect{2, 2, 198, 18}));
    EXPECT_EQ(layout.caption.left, 6);
    EXPECT_EQ(layout.caption.right, 46);
    ASSERT_TRUE(layout.drawArrow);
    EXPECT_EQ(layout.arrowX, 54);
    EXPECT_EQ(layout.arrowY, 2 + (16 - 8) / 2);
}

TEST(LayoutHeaderItem, ArrowStaysRightOfARightAlignedCaption) {
    const auto layout = LayoutHeaderItem(Item(200, caRight, true), FixedWidth(40));
    // Room for the arrow is kept on the right: 198 - 4 - (8 + 8).
    EXPECT_EQ(layout.caption.right, 178);
    EXPECT_EQ(layout.caption.left, 138);
    ASSERT_TRUE(layout.drawArrow);
    EXPECT_EQ(layout.arrowX, 186);
    EXPECT_LE(layout.arrowX + 8, layout.bounds.right);
}

TEST(LayoutHeaderItem, CentredCaptionIsCentredInTheRoomLeftByTheArrow) {
    const auto layout = LayoutHeaderItem(Item(104, caCenter, true), FixedWidth(20));
    // Room: 2 .. 102 - 16 = 86, width 84; free 64, half 32.
    EXPECT_EQ(layout.caption.left, 34);
    EXPECT_EQ(layout.caption.right, 54);
    EXPECT_TRUE(layout.drawArrow);
}

TEST(LayoutHeaderItem, NarrowItemKeepsTheCaptionInsideAndLeavesOutTheArrow) {
    const auto layout = LayoutHeaderItem(Item(50, caLeft, true), FixedWidth(80));
    EXPECT_EQ(layout.caption.left, 6);
    EXPECT_EQ(layout.caption.right, 48); // clipped: the caption is drawn with an ellipsis
    EXPECT_FALSE(layout.drawArrow);
}

TEST(LayoutHeaderItem, ArrowIsDrawnWhenItJustFits) {
    // Caption 6..30, arrow at 38..46, bounds end at 46.
    const auto layout = LayoutHeaderItem(Item(48, caLeft, true), FixedWidth(24));
    EXPECT_EQ(layout.arrowX, 38);
    EXPECT_TRUE(layout.drawArrow);
    const auto tooNarrow = LayoutHeaderItem(Item(47, caLeft, true), FixedWidth(24));
    EXPECT_FALSE(tooNarrow.drawArrow);
}

TEST(LayoutHeaderItem, PressedItemIsFilledWholeAndItsCaptionMovesByOnePixel) {
    auto in = Item(200, caLeft, false);
    const auto normal = LayoutHeaderItem(in, FixedWidth(40));
    in.pressed = true;
    const auto pressed = LayoutHeaderItem(in, FixedWidth(40));
    EXPECT_EQ(normal.fill, (LayoutRect{2, 2, 198, 18}));
    EXPECT_EQ(pressed.fill, (LayoutRect{0, 0, 200, 20}));
    EXPECT_EQ(pressed.caption.left, normal.caption.left + 2);
    EXPECT_EQ(pressed.caption.top, normal.caption.top + 2);
}

TEST(LayoutHeaderItem, ImageThatWouldCrossTheEdgeIsLeftOutWithoutArrow) {
    auto in = Item(40, caLeft, false);
    in.hasImage = true;
    in.imageWidth = 16;
    in.imageHeight = 16;
    in.imageAlignment = ciaRightOfText;
    const auto layout = LayoutHeaderItem(in, FixedWidth(30));
    EXPECT_FALSE(layout.drawImage);

    in.item.right = 200;
    const auto wide = LayoutHeaderItem(in, FixedWidth(30));
    ASSERT_TRUE(wide.drawImage);
    EXPECT_EQ(wide.imageX, wide.caption.right + 4);
}

TEST(LayoutHeaderItem, ImageRightOfTheTextPushesTheArrowFurtherRight) {
    auto in = Item(200, caLeft, true);
    in.hasImage = true;
    in.imageWidth = 16;
    in.imageHeight = 16;
    const auto layout = LayoutHeaderItem(in, FixedWidth(40));
    ASSERT_TRUE(layout.drawImage);
    EXPECT_EQ(layout.imageX, 50);
    EXPECT_EQ(layout.arrowX, 50 + 16 + 8);
}
