// The folder side's tree, monitor and re-list: every way of changing folder ends in RequestRelist,
// which re-lists the folder through the mask and tells the window, so that the caption, the address
// box, the status bar and the folder monitor stay in step. Also the context menus of both controls.
#include "app/FolderView.h"

#include "app/NameSet.h"
#include "app/ShellContextMenu.h"
#include "base/Locale.h"
#include "base/TextHelpers.h"
#include "dirtree/PathNames.h"
#include "ui/ExceptionDisplay.h"
#include "ui/WaitCursor.h"

#include <exception>
#include <utility>

namespace {

// Asks the window to re-list once the handler that posted it is done (RequestRelist).
constexpr UINT kRelistMessage = WM_APP + 0x10;
// Tells the window that files' own icons came from the fetching thread.
constexpr UINT kIconsMessage = WM_APP + 0x11;

// Points the monitor at the folder and switches it on; a failure is kept to be shown once the
// listing is done.
void Watch(TRxFolderMonitor& monitor, const std::wstring& folder, std::exception_ptr& failure) {
    try {
        monitor.SetFolderName(folder);
        monitor.SetActive(true);
    } catch (...) {
        failure = std::current_exception();
    }
}

// Holds the list's drawing for one scope, also when the scope is left by an exception.
class ItemUpdate {
public:
    explicit ItemUpdate(TdfsExtListView& list) : list_(list) { list_.BeginItemUpdate(); }
    ~ItemUpdate() { list_.EndItemUpdate(); }
    ItemUpdate(const ItemUpdate&) = delete;
    ItemUpdate& operator=(const ItemUpdate&) = delete;

private:
    TdfsExtListView& list_;
};

void Report(const std::exception_ptr& failure) {
    if (!failure)
        return;
    try {
        std::rethrow_exception(failure);
    } catch (...) {
        ReportCurrentException();
    }
}

} // namespace

FolderView::FolderView(Form& owner, Panel& treePlace, Panel& listPlace, SettingsRecord& settings,
                       std::shared_ptr<DriveSystem> drives)
    : owner_(owner), settings_(settings), listing_(std::make_unique<TFileListing>()),
      icons_([window = owner.Handle()] { ::PostMessageW(window, kIconsMessage, 0, 0); }) {
    listing_->SortKey = TFileListing::kName;
    CreateList(listPlace); // with the system image lists
    CreateTree(treePlace, std::move(drives));
    CreateMonitor();
}

void FolderView::CreateTree(Panel& place, std::shared_ptr<DriveSystem> drives) {
    tree_ = std::make_unique<TDirTree>(place.Handle(), 0, std::move(drives));
    tree_->SetReadOnStart(true);
    tree_->SetDirTypes({TDirType::dtReadOnly, TDirType::dtHidden, TDirType::dtSystem, TDirType::dtArchive,
                        TDirType::dtNormal, TDirType::dtAll});
    tree_->SetGoBelowRecycleBin(true);
    tree_->SetFastLoad(true);
    tree_->SetInitialDirectory(L"C:\\");
    tree_->SetDriveTypes({TDriveType::drtUnknown, TDriveType::drtRemovable, TDriveType::drtFixed,
                          TDriveType::drtRemote, TDriveType::drtRamDisk});
    tree_->SetShowShareOverlay(false);
    tree_->SetAcceptDropFiles(false);
    tree_->OnChange = [this](HTREEITEM) { RequestRelist(); };
    tree_->OnMouseDown = [this](UINT button, int x, int y) {
        if (button == WM_RBUTTONDOWN)
            TreeMenu(x, y);
    };
    tree_->Loaded();
    place.OnResize = [this, &place] {
        const RECT r = place.ClientRect();
        tree_->SetBounds(0, 0, r.right, r.bottom);
    };
    const RECT r = place.ClientRect();
    tree_->SetBounds(0, 0, r.right, r.bottom);
}

void FolderView::CreateMonitor() {
    monitor_ = std::make_unique<TRxFolderMonitor>();
    monitor_->SetMonitorSubtree(false);
    monitor_->SetFilter(kListingChangeFilter);
    monitor_->OnChange = [this](TRxFolderMonitor&) { MonitorChange(); };
}

void FolderView::Close() {
    closing_ = true;
    prefetch_.reset();
    if (monitor_)
        monitor_->SetActive(false);
    listing_.reset();
}

bool FolderView::CanRelist() const {
    return !closing_ && treeChangeEnabled_ && listing_;
}

void FolderView::RequestRelist() {
    // The re-list runs from its own message, once the handler that asked is done: no handler pumps
    // messages, so none finds the window closed under it. Asks made before a re-list share it.
    if (!CanRelist() || std::exchange(relistPosted_, true))
        return;
    ::PostMessageW(owner_.Handle(), kRelistMessage, 0, 0);
}

bool FolderView::TakeOwnMessage(UINT msg) {
    if (msg == kIconsMessage) {
        // The rows in view ask again for the icons they wait for as they repaint.
        if (icons_.TakeFetched() && list_ && !closing_)
            ::InvalidateRect(list_->Handle(), nullptr, FALSE);
        return true;
    }
    if (msg != kRelistMessage)
        return false;
    if (relistPosted_)
        Relist();
    return true;
}

