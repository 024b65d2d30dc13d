// A report-style list view that holds no rows, only their count: it asks its owner for the text
// of each cell as it draws it, so a list of a hundred thousand rows shows at once.
#pragma once

#include "ui/Control.h"

#include <functional>
#include <string>

class OwnerDataList : public Control {
public:
    bool Create(HWND parent, int x, int y, int width, int height);
    // Appends a column of the given design width.
    void AddColumn(const std::wstring& caption, int width);
    int ColumnCount() const;

    void SetRowCount(int count);
    int RowCount() const;
    // The text the control shows in a cell, asked of it as any reader would.
    std::wstring CellText(int row, int column) const;

    // The owner's text of a cell; only read, never made, while the control draws.
    std::function<const std::wstring&(int row, int column)> OnGetCellText;

protected:
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};
