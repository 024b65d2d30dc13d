// Moving from folder to folder: every way of changing folder ends in DirTreeChange, which re-lists
// the folder through the mask and brings the caption, the address box, the status bar and the
// folder monitor in step. Also the address and mask boxes, double-click and the context menus.
#include "app/MainForm.h"

#include "app/ShellContextMenu.h"
#include "dirtree/PathNames.h"
#include "base/ApiPath.h"
#include "base/FlagGuard.h"
#include "base/TextHelpers.h"
#include "ui/MessageBox.h"
#include "ui/ExceptionDisplay.h"
#include "ui/WaitCursor.h"

#include <exception>
#include <utility>

namespace {

// Asks the window to re-list once the handler that posted it is done (DirTreeChange).
constexpr UINT kRelistMessage = WM_APP + 0x10;

// The form in which two typed paths are compared: trimmed, no trailing backslash, upper case.
std::wstring ComparablePath(const std::wstring& path) {
    return CurrentLocale().ToUpper(StripTrailingBackslashes(TrimSpaces(path)));
}

bool FolderExists(const std::wstring& path) {
    // A blank path would name the root of the current drive.
    if (path.empty())
        return false;
    const DWORD attributes = ::GetFileAttributesW(ApiPath(WithTrailingBackslash(path)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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

void TMainForm::CreateDirTree() {
    DirTree = std::make_unique<TDirTree>(DirTreePlace.Handle(), 0, drives_);
    DirTree->SetReadOnStart(true);
    DirTree->SetDirTypes({TDirType::dtReadOnly, TDirType::dtHidden, TDirType::dtSystem, TDirType::dtArchive,
                          TDirType::dtNormal, TDirType::dtAll});
    DirTree->SetGoBelowRecycleBin(true);
    DirTree->SetFastLoad(true);
    DirTree->SetInitialDirectory(L"C:\\");
    DirTree->SetDriveTypes({TDriveType::drtUnknown, TDriveType::drtRemovable, TDriveType::drtFixed,
                            TDriveType::drtRemote, TDriveType::drtRamDisk});
    DirTree->SetShowShareOverlay(false);
    DirTree->SetAcceptDropFiles(false);
    DirTree->OnChange = [this](HTREEITEM) { DirTreeChange(); };
    DirTree->OnMouseDown = [this](UINT button, int x, int y) {
        if (button == WM_RBUTTONDOWN)
            DirTreeMouseDown(x, y);
    };
    DirTree->Loaded();
    DirTreePlace.OnResize = [this] {
        const RECT place = DirTreePlace.ClientRect();
        DirTree->SetBounds(0, 0, place.right, place.bottom);
    };
    const RECT place = DirTreePlace.ClientRect();
    DirTree->SetBounds(0, 0, place.right, place.bottom);
}

void TMainForm::ConnectAddressBoxes() {
    EditDirName.OnKeyPress = [this](wchar_t& key) {
        if (key == L'\r') {
            key = 0;
            EditDirNameEnter();
        }
    };
    // A box that loses the focus because the window goes asks for nothing.
    EditDirName.OnExit = [this] {
        if (!closing_)
            EditDirNameEnter();
    };
    EditMask.OnKeyPress = [this](wchar_t& key) {
        if (key == L'\r') {
            key = 0;
            EditMaskEnter();
        }
    };
    EditMask.OnExit = [this] {
        if (!closing_)
            EditMaskEnter();
    };
    EditMask.OnMouseDown = [this](UINT, int, int) { EditMask.SelectAll(); };
}

void TMainForm::CreateFolderMonitor() {
    FolderMonitor = std::make_unique<TRxFolderMonitor>();
    FolderMonitor->SetMonitorSubtree(false);
    FolderMonitor->SetFilter(kListingChangeFilter);
    FolderMonitor->OnChange = [this](TRxFolderMonitor&) { FolderMonitorChange(); };
}

bool TMainForm::CanRelist() const {
    return !closing_ && TreeChangeEnabled && DirTree && FileList && Listing;
}

void TMainForm::DirTreeChange() {
    // The re-list runs from its own message, once the handler that asked is done: no handler pumps
    // messages, so none finds the window closed under it. Asks made before a re-list share it.
    if (!CanRelist() || std::exchange(relistPosted_, true))
        return;
    ::PostMessageW(Handle(), kRelistMessage, 0, 0);
}

void TMainForm::Relist() {
    // Whatever re-lists now also answers a re-list still waiting in the queue.
    relistPosted_ = false;
    if (!CanRelist())
        return;
    // Let the window repaint before a long listing; painting runs no other handler.
    ::RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    FolderMonitor->SetActive(false);
    std::exception_ptr watchFailure;
    bool watching = false;
    try {
        WaitCursor wait;
        ItemUpdate update(*FileList);
        Settings.Directory = DirTree->GetSelectedPath();
        // The new watch starts before the folder is read: a change made after the read would
        // otherwise fall between the two and stay off the list until the next change.
        watching = true;
        Watch(*FolderMonitor, Settings.Directory, watchFailure);
        ShowFolderAddress();
        ListFolder();
    } catch (...) {
        // Whatever failed, the monitor is back on, on the folder the window shows.
        if (!watching)
            Watch(*FolderMonitor, Settings.Directory, watchFailure);
        Report(watchFailure);
        throw;
    }
    Report(watchFailure);
    FileList->ClearSelection();
    FileList->ClearFocus();
}

void TMainForm::RelistFolder() {
    Relist();
}

void TMainForm::ShowFolderAddress() {
    HTREEITEM node = DirTree->FindNode(Settings.Directory);
    Standard.SetButtonEnabled(L"BtnParent", node != nullptr && DirTree->Parent(node) != nullptr);
    EditDirName.SetText(Settings.Directory == L"?" ? Settings.Directory
                                                   : GetRealPathName(Settings.Directory));
    SetText(L"Kavet24 - " + EditDirName.Text());
}

void TMainForm::ListFolder() {
    ShowBatchNote(L"");
    FileCount = Listing->ReadFolder(Settings.Directory, Mask);
    StatusBar.SetPanelText(0, std::to_wstring(FileCount) + PluralWord(L" fichier", FileCount));
    StatusBar.SetPanelText(1, SizeText(Settings.KOctet, Listing->TotalSize()));
    Listing->Sort(Listing->SortKey, SortAscending);
    FileList->SetVirtualItemCount(static_cast<int>(FileCount), {vcfNoScroll});
}

void TMainForm::FolderMonitorChange() {
    // While the switch is off (the tree's context menu is open) the change is kept for later: a
    // file pasted from that menu must still show.
    if (!TreeChangeEnabled) {
        relistPending_ = true;
        return;
    }
    DirTreeChange();
}

void TMainForm::AffichageActualiserClick() {
    DirTreeChange();
}

void TMainForm::BtnParentClick() {
    DirTree->GoToParent(false);
}

void TMainForm::EditDirNameEnter() {
    // The warning takes the focus from the box, and leaving the box checks again: one check at a
    // time, so that one Enter or one exit gives one warning.
    if (checkingAddress_)
        return;
    const std::wstring typed = ComparablePath(EditDirName.Text());
    if (typed == ComparablePath(DirTree->GetSelectedPath()))
        return;
    if (FolderExists(typed)) {
        DirTree->SelectPath(typed);
        DirTreeChange();
        return;
    }
    const FlagGuard checking(checkingAddress_);
    ShowMessageBox(Handle(), L"\r\nLe dossier spécifié n'existe pas. Veuillez vérifier le chemin saisi.",
                   MB_OK | MB_ICONWARNING, L"Kavet24");
    // Back in the box with its text selected, so that the user types over it.
    ::SetFocus(EditDirName.Handle());
    EditDirName.SelectAll();
}

void TMainForm::EditMaskEnter() {
    const std::wstring text = EditMask.Text();
    if (text == Mask)
        return;
    Mask = text;
    DirTreeChange();
}

void TMainForm::FileListMouseDown() {
    POINT screen{};
    ::GetCursorPos(&screen);
    const int focused = FileList->NextItemIndex(-1, sdAll, {isFocused});
    if (focused < 0 || static_cast<size_t>(focused) >= Listing->Count())
        return;
    ShowShellContextMenu(Listing->FullName(static_cast<size_t>(focused)), Handle(), screen);
}

void TMainForm::DirTreeMouseDown(int x, int y) {
    {
        HTREEITEM remembered = DirTree->Selected();
        TreeChangeEnabled = false;
        struct Restore {
            TMainForm& form;
            HTREEITEM node;
            ~Restore() {
                if (node)
                    form.DirTree->Select(node);
                form.TreeChangeEnabled = true;
            }
        } restore{*this, remembered};
        POINT screen{};
        ::GetCursorPos(&screen);
        HTREEITEM node = DirTree->GetNodeAt(x, y);
        if (!node)
            return;
        DirTree->Select(node);
        ShowShellContextMenu(StripTrailingBackslashes(DirTree->GetSelectedPath()), Handle(), screen);
    }
    // After the tree's own handling of the button, which follows this handler.
    if (std::exchange(relistPending_, false))
        DirTreeChange();
}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kRelistMessage) {
        if (relistPosted_)
            Relist();
        return 0;
    }
    if (msg == WM_CLOSE && batches_->Running()) {
        batches_->CloseAfterBatch();
        return 0;
    }
    // A logoff or shutdown waits for the batch; ending anyway, it cuts the batch cleanly rather
    // than as a crash would.
    if (msg == WM_QUERYENDSESSION && batches_->Running())
        return FALSE;
    if (msg == WM_ENDSESSION && wp && batches_->Running()) {
        batches_->EndForSessionEnd();
        return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
}
