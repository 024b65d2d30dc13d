// The folder view's virtual file list: the cell texts and icons it answers with, the sorting from
// the headers and the window's commands, and the selection totals.
#include "app/FolderView.h"

#include "app/NameSet.h"
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

void FolderView::CreateList(Panel& place) {
    list_ = std::make_unique<TdfsExtListView>();
    for (const ColumnDesign& c : kFileListColumns)
        list_->AddColumn(c.caption, owner_.Scale(c.width), c.alignment);
    list_->SetExtendedStyles({lvxHeaderDragDrop, lvxFullRowSelect});
    list_->SetVirtualMode(true);
    list_->SetShowSortArrows(true);
    list_->SetAutoColumnSort(acsSortToggle);
    list_->SetMultiSelect(true);
    list_->SetHideSelection(false);
    list_->SetReadOnly(false);
    list_->SetViewStyle(::vsReport);
    const RECT r = place.ClientRect();
    list_->Create(place.Handle(), 0, 0, r.right, r.bottom, 0);
    place.OnResize = [this, &place] {
        const RECT bounds = place.ClientRect();
        list_->SetBounds(0, 0, bounds.right, bounds.bottom);
    };
    // The system's lists are shared: the list never destroys them.
    list_->SetSmallImages(SystemImageList(SHGFI_SMALLICON));
    list_->SetLargeImages(SystemImageList(SHGFI_LARGEICON));
    list_->OnVMGetItemInfo = [this](TCustomExtListView&, TVMItemInfo& info) { GetItemInfo(info); };
    list_->OnVMCacheHint = [this](TCustomExtListView&, NMLVCACHEHINT& hint) { CacheHint(hint); };
    list_->OnColumnClick = [this](TCustomEnhListView&, int column) { ColumnClick(column); };
    // The list sorts on its own only when it reads its stored sort back (header clicks reach
    // ColumnClick first): the rows then take the order its arrow shows.
    list_->OnSortFinished = [this](TCustomEnhListView&, int column, bool ascending) {
        if (column < 0 || column > 7 || !listing_)
            return;
        if (column == sortColumn_ && ascending == sortAscending_ && listing_->SortKey == column + 1)
            return;
        sortAscending_ = ascending;
        ArrangeByColumn(column, ascending);
    };
    list_->OnClick = [this](TCustomEnhListView&) { ShowSelectionTotals(); };
    // Keys and clicks that move the selection show its totals at once too.
    list_->OnSelectionChangedByUser = [this](TCustomExtListView&) { ShowSelectionTotals(); };
    list_->OnDblClick = [this](TCustomEnhListView&) { ListDblClick(); };
    list_->OnMouseDown = [this](TCustomEnhListView&, TMouseButton button, WPARAM, int, int) {
        if (button == mbRight)
            ListMenu();
    };
}

void FolderView::UseColumnLayout(const std::wstring& productKey, bool remember) {
    list_->SaveSettings().RegistryKey = productKey;
    if (remember) {
        list_->SaveSettings().AutoSave = true;
        list_->AutoReadColumnSettings();
    }
}

TDisplayOptions FolderView::DisplayOptions() const {
    return TDisplayOptions{settings_.NameMaj, settings_.SizeKo, settings_.FullYear, settings_.TimeZero};
}

void FolderView::GetItemInfo(TVMItemInfo& info) {
    // A row beyond the listing (the list asked before it learnt the new count) keeps what it had.
    if (!listing_ || info.Item < 0 || static_cast<size_t>(info.Item) >= listing_->Count())
        return;
    const size_t row = static_cast<size_t>(info.Item);
    const TFileObject entry = (*listing_)[row];
    if (info.Mask.Contains(lvifImage)) {
        int kept = entry.IconIndex;
        // A file waiting for its own icon shows its type's until the icon has come.
        if (FileIconCache::Pending(kept)) {
            kept = icons_.IconIndex(listing_->FullName(row));
            listing_->SetIconIndex(row, kept);
        }
        info.Image = FileIconCache::Shown(kept);
    }
    if (info.Mask.Contains(lvifText)) {
        FileCellText(entry, info.SubItem, DisplayOptions(), CurrentLocale(), cellText_);
        info.Text.Assign(cellText_);
    }
}

