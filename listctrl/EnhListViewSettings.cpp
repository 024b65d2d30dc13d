// Writing and reading the widths, the sort state and the view style of the list. Widths are
// stored as at 96 DPI, so that a layout saved on a screen of one DPI reads back the same on
// another; on screen they are scaled to the list's DPI.
#include "listctrl/EnhListView.h"

#include "listctrl/ColumnList.h"
#include "ui/Form.h"

RegistrySection TCustomEnhListView::Section(const wchar_t* section, RegistrySection::Access access) const {
    return RegistrySection(RegistrySubKey(saveSettings_->RegistryKey, section), access);
}

bool TCustomEnhListView::WriteColumnSettings() {
    const TdfsEnhLVSaveSettings& s = *saveSettings_;
    const int n = ColumnCount();
    if (s.SaveColumnSizes && n > 0) {
        const int dpi = Form::DpiOf(Handle());
        std::vector<int> widths;
        for (int p = 0; p < n; ++p)
            widths.push_back(ScaleFromDpi(ColumnWidth(ColumnAtPosition(p)), dpi));
        Section(s.kColumnsSection, RegistrySection::Access::Write)
            .WriteText(s.kSizesValue, FormatColumnList(widths));
    }
    if (s.SaveCurrentSort) {
        RegistrySection sort = Section(s.kSortSection, RegistrySection::Access::Write);
        sort.WriteDecimal(s.kAscendingValue, sortAscending_ ? 1 : 0);
        sort.WriteDecimal(s.kSortColumnValue, sortColumnIndex_);
    }
    if (s.SaveViewStyle)
        Section(s.kViewStyleSection, RegistrySection::Access::Write)
            .WriteDecimal(s.kViewStyleValue, static_cast<int>(ViewStyle()));
    return true;
}

bool TCustomEnhListView::ReadColumnSettings() {
    const TdfsEnhLVSaveSettings& s = *saveSettings_;
    const int n = ColumnCount();
    if (s.SaveColumnSizes && n > 0) {
        const int dpi = Form::DpiOf(Handle());
        std::vector<int> current;
        std::vector<int> stored; // the current widths in the stored units
        for (int p = 0; p < n; ++p) {
            current.push_back(ColumnWidth(ColumnAtPosition(p)));
            stored.push_back(ScaleFromDpi(current.back(), dpi));
        }
        const std::wstring text =
            Section(s.kColumnsSection, RegistrySection::Access::Read).ReadText(s.kSizesValue);
        if (const auto widths = ColumnSizesFromText(text, stored)) {
            // Widths follow the display positions as they were written, so the order comes first.
            // A width kept from the current one stays exactly as it is on screen.
            for (size_t p = 0; p < static_cast<size_t>(n); ++p) {
                const int width = (*widths)[p] == stored[p] ? current[p] : ScaleToDpi((*widths)[p], dpi);
                SetColumnWidth(ColumnAtPosition(static_cast<int>(p)), width);
            }
        }
    }
    if (s.SaveCurrentSort) {
        const RegistrySection sort = Section(s.kSortSection, RegistrySection::Access::Read);
        const bool ascending = sort.ReadDecimal(s.kAscendingValue, 1) != 0;
        const int column = ClampSortColumn(sort.ReadDecimal(s.kSortColumnValue, 0), n);
        BeginItemUpdate();
        try {
            SetSortAscending(ascending);
            SetSortColumnIndex(column);
            Resort();
        } catch (...) {
            EndItemUpdate();
            throw;
        }
        EndItemUpdate();
    }
    if (s.SaveViewStyle) {
        const int number =
            Section(s.kViewStyleSection, RegistrySection::Access::Read).ReadDecimal(s.kViewStyleValue, -1);
        TViewStyle style;
        if (ViewStyleFromNumber(number, style))
            SetViewStyle(style);
    }
    return true;
}
