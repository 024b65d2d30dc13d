// The alignment rules: edges take their own size from the room left, client fills the rest.
#include "ui/AlignLayout.h"

#include <gtest/gtest.h>

TEST(AlignLayout, LeftPanelSplitterAndClientShareTheWidthInOrder) {
    const LayoutRect area{0, 0, 700, 400};
    const auto boxes = ArrangeAligned(
        area, {{Align::Left, {0, 0, 320, 10}}, {Align::Left, {0, 0, 2, 10}}, {Align::Client, {0, 0, 5, 5}}});
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], (LayoutRect{0, 0, 320, 400}));
    EXPECT_EQ(boxes[1], (LayoutRect{320, 0, 322, 400}));
    EXPECT_EQ(boxes[2], (LayoutRect{322, 0, 700, 400}));
}

TEST(AlignLayout, TopAndBottomAreServedBeforeLeftWhateverTheirOrder) {
    const auto boxes = ArrangeAligned({0, 0, 500, 300}, {{Align::Left, {0, 0, 100, 1}},
                                                         {Align::Bottom, {0, 0, 1, 20}},
                                                         {Align::Top, {0, 0, 1, 51}},
                                                         {Align::Client, {}}});
    EXPECT_EQ(boxes[2], (LayoutRect{0, 0, 500, 51}));
    EXPECT_EQ(boxes[1], (LayoutRect{0, 280, 500, 300}));
    EXPECT_EQ(boxes[0], (LayoutRect{0, 51, 100, 280}));
    EXPECT_EQ(boxes[3], (LayoutRect{100, 51, 500, 280}));
}

TEST(AlignLayout, RightAlignedTakesItsWidthFromTheRightEdge) {
    const auto boxes = ArrangeAligned({0, 0, 300, 100}, {{Align::Right, {0, 0, 40, 1}}, {Align::Client, {}}});
    EXPECT_EQ(boxes[0], (LayoutRect{260, 0, 300, 100}));
    EXPECT_EQ(boxes[1], (LayoutRect{0, 0, 260, 100}));
}

TEST(AlignLayout, TooLittleRoomGivesEmptyBoxesNotNegativeOnes) {
    const auto boxes = ArrangeAligned(
        {0, 0, 50, 30}, {{Align::Left, {0, 0, 80, 1}}, {Align::Left, {0, 0, 10, 1}}, {Align::Client, {}}});
    EXPECT_EQ(boxes[0], (LayoutRect{0, 0, 50, 30}));
    EXPECT_EQ(boxes[1].Width(), 0);
    EXPECT_EQ(boxes[2].Width(), 0);
}

TEST(AlignLayout, UnalignedKeepsItsBox) {
    const LayoutRect where{5, 6, 25, 36};
    const auto boxes = ArrangeAligned({0, 0, 300, 100}, {{Align::None, where}, {Align::Client, {}}});
    EXPECT_EQ(boxes[0], where);
}
