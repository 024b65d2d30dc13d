// The main window's batches: the selected files gathered, the batch run with its progress, journal,
// re-list and report, the undo of a kept batch, the offer at start to undo a batch a crash cut
// short, and the batch's hold on the window's close and the session's end. It sees the window only
// through BatchHost.
#pragma once

#include "batch/BatchWork.h"
#include "journal/JournalStore.h"
#include "listing/FileListing.h"
#include "listing/FolderTree.h"
#include "operations/CaseRenamer.h"
#include "operations/dialogs/BatchProgress.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What a batch needs of the window that runs it.
class BatchHost {
public:
    // The window that owns the batch's dialogs and messages, and its font.
    virtual HWND BatchOwner() const = 0;
    virtual std::wstring BatchFontName() const = 0;
    // True once the window has started to close: nothing re-lists, no new batch starts.
    virtual bool Closing() const = 0;
    // The listing the file list shows; none once the window has closed.
    virtual const TFileListing* ShownListing() const = 0;
    // The file list's rows and their selection; these may throw when the list fails.
    virtual int RowCount() const = 0;
    virtual bool AnyRowSelected() const = 0;
    virtual bool RowSelected(int row) const = 0;
    // The options that choose the files when none is selected: the subfolders too, through the mask.
    virtual bool SubFoldersChosen() const = 0;
    // "Inclure les dossiers eux-mêmes": a date operation dates the folders it reaches too.
    virtual bool FoldersChosen() const = 0;
    virtual std::wstring CurrentMask() const = 0;
    // Lists the folder again at once, showing what the batch changed.
    virtual void RelistFolder() = 0;
    // The count of a batch's changed files, shown until the next listing.
    virtual void ShowBatchNote(const std::wstring& note) = 0;
    // The folder monitor, off while the batch changes the files.
    virtual void SetMonitorActive(bool active) = 0;
    // Closes the window, as a close asked during the batch wanted.
    virtual void CloseWindow() = 0;

protected:
    ~BatchHost() = default;
};

class BatchController {
public:
    // productKey: the registry key under which the batches already offered after a crash are kept;
    // journalFolder: where the undo journal is.
    BatchController(BatchHost& host, std::wstring productKey, std::wstring journalFolder);

    // The undo journal every batch writes to.
    JournalStore& Journal() { return *journal_; }

    // Runs `request` on the selected rows, or on every row when none is selected (on the files of
    // the subfolders too, when asked; on the whole tree for "Copier les dates d'une autre
    // arborescence"), each file noted in the undo journal first, then re-lists the
    // folder and tells what was not done (the "Rapport" window) or how many files were changed (the
    // status bar, until the next listing).
    void RunRequest(const BatchRequest& request);
    // The same for any work, given once the batch's files are known; `operation` names the batch
    // in the question before it reaches into the subfolders.
    using WorkOfFiles = std::function<BatchWork(const BatchFiles& files)>;
    // `withFolders`: the folder shown and the subfolders reached are targets too, after the files.
    void RunOnSelection(const std::wstring& operation, const WorkOfFiles& workOf, bool withFolders = false);
    // "Dates de ce dossier...": `request` on the folder `folder` itself (as stored), none of its
    // files; and its preview over `owner`.
    void RunOnFolder(const std::wstring& folder, const BatchRequest& request);
    void PreviewOnFolder(HWND owner, const std::wstring& folder, const BatchRequest& request);
    // "Dater les dossiers d'après leur contenu": every folder of the tree shown, deepest first.
    void RunFolderContent();
    // "Aperçu": what `request` would do to the same files, planned by the same planner, in a
    // window over `owner` (the operation's dialog); nothing changes. The subfolders are taken
    // without the question a run asks.
    void PreviewRequest(HWND owner, const BatchRequest& request);
    // "Annuler la dernière opération": the choice of a kept batch, then its undo.
    void ChooseAndUndo();
    // Puts back every file of `batch` that is still as the batch left it (or every one, when
    // `evenIfChanged`), as a batch of its own.
    // `tellDamage`: damaged lines among the batch's are shown first (not after a crash, whose cut
    // line is expected).
    void UndoBatch(const JournalBatchSummary& batch, bool evenIfChanged, bool tellDamage = false);
    // At start: each batch the program was stopped in the middle of is offered for undo, once;
    // an undo stopped so is offered to be finished.
    void OfferUndoAfterCrash();

    // A batch is running: the window's close waits for its end (CloseAfterBatch), so that no file
    // is left half done, and so does the session's end.
    bool Running() const { return running_; }
    void CloseAfterBatch();
    // The session ends while a batch runs: the batch stops after its current file and its journal
    // ends, before the system may end the program.
    void EndForSessionEnd();

private:
    friend class WindowBatchFront;

    // The files a batch takes: the selected rows, or every row, or the folder and its subfolders
    // (after asking, when `askAboutSubFolders`); none when there is nothing to run on or the user
    // said no.
    std::optional<BatchFiles> ChosenFiles(const std::wstring& operation, bool askAboutSubFolders,
                                          bool withFolders);
    // The request as the window's options complete it.
    BatchRequest WithOptions(BatchRequest request) const;
    // The folder and its subfolders walked through `mask` on a worker, with the progress window and
    // its stop; none when the walk was stopped (the status bar says so) or the window closed meanwhile.
    std::optional<FolderTreeFiles> WalkSubFolders(const std::wstring& folder, const std::wstring& mask);
    // `walk` run on a worker with the search's progress window, its watch telling the counts and
    // hearing the stop; false when it was stopped (the status bar says so) or the window closed.
    bool SearchOnWorker(const std::function<bool(FolderWalkWatch&)>& walk);
    // The files of `request`: those ChosenFiles gives, or, for an operation on the whole tree, every
    // file through the mask and every subfolder below the folder shown.
    std::optional<BatchFiles> FilesOf(const BatchRequest& request, bool askAboutSubFolders);
    // The batch itself: journal, progress, re-list and report.
    void RunWork(const BatchFiles& files, const BatchWork& work);
    // Tells the user of every file a batch's renames left under a temporary name.
    void ShowStrandedFiles(const std::vector<StrandedFile>& stranded);
    // Each kept batch's state as the undo window shows it.
    std::vector<std::wstring> BatchStates(const JournalSummary& summary) const;

    BatchHost& host_;
    std::wstring productKey_;
    std::unique_ptr<JournalStore> journal_;
    bool running_ = false;
    bool closeAfterBatch_ = false;
    bool searching_ = false;
    // While a batch runs: what stops it from outside, and its journal (none when it runs without).
    BatchStop stop_;
    JournalBatchWriter* batchJournal_ = nullptr;
};
