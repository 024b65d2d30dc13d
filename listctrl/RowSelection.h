// Which rows of a virtual list are selected, kept beside the control from its own change
// notifications. Reading the selection back from the control costs one message per row it
// passes over; on 100,000 rows that is seconds for every change, where this costs a bit per row.
#pragma once

#include <cstddef>
#include <vector>

class RowSelection {
public:
    // rows rows, none selected.
    void Reset(int rows);
    // Keeps the state of the rows that remain; new rows come unselected.
    void Resize(int rows);
    // Rows first to last (clipped to the rows there are) take the state.
    void Set(int first, int last, bool selected);
    void SetAll(bool selected) { Set(0, Rows() - 1, selected); }

    int Rows() const { return static_cast<int>(rows_.size()); }
    int Count() const { return count_; }

    // Calls visit(row) for every selected row, first to last.
    template <class Visit> void ForEach(Visit visit) const {
        int left = count_;
        for (int row = 0; left > 0 && row < Rows(); ++row)
            if (rows_[static_cast<size_t>(row)]) {
                visit(row);
                --left;
            }
    }

private:
    std::vector<bool> rows_;
    int count_ = 0;
};
