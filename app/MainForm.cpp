// The main window's build sequence and its orderly close.
#include "app/MainForm.h"

#include "app/WindowHandOver.h"

#include "ui/OpenFileDialog.h"

#include "listing/Systeme.h"
#include "settings/SettingsStore.h"
#include "ui/ExceptionDisplay.h"

#include <vector>

namespace {

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

} // namespace

TMainForm::TMainForm(std::wstring productKey, std::shared_ptr<DriveSystem> drives, std::wstring journalFolder,
                     std::unique_ptr<FolderPrefetch> startListing)
    : FormPlacement(this), productKey_(std::move(productKey)),
      batches_(std::make_unique<BatchController>(static_cast<BatchHost&>(*this), productKey_,
                                                 std::move(journalFolder))) {
    Create(L"Kavet", 102, 102, 600, 400, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    SetBounds(102, 102, Scale(750), Scale(550));
    SetMainForm(true);
    MarkHandOverWindow(Handle());
    AcceptDroppedFiles(Handle());
    OnShow = [this] { FormResize(); };
    OnResize = [this] { FormResize(); };
    OnClose = [this] { FormClose(); };
    PickReferenceFile = [](HWND owner, const std::wstring& folder) {
        return AskOpenFile(owner, L"Fichier dont prendre les dates", folder);
    };
    try {
        FormCreate(std::move(drives), std::move(startListing));
    } catch (...) {
        // The window still opens; what failed is told to the user, and picking a folder in the
        // tree lists it.
        if (folders_)
            folders_->EnableTreeChange(true);
        ReportCurrentException();
    }
}

TMainForm::~TMainForm() {
    closing_ = true;
    OnClose = nullptr;
    Destroy();
}

void TMainForm::FormCreate(std::shared_ptr<DriveSystem> drives,
                           std::unique_ptr<FolderPrefetch> startListing) {
    if (IsModernSystem())
        SetFontName(L"Verdana");
    CreateLayout();
    CreateToolbars();
    CreateMenus();
    // Its re-lists stay off until the window is built.
    folders_ = std::make_unique<FolderView>(*this, DirTreePlace, FileListPlace, Settings, std::move(drives));
    ConnectFolderView();
    ConnectAddressBoxes();

    Settings.Directory = ExecutableFolder();
    SettingsStore(productKey_).LoadOptions(Settings);

    FormPlacement.SetActive(false); // the window loads and stores its placement itself
    FormPlacement.SetIniFileName(productKey_);
    FormPlacement.SetIniSection(L"Application");
    FormPlacement.SetUseRegistry(true);
    FormPlacement.LoadPlacement();

    folders_->UseColumnLayout(productKey_, Settings.SaveColumn);

    folders_->EnableTreeChange(true);
    ApplyOptions();
    AffichageStandard->SetChecked(Standard.Visible());
    // The stored widths are design values, as the splitters' handlers keep them.
    PanelDirName.SetWidth(Scale(Settings.PanelWidth));
    PanelDirTree.SetWidth(Scale(Settings.DirTreeWidth));
    FormResize();
    folders_->SelectFolder(Settings.Directory);
    // The window opens on its folder listed.
    folders_->UsePrefetch(std::move(startListing));
    folders_->Relist();
}

void TMainForm::FormClose() {
    // From here on nothing re-lists: a re-list, a batch or a dialog that the close interrupted
    // finds the listing gone, and the boxes that lose the focus as the window goes do nothing.
    closing_ = true;
    CloseOwnedWindows();
    if (folders_)
        folders_->Close();
    SettingsStore(productKey_).StoreOptions(Settings);
    FormPlacement.SetUseRegistry(true);
    try {
        FormPlacement.StorePlacement();
    } catch (...) {
        ReportCurrentException();
    }
}

void TMainForm::CloseOwnedWindows() {
    // A dialog still open when the window is closed from outside (another program, the end of the
    // session) is closed first as its own close button would, so that an option it previews
    // unconfirmed is put back before the options are stored.
    std::vector<HWND> owned;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&owned));
    for (HWND hwnd : owned)
        if (::IsWindow(hwnd) && ::GetWindow(hwnd, GW_OWNER) == Handle() && ::IsWindowVisible(hwnd))
            ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
}

void TMainForm::SetWindowState(WindowState state) {
    const int command = state == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                        : state == WindowState::Minimized ? SW_SHOWMINIMIZED
                                                          : SW_SHOWNORMAL;
    if (Visible())
        ::ShowWindow(Handle(), command);
    else
        initialShow_ = command;
}
