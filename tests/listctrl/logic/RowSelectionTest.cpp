#include "listctrl/RowSelection.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Selected(const RowSelection& selection) {
    std::vector<int> rows;
    selection.ForEach([&](int row) { rows.push_back(row); });
    return rows;
}

} // namespace

TEST(RowSelection, CountAndRowsFollowRangesSingleRowsAndResizes) {
    RowSelection selection;
    selection.Reset(10);
    selection.Set(2, 5, true);
    selection.Set(4, 4, true); // already selected: counted once
    selection.Set(3, 3, false);
    EXPECT_EQ(Selected(selection), (std::vector<int>{2, 4, 5}));
    EXPECT_EQ(selection.Count(), 3);

    selection.Set(8, 20, true); // clipped to the rows there are
    selection.Set(-5, 0, true);
    EXPECT_EQ(Selected(selection), (std::vector<int>{0, 2, 4, 5, 8, 9}));

    selection.Resize(5); // rows that go take their selection with them
    EXPECT_EQ(selection.Count(), 3);
    selection.Resize(7); // and come back unselected
    EXPECT_EQ(Selected(selection), (std::vector<int>{0, 2, 4}));

    selection.SetAll(true);
    EXPECT_EQ(selection.Count(), 7);
    selection.SetAll(false);
    EXPECT_TRUE(Selected(selection).empty());
    EXPECT_EQ(selection.Count(), 0);
}
