// The window's side of moving from folder to folder: the address and mask boxes ask the folder
// view, and what the view reports of each re-list shows in the caption, the address box, the
// parent button and the status bar. Also the messages the window handles itself.
#include "app/MainForm.h"

#include "base/ApiPath.h"
#include "base/FlagGuard.h"
#include "base/TextHelpers.h"
#include "ui/MessageBox.h"

namespace {

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

} // namespace

void TMainForm::ConnectFolderView() {
    folders_->OnFolderEntered = [this](const std::wstring& shownPath, bool hasParent) {
        ShowFolderEntered(shownPath, hasParent);
    };
    folders_->OnFolderDates = [this](const std::wstring& treePath) { FolderDates(treePath); };
    folders_->OnListed = [this](int64_t count, int64_t totalSize) { ShowListed(count, totalSize); };
    folders_->OnSelectionTotals = [this](int64_t selected, int64_t totalSize) {
        ShowSelectionTotals(selected, totalSize);
    };
    folders_->OnNamesSelected = [this](int) {
        if (burst_)
            ShowBatchNote(LeftOutNote(burst_->LeftOut));
        // The selection shows in the list, where the keys then work on it.
        ::SetFocus(FileListHandle());
    };
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

void TMainForm::ShowFolderEntered(const std::wstring& shownPath, bool hasParent) {
    Standard.SetButtonEnabled(L"BtnParent", hasParent);
    EditDirName.SetText(shownPath);
    SetText(L"Kavet24 - " + EditDirName.Text());
}

void TMainForm::ShowListed(int64_t count, int64_t totalSize) {
    ShowBatchNote(L"");
    StatusBar.SetPanelText(0, std::to_wstring(count) + PluralWord(L" fichier", count));
    StatusBar.SetPanelText(1, SizeText(Settings.KOctet, totalSize));
}

void TMainForm::ShowSelectionTotals(int64_t selected, int64_t totalSize) {
    StatusBar.SetPanelText(0, std::to_wstring(selected) + PluralWord(L" fichier", selected) +
                                  PluralWord(L" sélectionné", selected));
    StatusBar.SetPanelText(1, SizeText(Settings.KOctet, totalSize));
}

void TMainForm::AffichageActualiserClick() {
    folders_->RequestRelist();
}

void TMainForm::BtnParentClick() {
    folders_->GoToParent();
}

void TMainForm::EditDirNameEnter() {
    // The warning takes the focus from the box, and leaving the box checks again: one check at a
    // time, so that one Enter or one exit gives one warning.
    if (checkingAddress_)
        return;
    const std::wstring typed = ComparablePath(EditDirName.Text());
    if (typed == ComparablePath(folders_->SelectedTreePath()))
        return;
    if (FolderExists(typed)) {
        folders_->OpenFolder(typed);
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
    folders_->SetMask(EditMask.Text());
}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (folders_ && folders_->TakeOwnMessage(msg))
        return 0;
    if (msg == WM_COPYDATA && lp != 0)
        return TakeHandOver(*reinterpret_cast<const COPYDATASTRUCT*>(lp)) ? TRUE : FALSE;
    if (msg == WM_DROPFILES) {
        TakeDrop(reinterpret_cast<HDROP>(wp));
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