void FolderView::Relist() {
    // Whatever re-lists now also answers a re-list still waiting in the queue.
    relistPosted_ = false;
    if (!CanRelist())
        return;
    // Let the window repaint before a long listing; painting runs no other handler.
    ::RedrawWindow(owner_.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    monitor_->SetActive(false);
    std::exception_ptr watchFailure;
    bool watching = false;
    try {
        WaitCursor wait;
        ItemUpdate update(*list_);
        settings_.Directory = tree_->GetSelectedPath();
        // The new watch starts before the folder is read: a change made after the read would
        // otherwise fall between the two and stay off the list until the next change.
        watching = true;
        Watch(*monitor_, settings_.Directory, watchFailure);
        if (OnFolderEntered) {
            HTREEITEM node = tree_->FindNode(settings_.Directory);
            OnFolderEntered(settings_.Directory == L"?" ? settings_.Directory
                                                        : GetRealPathName(settings_.Directory),
                            node != nullptr && tree_->Parent(node) != nullptr);
        }
        ListFolder();
    } catch (...) {
        // Whatever failed, the monitor is back on, on the folder the window shows.
        if (!watching)
            Watch(*monitor_, settings_.Directory, watchFailure);
        Report(watchFailure);
        throw;
    }
    Report(watchFailure);
    list_->ClearSelection();
    list_->ClearFocus();
    TakePendingSelection();
}

void FolderView::ListFolder() {
    std::optional<TFileListing> read;
    if (const std::unique_ptr<FolderPrefetch> prefetch = std::move(prefetch_))
        read = prefetch->Take(settings_.Directory, mask_);
    int64_t count = 0;
    if (!SameFolderPath(listing_->Folder(), settings_.Directory, CurrentLocale()))
        icons_.ForgetFiles();
    if (read) {
        const uint8_t key = listing_->SortKey;
        *listing_ = std::move(*read);
        listing_->SortKey = key;
        count = static_cast<int64_t>(listing_->Count());
    } else {
        count = listing_->ReadFolder(settings_.Directory, mask_);
    }
    if (OnListed)
        OnListed(count, listing_->TotalSize());
    listing_->Sort(listing_->SortKey, sortAscending_);
    list_->SetVirtualItemCount(static_cast<int>(count), {vcfNoScroll});
}

void FolderView::MonitorChange() {
    // While the switch is off (the tree's context menu is open) the change is kept for later: a
    // file pasted from that menu must still show.
    if (!treeChangeEnabled_) {
        relistPending_ = true;
        return;
    }
    RequestRelist();
}

void FolderView::OpenFolder(const std::wstring& path) {
    tree_->SelectPath(path);
    RequestRelist();
}

void FolderView::OpenFolderSelecting(const std::wstring& folder, std::vector<std::wstring> names) {
    selectionFolder_ = folder;
    selectionNames_ = std::move(names);
    tree_->SelectPath(folder);
    RequestRelist();
}

void FolderView::AddToSelection(const std::vector<std::wstring>& names) {
    if (selectionFolder_) {
        selectionNames_.insert(selectionNames_.end(), names.begin(), names.end());
        return;
    }
    SelectNamedRows(names);
}

void FolderView::TakePendingSelection() {
    if (!selectionFolder_)
        return;
    // The tree may not have reached the folder asked for (gone, or unreadable): then nothing of
    // another folder is selected by mistake.
    const std::wstring asked =
        CurrentLocale().ToUpper(WithTrailingBackslash(*std::exchange(selectionFolder_, {})));
    const std::vector<std::wstring> names = std::exchange(selectionNames_, {});
    if (asked == CurrentLocale().ToUpper(WithTrailingBackslash(settings_.Directory)))
        SelectNamedRows(names);
    else if (OnNamesSelected)
        OnNamesSelected(0);
}

void FolderView::SetMask(const std::wstring& mask) {
    if (mask == mask_)
        return;
    mask_ = mask;
    RequestRelist();
}

void FolderView::ListMenu() {
    POINT screen{};
    ::GetCursorPos(&screen);
    const int focused = list_->NextItemIndex(-1, sdAll, {isFocused});
    if (!listing_ || focused < 0 || static_cast<size_t>(focused) >= listing_->Count())
        return;
    ShowShellContextMenu(listing_->FullName(static_cast<size_t>(focused)), owner_.Handle(), screen);
}

void FolderView::TreeMenu(int x, int y) {
    std::wstring datesOf; // the folder whose own dates the user chose to set
    {
        // The menu works on the node under the mouse; the tree goes back to its folder afterwards
        // without a re-list.
        struct Restore {
            FolderView& view;
            HTREEITEM node;
            ~Restore() {
                if (node)
                    view.tree_->Select(node);
                view.treeChangeEnabled_ = true;
            }
        } restore{*this, tree_->Selected()};
        treeChangeEnabled_ = false;
        POINT screen{};
        ::GetCursorPos(&screen);
        HTREEITEM node = tree_->GetNodeAt(x, y);
        if (!node)
            return;
        tree_->Select(node);
        const std::wstring path = tree_->GetSelectedPath();
        bool datesChosen = false;
        ShowShellContextMenu(StripTrailingBackslashes(path), owner_.Handle(), screen, nullptr,
                             OnFolderDates ? L"Dates de ce &dossier..." : nullptr, &datesChosen);
        if (datesChosen)
            datesOf = path;
    }
    // After the tree's own handling of the button, which follows this handler.
    if (std::exchange(relistPending_, false))
        RequestRelist();
    if (!datesOf.empty() && OnFolderDates)
        OnFolderDates(datesOf);
}
