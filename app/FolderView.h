// The main window's folder side: the drive and folder tree, the virtual file list with the listing
// it shows, the folder monitor and the one re-list that brings them in step. The window places it,
// feeds it the options and shows what it reports (folder entered, counts, selection totals).
#pragma once

#include "app/FileIconCache.h"
#include "app/FolderPrefetch.h"
#include "dirtree/DirTree.h"
#include "listctrl/ExtListView.h"
#include "listing/FileCellText.h"
#include "listing/FileListing.h"
#include "monitor/RxFolderMonitor.h"
#include "settings/SettingsRecord.h"
#include "ui/Form.h"
#include "ui/Panel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FolderView {
public:
    // The tree fills treePlace and the list fills listPlace; owner receives the posted re-list and
    // owns the context menus. settings is the window's record: the folder and display options.
    FolderView(Form& owner, Panel& treePlace, Panel& listPlace, SettingsRecord& settings,
               std::shared_ptr<DriveSystem> drives);
    FolderView(const FolderView&) = delete;
    FolderView& operator=(const FolderView&) = delete;

    // Told as a re-list enters a folder (its shown path; whether the tree has a parent above it) and
    // once its files are read (count, total size), and as the selection changes (count, total size).
    std::function<void(const std::wstring& shownPath, bool hasParent)> OnFolderEntered;
    std::function<void(int64_t count, int64_t totalSize)> OnListed;
    std::function<void(int64_t selected, int64_t totalSize)> OnSelectionTotals;
    // "Dates de ce dossier..." chosen in the tree's menu, for the folder right-clicked (the tree's
    // form of its path); told once the menu has closed.
    std::function<void(const std::wstring& treePath)> OnFolderDates;

    HWND TreeHandle() const { return tree_->Handle(); }
    HWND ListHandle() const { return list_->Handle(); }

    // The column layout stored under productKey, read back now and stored at close when asked.
    void UseColumnLayout(const std::wstring& productKey, bool remember);

    // Re-lists stop while off: at start until the window is built, while the tree's menu is open.
    void EnableTreeChange(bool enabled) { treeChangeEnabled_ = enabled; }
    // Once the window closes nothing re-lists any more and the listing goes.
    void Close();

    // Every way of changing folder ends here: the re-list is posted to the owner and runs from
    // there (TakeOwnMessage), never inside the handler that asked.
    void RequestRelist();
    // The owner's messages for the posted re-list and for the icons fetched; true when msg was one.
    bool TakeOwnMessage(UINT msg);
    // The re-list itself, at once (at start, and after a batch).
    void Relist();
    // The start's read of the remembered folder, for the first re-list to take when it lists that
    // folder; dropped then in any case.
    void UsePrefetch(std::unique_ptr<FolderPrefetch> prefetch) { prefetch_ = std::move(prefetch); }

    // Navigation as the address box, the parent button and the mask box ask for it.
    std::wstring SelectedTreePath() const { return tree_->GetSelectedPath(); }
    // At start: the listing reads the folder; the tree looks for its subfolders in the background.
    void SelectFolder(const std::wstring& path) { tree_->SelectPath(path, false); }
    void OpenFolder(const std::wstring& path);
    // Goes to folder and, once it is listed, selects the files of those names (any letter case);
    // OnNamesSelected then tells how many rows that selected.
    void OpenFolderSelecting(const std::wstring& folder, std::vector<std::wstring> names);
    // Adds the named files of the folder shown to the selection, or to the one still to come when
    // the folder is not listed yet.
    void AddToSelection(const std::vector<std::wstring>& names);
    std::function<void(int selectedRows)> OnNamesSelected;
    void GoToParent() { tree_->GoToParent(false); }
    const std::wstring& Mask() const { return mask_; }
    // The mask every start lists through.
    static constexpr const wchar_t* kStartMask = L"*.*";
    void SetMask(const std::wstring& mask);

    // The list's view style and grid lines, as the view menus choose them.
    TViewStyle ViewStyle() const { return list_->ViewStyle(); }
    void SetViewStyle(TViewStyle style) { list_->SetViewStyle(style); }
    void ShowGridLines(bool show);
    // "Réorganiser les icônes": sorts on a column (0 to 7).
    void ArrangeByColumn(int column, bool ascending);

    // What a batch reads of the view.
    const TFileListing* Listing() const { return listing_.get(); }
    int RowCount() const { return list_->ItemCount(); }
    bool AnyRowSelected() const;
    bool RowSelected(int row) const { return list_->IsSelected(row); }
    void SetMonitorActive(bool active) { monitor_->SetActive(active); }

private:
    void CreateTree(Panel& place, std::shared_ptr<DriveSystem> drives);
    void CreateList(Panel& place);
    void CreateMonitor();
    bool CanRelist() const;
    void ListFolder();
    void MonitorChange();
    void TreeMenu(int x, int y);
    void ListMenu();
    void ListDblClick();
    void ShowSelectionTotals();
    TDisplayOptions DisplayOptions() const;
    void GetItemInfo(TVMItemInfo& info);
    void CacheHint(const NMLVCACHEHINT& hint);
    void ColumnClick(int column);
    void SelectNamedRows(const std::vector<std::wstring>& names);
    void TakePendingSelection();

    Form& owner_;
    SettingsRecord& settings_;
    std::unique_ptr<TFileListing> listing_;
    std::unique_ptr<TDirTree> tree_;
    std::unique_ptr<TdfsExtListView> list_;
    std::unique_ptr<TRxFolderMonitor> monitor_;
    std::unique_ptr<FolderPrefetch> prefetch_;
    std::wstring mask_ = kStartMask;
    // The sort column (0 to 7) and direction, as the headers and commands left them.
    int sortColumn_ = 0;
    bool sortAscending_ = true;
    bool treeChangeEnabled_ = false;
    bool closing_ = false;
    // A monitor change came while the tree-change switch was off: re-list when it is back on.
    bool relistPending_ = false;
    // A re-list is posted and not yet run.
    bool relistPosted_ = false;
    // The folder asked for with names to select once it is listed, and those names.
    std::optional<std::wstring> selectionFolder_;
    std::vector<std::wstring> selectionNames_;
    FileIconCache icons_;
    std::wstring cellText_; // reused by every cell the list draws
};
