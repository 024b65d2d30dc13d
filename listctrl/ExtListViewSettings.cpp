// The display order of the columns in the stored layout, ahead of the widths.
#include "listctrl/ExtListView.h"

#include "listctrl/ColumnList.h"
#include "listctrl/RegistrySection.h"

bool TCustomExtListView::WriteColumnSettings() {
    const TdfsExtLVSaveSettings& s = SaveSettings();
    const int n = ColumnCount();
    if (s.SaveColumnOrder && n > 0) {
        std::vector<int> order;
        CurrentColumnOrder(n, order);
        RegistrySection(s.RegistryKey, s.kColumnsSection, RegistrySection::Access::Write)
            .WriteString(s.kOrderValue, FormatColumnList(order));
    }
    return TCustomEnhListView::WriteColumnSettings();
}

bool TCustomExtListView::ReadColumnSettings() {
    const TdfsExtLVSaveSettings& s = SaveSettings();
    const int n = ColumnCount();
    if (s.SaveColumnOrder && n > 0) {
        const auto text = RegistrySection(s.RegistryKey, s.kColumnsSection, RegistrySection::Access::Read)
                              .ReadString(s.kOrderValue);
        ApplyColumnOrder(ColumnOrderFromText(text.value_or(L""), n));
    }
    return TCustomEnhListView::ReadColumnSettings();
}
