// The display order of the columns in the stored layout, ahead of the widths.
#include "listctrl/ExtListView.h"

#include "listctrl/ColumnList.h"

bool TCustomExtListView::WriteColumnSettings() {
    const TdfsExtLVSaveSettings& s = SaveSettings();
    const int n = ColumnCount();
    if (s.SaveColumnOrder && n > 0) {
        std::vector<int> order;
        CurrentColumnOrder(n, order);
        Section(s.kColumnsSection, RegistrySection::Access::Write)
            .WriteText(s.kOrderValue, FormatColumnList(order));
    }
    return TCustomEnhListView::WriteColumnSettings();
}

bool TCustomExtListView::ReadColumnSettings() {
    const TdfsExtLVSaveSettings& s = SaveSettings();
    const int n = ColumnCount();
    if (s.SaveColumnOrder && n > 0) {
        const std::wstring text =
            Section(s.kColumnsSection, RegistrySection::Access::Read).ReadText(s.kOrderValue);
        ApplyColumnOrder(ColumnOrderFromText(text, n));
    }
    return TCustomEnhListView::ReadColumnSettings();
}