void FolderView::CacheHint(const NMLVCACHEHINT& hint) {
    if (!listing_ || hint.iTo < hint.iFrom)
        return;
    for (int i = std::max(hint.iFrom, 0); i <= hint.iTo && static_cast<size_t>(i) < listing_->Count(); ++i) {
        const size_t row = static_cast<size_t>(i);
        if ((*listing_)[row].IconIndex == -1)
            listing_->SetIconIndex(row, icons_.IconIndex(listing_->FullName(row)));
    }
}

void FolderView::ArrangeByColumn(int column, bool ascending) {
    sortColumn_ = column;
    if (listing_ && column >= 0 && column <= 7) {
        listing_->Sort(column + 1, ascending);
        listing_->SortKey = static_cast<uint8_t>(column + 1);
    }
    const int count = list_->ItemCount();
    list_->ClearItems();
    list_->SetVirtualItemCount(count, {vcfNoScroll});
}

void FolderView::ColumnClick(int column) {
    if (column == sortColumn_) {
        sortAscending_ = !sortAscending_;
    } else {
        sortColumn_ = column;
        sortAscending_ = true;
    }
    ArrangeByColumn(column, sortAscending_);
}

void FolderView::ShowGridLines(bool show) {
    TLVExtendedStyles styles = list_->ExtendedStyles();
    if (show)
        styles.Include(lvxGridLines);
    else
        styles.Exclude(lvxGridLines);
    list_->SetExtendedStyles(styles);
}

void FolderView::ShowSelectionTotals() {
    if (!listing_)
        return;
    int64_t total = 0;
    int64_t selected = 0;
    list_->ForEachSelectedRow([&](int i) {
        if (static_cast<size_t>(i) < listing_->Count())
            total += (*listing_)[static_cast<size_t>(i)].Size;
        ++selected;
    });
    if (OnSelectionTotals)
        OnSelectionTotals(selected, total);
}

void FolderView::ListDblClick() {
    const int focused = list_->NextItemIndex(-1, sdAll, {isFocused});
    if (!listing_ || focused < 0 || static_cast<size_t>(focused) >= listing_->Count())
        return;
    ::ShellExecuteW(owner_.Handle(), L"open", listing_->FullName(static_cast<size_t>(focused)).c_str(),
                    nullptr, nullptr, SW_SHOWNORMAL);
}

void FolderView::SelectNamedRows(const std::vector<std::wstring>& names) {
    int selected = 0;
    if (listing_ && !names.empty()) {
        // One pass over the rows with a hash lookup each: the rows are in the user's sort, not by
        // name, and a folder may hold 100,000 of them.
        const NameSet wanted(names);
        int first = -1;
        for (size_t i = 0; i < listing_->Count() && static_cast<size_t>(selected) < names.size(); ++i) {
            if (!wanted.Contains((*listing_)[i].Name))
                continue;
            const int row = static_cast<int>(i);
            ListView_SetItemState(list_->Handle(), row, LVIS_SELECTED, LVIS_SELECTED);
            first = first < 0 ? row : std::min(first, row);
            ++selected;
        }
        if (first >= 0) {
            ListView_SetItemState(list_->Handle(), first, LVIS_FOCUSED, LVIS_FOCUSED);
            ListView_EnsureVisible(list_->Handle(), first, FALSE);
        }
    }
    ShowSelectionTotals();
    if (OnNamesSelected)
        OnNamesSelected(selected);
}

bool FolderView::AnyRowSelected() const {
    return list_->NextItemIndex(-1, sdAll, {isSelected}) >= 0;
}
