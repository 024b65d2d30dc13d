#include "listctrl/RowSelection.h"

#include <algorithm>

void RowSelection::Reset(int rows) {
    rows_.assign(static_cast<size_t>(std::max(rows, 0)), false);
    count_ = 0;
}

void RowSelection::Resize(int rows) {
    rows = std::max(rows, 0);
    if (rows < Rows())
        Set(rows, Rows() - 1, false);
    rows_.resize(static_cast<size_t>(rows), false);
}

void RowSelection::Set(int first, int last, bool selected) {
    first = std::max(first, 0);
    last = std::min(last, Rows() - 1);
    for (int row = first; row <= last; ++row) {
        auto bit = rows_[static_cast<size_t>(row)];
        if (bit != selected) {
            bit = selected;
            count_ += selected ? 1 : -1;
        }
    }
}
