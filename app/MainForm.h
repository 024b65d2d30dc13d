// TMainForm, the program's single main window: the toolbars, the explorer pane, the address bar,
// the places of the directory tree and the file list, the status bar and the menus; the build
// sequence from the stored settings, the view toggles, the layout rule and the orderly close.
// Split by concern over:
//   MainForm.cpp            the build sequence and the close
//   MainFormLayout.cpp      the panes and the layout rule
//   MainFormMenus.cpp       the menus and their items
//   MainFormToolbars.cpp    the toolbars and the sizes of their buttons
//   MainFormView.cpp        the view toggles, the view styles and the options dialog
//   MainFormNavigation.cpp  the tree, the address and mask boxes, and the re-list of the folder
//   MainFormFileList.cpp    the file list's cells, sorting and selection totals
//   MainFormBatch.cpp       the file operations' commands, handed to the batches
//   MainFormCommands.cpp    the commands that open no folder and touch no file
#pragma once

#include "app/BatchController.h"
#include "app/FileIconCache.h"
#include "dirtree/DirTree.h"
#include "listctrl/ExtListView.h"
#include "listing/FileCellText.h"
#include "listing/FileListing.h"
#include "monitor/RxFolderMonitor.h"
#include "operations/FileOutcome.h"
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

class TMainForm : public Form, public PlacementOwner, private BatchHost {
public:
    // productKey: the registry key of the settings, the placement and the column layout; drives:
    // what the directory tree knows of the drives (the system's when none is given); journalFolder:
    // where the undo journal is kept.
    explicit TMainForm(std::wstring productKey = L"Software\\Lumarek\\Kavet24",
                       std::shared_ptr<DriveSystem> drives = nullptr,
                       std::wstring journalFolder = JournalStore::DefaultFolder());
    ~TMainForm() override;

    // View styles of the file list, by the Tag of their menu items.
    enum ViewStyle { vsIcon = 1, vsSmallIcon = 2, vsList = 3, vsReport = 4 };

    // The options, remembered state and remembered dialog choices for the whole run.
    SettingsRecord Settings;
    // The folder listing shown by the file list, owned by the window.
    std::unique_ptr<TFileListing> Listing;
    // The current mask, changed only through EditMask.
    std::wstring Mask;
    // The file count of the last listing.
    int64_t FileCount = 0;
    // False until the window has finished building itself, and while the tree's context menu is
    // open: the tree's selection changes are ignored then.
    bool TreeChangeEnabled = false;

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
    TFormPlacement FormPlacement;
    std::unique_ptr<TDirTree> DirTree;
    std::unique_ptr<TdfsExtListView> FileList;
    std::unique_ptr<TRxFolderMonitor> FolderMonitor;

    // The file list's sort column (0 to 7) and direction, as the headers and commands left them.
    int SortColumn = 0;
    bool SortAscending = true;

    // The width S1 takes whenever the explorer pane is shown.
    static constexpr int kSplitterWidth = 2;

    // Every toolbar button of the window, by its bar.
    std::vector<std::pair<Toolbar*, std::wstring>> ToolButtons();
    int ViewStyleTag() const { return viewStyle_; }

    // The build steps and the close, as the window runs them.
    void FormCreate();
    void FormResize();
    void FormClose();
    void ApplyOptions();
    void SelectViewStyle(int tag);

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
    void SubFoldersClick();
    // The reference file of "Dates d'un autre fichier", chosen in the system's open dialog
    // starting in `folder`; replaceable, so that tests can answer it.
    std::function<std::optional<std::wstring>(HWND owner, const std::wstring& folder)> PickReferenceFile;

    // Navigation: the one re-list of the current folder, and what leads to it. DirTreeChange asks
    // for the re-list, which runs once the message loop takes it up.
    void DirTreeChange();
    void FolderMonitorChange();
    void EditDirNameEnter();
    void EditMaskEnter();
    void FileListMouseDown();
    void DirTreeMouseDown(int x, int y);

    // The file list's side of the virtual list.
    TDisplayOptions DisplayOptions() const;
    void FileListVMGetItemInfo(TVMItemInfo& info);
    void FileListVMCacheHint(const NMLVCACHEHINT& hint);
    void ArrangeByColumn(int column, bool ascending);
    void FileListColumnClick(int column);
    void FileListClick();
    void FileListDblClick();

    // "Annuler la dernière opération".
    void UndoClick();
    // The file operations over the selection, their undo and their journal.
    BatchController& Batches() { return *batches_; }

    // PlacementOwner.
    HWND PlacementWindow() const override { return Handle(); }
    std::wstring PlacementClassName() const override { return L"TMainForm"; }
    void SetWindowState(WindowState state) override;
    // How the window is first shown: normal, or the state the placement store restored.
    int InitialShowCommand() const { return initialShow_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateLayout();
    void CreateDirTree();
    void ConnectAddressBoxes();
    void CreateFileList();
    void CreateFolderMonitor();
    void CreateMenus();
    void CreateToolbars();
    void SizeToolButtons();
    // Grid lines of the file list; the list placed in FileListPlace takes them from here.
    void ShowGridLines(bool show);
    void CloseOwnedWindows();
    // The steps of DirTreeChange.
    bool CanRelist() const;
    // The re-list itself, at once.
    void Relist();
    void ShowFolderAddress();
    void ListFolder();
    // BatchHost.
    HWND BatchOwner() const override { return Handle(); }
    std::wstring BatchFontName() const override { return FontName(); }
    bool Closing() const override { return closing_; }
    const TFileListing* ShownListing() const override { return Listing.get(); }
    int RowCount() const override;
    bool AnyRowSelected() const override;
    bool RowSelected(int row) const override;
    bool SubFoldersChosen() const override { return Settings.SubFolders; }
    std::wstring CurrentMask() const override { return Mask; }
    void RelistFolder() override;
    // The count of a batch's changed files in a panel of its own, or no such panel.
    void ShowBatchNote(const std::wstring& note) override;
    void SetMonitorActive(bool active) override { FolderMonitor->SetActive(active); }
    void CloseWindow() override { Close(); }

    std::wstring productKey_;
    std::shared_ptr<DriveSystem> drives_;
    std::unique_ptr<BatchController> batches_;
    // Set once the window starts to close: the listing may be gone, nothing re-lists any more.
    bool closing_ = false;
    // A monitor change came while the tree-change switch was off: re-list when it is back on.
    bool relistPending_ = false;
    // A re-list is posted and not yet run.
    bool relistPosted_ = false;
    bool checkingAddress_ = false; // the address box's warning is being shown
    std::unique_ptr<Accelerators> accelerators_;
    int viewStyle_ = vsReport;
    int initialShow_ = SW_SHOWNORMAL;
    FileIconCache icons_;
    std::wstring cellText_; // reused by every cell the list draws
};
