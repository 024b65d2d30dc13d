// TMainForm, the program's single main window: it composes the folder view (tree, file list,
// monitor), the batches, the toolbars, the address bar, the status bar and the menus; the build
// sequence from the stored settings, the view toggles, the layout rule and the orderly close.
// Split by concern over:
//   MainForm.cpp            the build sequence and the close
//   MainFormLayout.cpp      the panes and the layout rule
//   MainFormMenus.cpp       the menus and their items
//   MainFormToolbars.cpp    the toolbars and the sizes of their buttons
//   MainFormView.cpp        the view toggles, the view styles and the options dialog
//   MainFormNavigation.cpp  the address and mask boxes and what the folder view reports
//   MainFormBatch.cpp       the file operations' commands, handed to the batches
//   MainFormCommands.cpp    the commands that open no folder and touch no file
//   MainFormExplorer.cpp    paths from Explorer: the start's own, other starts' and drops
#pragma once

#include "app/BatchController.h"
#include "app/ExplorerSelection.h"
#include "app/FolderView.h"
#include "placement/FormPlacement.h"
#include "settings/SettingsRecord.h"
#include "ui/Accelerators.h"
#include "ui/Dock.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Panel.h"
#include "ui/Splitter.h"
#include "ui/StatusBar.h"
#include "ui/Toolbar.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TMainForm : public Form, public PlacementOwner, private BatchHost {
public:
    // productKey: the registry key of the settings, the placement and the column layout; drives:
    // what the directory tree knows of the drives (the system's when none is given); journalFolder:
    // where the undo journal is kept.
    explicit TMainForm(std::wstring productKey = L"Software\\Lumarek\\Kavet24",
                       std::shared_ptr<DriveSystem> drives = nullptr,
                       std::wstring journalFolder = JournalStore::DefaultFolder(),
                       std::unique_ptr<FolderPrefetch> startListing = nullptr);
    ~TMainForm() override;

    // The width S1 takes whenever the explorer pane is shown.
    static constexpr int kSplitterWidth = 2;

    // The controls a user points at, for the tests and probes that read them as they show: the
    // file list, the folder tree and the view-style menu of the "Affichage" button.
    HWND FileListHandle() const { return folders_->ListHandle(); }
    HWND TreeHandle() const { return folders_->TreeHandle(); }
    HMENU ViewStyleMenuHandle() const { return PopupAffichage->Handle(); }

    // The folder side (tree, list, monitor, re-list) and the file operations over the selection,
    // their undo and their journal.
    FolderView& Folders() { return *folders_; }
    BatchController& Batches() { return *batches_; }
    // The reference file of "Dates d'un autre fichier" and the photo of "Recaler l'horloge d'un
    // appareil", chosen in the system's open dialog starting in `folder`; replaceable, so that
    // tests can answer it.
    std::function<std::optional<std::wstring>(HWND owner, const std::wstring& folder)> PickReferenceFile;

    // Paths given to the program (its command line, or a later start's): the first one's folder
    // opened with the named files selected. Paths that come within a short while of the last ones
    // and in the same folder join their selection, as Explorer's one start per file asks.
    void ShowGivenPaths(const std::vector<std::wstring>& paths);

    // PlacementOwner.
    HWND PlacementWindow() const override { return Handle(); }
    std::wstring PlacementClassName() const override { return L"TMainForm"; }
    void SetWindowState(WindowState state) override;
    // How the window is first shown: normal, or the state the placement store restored.
    int InitialShowCommand() const { return initialShow_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // View styles of the file list, by the Tag of their menu items.
    enum ViewStyle { vsIcon = 1, vsSmallIcon = 2, vsList = 3, vsReport = 4 };

    // The build steps and the close, as the window runs them.
    void FormCreate(std::shared_ptr<DriveSystem> drives, std::unique_ptr<FolderPrefetch> startListing);
    void FormResize();
    void FormClose();
    void ApplyOptions();
    void SelectViewStyle(int tag);
    void CreateLayout();
    void ConnectFolderView();
    void ConnectAddressBoxes();
    void CreateMenus();
    void CreateToolbars();
    void SizeToolButtons();
    void CloseOwnedWindows();
    // Every toolbar button of the window, by its bar.
    std::vector<std::pair<Toolbar*, std::wstring>> ToolButtons();

    // Handlers.
    void S1Moved();
    void S2Moved();
    void FileQuitterClick();
    void AffichageEtatClick();
    void AffichageVoletClick();
    void AffichageAdrClick();
    void AffichageGrilleClick();
    void AffichageStandardClick();
    void AffichageBarOptionsClick();
    void AffichageCaptionsClick();
    void AffichageOptionsClick();
    void AffichageActualiserClick();
    void AideAproposClick();
    void ReorganiseNomClick(MenuItem& sender);
    void PopGiconesClick(MenuItem& sender);
    void BtnAffichageClick();
    void BtnAffichageDropDown(POINT screen);
    void BtnParentClick();
    void BtnDateTimeClick();
    void BtnTimeZeroClick();
    void BtnNameMajClick();
    void BtnNameMajMinClick();
    void BtnNameMinClick();
    void ShiftClick();
    void CopyStampClick();
    void FromFileClick();
    void PhotoDateClick();
    void NameDateClick();
    void FromTreeClick();
    void CameraClockClick();
    void SubFoldersClick();
    void FoldersClick();
    // "Dates de ce dossier..." from the menu (the folder selected in the tree) or from the tree's
    // menu (the folder right-clicked, `treePath`).
    void FolderDatesClick();
    void FolderDates(const std::wstring& treePath);
    void FolderContentClick();
    void UndoClick();
    void EditDirNameEnter();
    void EditMaskEnter();
    // What the folder view reports, shown in the caption, the address box and the status bar.
    void ShowFolderEntered(const std::wstring& shownPath, bool hasParent);
    void ShowListed(int64_t count, int64_t totalSize);
    void ShowSelectionTotals(int64_t selected, int64_t totalSize);
    // Explorer's ways in: another start's paths (false when the block is not one of ours), files
    // dropped on the window, and the window brought forward.
    bool TakeHandOver(const COPYDATASTRUCT& copy);
    void TakeDrop(HDROP drop);
    void ShowSelection(const FolderSelection& selection, bool mayJoin);
    void BringForward();
    bool Accepting() const;

    // BatchHost.
    HWND BatchOwner() const override { return Handle(); }
    std::wstring BatchFontName() const override { return FontName(); }
    bool Closing() const override { return closing_; }
    const TFileListing* ShownListing() const override { return folders_ ? folders_->Listing() : nullptr; }
    int RowCount() const override { return folders_->RowCount(); }
    bool AnyRowSelected() const override { return folders_->AnyRowSelected(); }
    bool RowSelected(int row) const override { return folders_->RowSelected(row); }
    bool SubFoldersChosen() const override { return Settings.SubFolders; }
    bool FoldersChosen() const override { return Settings.Folders; }
    std::wstring CurrentMask() const override { return folders_->Mask(); }
    void RelistFolder() override { folders_->Relist(); }
    // The count of a batch's changed files in a panel of its own, or no such panel.
    void ShowBatchNote(const std::wstring& note) override;
    void SetMonitorActive(bool active) override { folders_->SetMonitorActive(active); }
    void CloseWindow() override { Close(); }

    // The options, remembered state and remembered dialog choices for the whole run.
    SettingsRecord Settings;

    // Components, by their names.
    Dock DockTop;
    Toolbar Standard;
    Toolbar BarOptions;
    Panel PanelDirTree;
    Panel PanelDisk;
    Panel DirTreePlace; // the directory tree fills this place
    Splitter S1;
    Panel PanelFileList;
    Panel PanelEdit;
    Panel PanelDirName;
    Edit EditDirName;
    Splitter S2;
    Panel PanelMask;
    Edit EditMask;
    Panel FileListPlace; // the file list fills this place
    ::StatusBar StatusBar;
    std::unique_ptr<Menu> MainMenu;
    std::unique_ptr<Menu> PopupAffichage;
    // The menu items the window checks or enables, set as the menus are made.
    MenuItem* AffichageStandard = nullptr;
    MenuItem* AffichageBarOptions = nullptr;
    MenuItem* AffichageAdr = nullptr;
    MenuItem* AffichageCaptions = nullptr;
    MenuItem* AffichageEtat = nullptr;
    MenuItem* AffichageVolet = nullptr;
    MenuItem* AffichageGIcones = nullptr;
    MenuItem* AffichagePIcones = nullptr;
    MenuItem* AffichageListe = nullptr;
    MenuItem* AffichageDetail = nullptr;
    MenuItem* AffichageGrille = nullptr;
    MenuItem* PopGicones = nullptr;
    MenuItem* PopPicones = nullptr;
    MenuItem* PopListe = nullptr;
    MenuItem* PopDetail = nullptr;
    MenuItem* OptionsSousDossiers = nullptr;
    MenuItem* OptionsDossiers = nullptr;
    TFormPlacement FormPlacement;

    std::wstring productKey_;
    std::unique_ptr<FolderView> folders_;
    std::unique_ptr<BatchController> batches_;
    // Set once the window starts to close: the listing may be gone, nothing re-lists any more.
    bool closing_ = false;
    bool checkingAddress_ = false; // the address box's warning is being shown
    std::unique_ptr<Accelerators> accelerators_;
    int initialShow_ = SW_SHOWNORMAL;
    // The last paths given, which paths given soon after in the same folder join.
    struct GivenBurst {
        std::wstring Folder;
        size_t LeftOut = 0;
        uint64_t Until = 0; // GetTickCount64
    };
    std::optional<GivenBurst> burst_;
};
