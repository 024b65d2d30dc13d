// The main window's side of the virtual file list: the cell texts and icons it answers with, the
// sorting from the headers and the "Réorganiser les icônes" commands, and the selection totals.
#include "app/MainForm.h"

#include "base/TextHelpers.h"
#include "listctrl/FileListColumns.h"

#include <shellapi.h>

#include <algorithm>

namespace {

HIMAGELIST SystemImageList(UINT sizeFlag) {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(L"C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                         SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | sizeFlag));
}

} // namespace

void TMainForm::CreateFileList() {
    FileList = std::make_unique<TdfsExtListView>();
    for (const ColumnDesign& c : kFileListColumns)
        FileList->AddColumn(c.caption, Scale(c.width), c.alignment);
    FileList->SetExtendedStyles({lvxHeaderDragDrop, lvxFullRowSelect});
    FileList->SetVirtualMode(true);
    FileList->SetShowSortArrows(true);
    FileList->SetAutoColumnSort(acsSortToggle);
    FileList->SetMultiSelect(true);
    FileList->SetHideSelection(false);
    FileList->SetReadOnly(false);
    FileList->SetViewStyle(::vsReport);
    const RECT r = FileListPlace.ClientRect();
    FileList->Create(FileListPlace.Handle(), 0, 0, r.right, r.bottom, 0);
    FileListPlace.OnResize = [this] {
        const RECT place = FileListPlace.ClientRect();
        FileList->SetBounds(0, 0, place.right, place.bottom);
    };
    // The system's lists are shared: the list never destroys them.
    FileList->SetSmallImages(SystemImageList(SHGFI_SMALLICON));
    FileList->SetLargeImages(SystemImageList(SHGFI_LARGEICON));
    FileList->OnVMGetItemInfo = [this](TCustomExtListView&, TVMItemInfo& info) {
        FileListVMGetItemInfo(info);
    };
    FileList->OnVMCacheHint = [this](TCustomExtListView&, NMLVCACHEHINT& hint) { FileListVMCacheHint(hint); };
    FileList->OnColumnClick = [this](TCustomEnhListView&, int column) { FileListColumnClick(column); };
    // The list sorts on its own only when it reads its stored sort back (header clicks reach
    // FileListColumnClick first): the rows then take the order its arrow shows.
    FileList->OnSortFinished = [this](TCustomEnhListView&, int column, bool ascending) {
        if (column < 0 || column > 7 || !Listing)
            return;
        if (column == SortColumn && ascending == SortAscending && Listing->SortKey == column + 1)
            return;
        SortAscending = ascending;
        ArrangeByColumn(column, ascending);
    };
    FileList->OnClick = [this](TCustomEnhListView&) { FileListClick(); };
    // Keys and clicks that move the selection show its totals at once too.
    FileList->OnSelectionChangedByUser = [this](TCustomExtListView&) { FileListClick(); };
    FileList->OnDblClick = [this](TCustomEnhListView&) { FileListDblClick(); };
    FileList->OnMouseDown = [this](TCustomEnhListView&, TMouseButton button, WPARAM, int, int) {
        if (button == mbRight)
            FileListMouseDown();
    };
}

TDisplayOptions TMainForm::DisplayOptions() const {
    return TDisplayOptions{Settings.NameMaj, Settings.SizeKo, Settings.FullYear, Settings.TimeZero};
}

void TMainForm::FileListVMGetItemInfo(TVMItemInfo& info) {
    // A row beyond the listing (the list asked before it learnt the new count) keeps what it had.
    if (!Listing || info.Item < 0 || static_cast<size_t>(info.Item) >= Listing->Count())
        return;
    TFileObject& entry = (*Listing)[static_cast<size_t>(info.Item)];
    if (info.Mask.Contains(lvifImage))
        info.Image = entry.IconIndex;
    if (info.Mask.Contains(lvifText)) {
        FileCellText(entry, info.SubItem, DisplayOptions(), CurrentLocale(), cellText_);
        info.Text.Assign(cellText_);
    }
}

void TMainForm::FileListVMCacheHint(const NMLVCACHEHINT& hint) {
    if (!Listing || hint.iTo < hint.iFrom)
        return;
    for (int i = std::max(hint.iFrom, 0); i <= hint.iTo && static_cast<size_t>(i) < Listing->Count(); ++i) {
        TFileObject& entry = (*Listing)[static_cast<size_t>(i)];
        if (entry.IconIndex == -1)
            entry.IconIndex = icons_.IconIndex(Listing->FullName(static_cast<size_t>(i)));
    }
}

void TMainForm::ArrangeByColumn(int column, bool ascending) {
    SortColumn = column;
    if (column >= 0 && column <= 7) {
        Listing->Sort(column + 1, ascending);
        Listing->SortKey = static_cast<uint8_t>(column + 1);
    }
    const int count = FileList->ItemCount();
    FileList->ClearItems();
    FileList->SetVirtualItemCount(count, {vcfNoScroll});
}

void TMainForm::FileListColumnClick(int column) {
    if (column == SortColumn) {
        SortAscending = !SortAscending;
    } else {
        SortColumn = column;
        SortAscending = true;
    }
    ArrangeByColumn(column, SortAscending);
}

void TMainForm::ReorganiseNomClick(MenuItem& sender) {
    ArrangeByColumn(sender.Tag(), true);
}

void TMainForm::FileListClick() {
    int64_t total = 0;
    int64_t selected = 0;
    FileList->ForEachSelectedRow([&](int i) {
        if (static_cast<size_t>(i) < Listing->Count())
            total += (*Listing)[static_cast<size_t>(i)].Size;
        ++selected;
    });
    StatusBar.SetPanelText(0, std::to_wstring(selected) + PluralWord(L" fichier", selected) +
                                  PluralWord(L" sélectionné", selected));
    StatusBar.SetPanelText(1, SizeText(Settings.KOctet, total));
}

void TMainForm::FileListDblClick() {
    const int focused = FileList->NextItemIndex(-1, sdAll, {isFocused});
    if (focused < 0 || static_cast<size_t>(focused) >= Listing->Count())
        return;
    ::ShellExecuteW(Handle(), L"open", Listing->FullName(static_cast<size_t>(focused)).c_str(), nullptr,
                    nullptr, SW_SHOWNORMAL);
}

int TMainForm::RowCount() const {
    return FileList->ItemCount();
}

bool TMainForm::AnyRowSelected() const {
    return FileList->NextItemIndex(-1, sdAll, {isSelected}) >= 0;
}

bool TMainForm::RowSelected(int row) const {
    return FileList->IsSelected(row);
}
