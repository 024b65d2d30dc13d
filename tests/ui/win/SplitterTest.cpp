// The splitter resizes its neighbour within limits, lays the container out again and reports the
// end of a drag; the containers lay out their aligned children on the real windows.
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/Splitter.h"

#include <gtest/gtest.h>

namespace {

class SplitterOnAForm : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(form.Create(L"Test", 0, 0, 600, 300, WS_OVERLAPPEDWINDOW));
        left.Create(form.Handle(), Align::Left, 200, 10);
        bar.Create(form.Handle(), Align::Left, 2);
        rest.Create(form.Handle(), Align::Client, 10, 10);
        bar.OnMoved = [this] { ++moves; };
    }

    void Drag(int dx) {
        bar.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
        bar.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1 + dx, 5));
        bar.Send(WM_LBUTTONUP, 0, MAKELPARAM(1, 5)); // the bar has moved with the mouse
    }

    Form form;
    Panel left;
    Splitter bar;
    Panel rest;
    int moves = 0;
};

} // namespace

TEST_F(SplitterOnAForm, ContainerLaysOutLeftSplitterAndClient) {
    EXPECT_EQ(left.Width(), 200);
    EXPECT_EQ(left.Height(), 300);
    EXPECT_EQ(bar.WindowRectInParent().left, 200);
    EXPECT_EQ(bar.Width(), 2);
    EXPECT_EQ(rest.WindowRectInParent().left, 202);
    EXPECT_EQ(rest.Width(), 398);
}

TEST_F(SplitterOnAForm, DraggingResizesTheNeighbourAndFiresOnMovedOnRelease) {
    EXPECT_EQ(bar.Neighbour(), &left);
    Drag(50);
    EXPECT_EQ(left.Width(), 250);
    EXPECT_EQ(rest.WindowRectInParent().left, 252);
    EXPECT_EQ(moves, 1);
}

TEST_F(SplitterOnAForm, DragIsLimitedByMinSizeOnBothSides) {
    Drag(-500);
    EXPECT_EQ(left.Width(), bar.MinSize);
    Drag(2000);
    EXPECT_EQ(rest.Width(), bar.MinSize);
}

TEST_F(SplitterOnAForm, ClickWithoutMovingDoesNotReportAMove) {
    Drag(0);
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(left.Width(), 200);
}

TEST_F(SplitterOnAForm, HiddenNeighbourGivesItsRoomToTheClient) {
    left.SetShown(false);
    bar.SetWidth(0);
    EXPECT_EQ(rest.WindowRectInParent().left, 0);
    EXPECT_EQ(rest.Width(), 600);
    left.SetShown(true);
    bar.SetWidth(2);
    EXPECT_EQ(rest.WindowRectInParent().left, 202);
}

TEST(Splitter, DraggedSizeFollowsTheEdge) {
    EXPECT_EQ(Splitter::DraggedSize(Align::Left, 100, 20, 30, 500), 120);
    EXPECT_EQ(Splitter::DraggedSize(Align::Right, 100, 20, 30, 500), 80);
    EXPECT_EQ(Splitter::DraggedSize(Align::Top, 100, -90, 30, 500), 30);
    EXPECT_EQ(Splitter::DraggedSize(Align::Bottom, 100, -900, 30, 500), 500);
}
