// The main window's batches: the files gathered from the selection (or the folder and its
// subfolders), one batch engine run over them on a worker thread with its progress shown, each file
// noted in the undo journal before it changes; the folder re-listed once at the end and every file
// not done as asked reported. Also the undo, and the offer after a crash.
#include "app/BatchController.h"

#include "app/BatchPreviewForm.h"

#include "base/Errors.h"
#include "base/FlagGuard.h"
#include "base/RegistrySection.h"
#include "base/TextHelpers.h"
#include "batch/BatchPreview.h"
#include "batch/BatchRun.h"
#include "batch/BatchWork.h"
#include "batch/FromTree.h"
#include "journal/UndoPlan.h"
#include "base/TimeText.h"
#include "listing/FolderTree.h"
#include "operations/ApiPath.h"
#include "operations/BatchReport.h"
#include "operations/CaseRenamer.h"
#include "operations/FileStamping.h"
#include "operations/dialogs/BatchProgress.h"
#include "operations/dialogs/BatchReportForm.h"
#include "operations/dialogs/UndoForm.h"
#include "ui/MessageBox.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Under the product's key: the batch last offered for undo after a crash, not asked about again.
constexpr const wchar_t* kJournalKey = L"\\Journal";
constexpr const wchar_t* kAskedAfterCrash = L"AskedAfterCrash";

// Asks the system to hold a logoff or shutdown while a batch runs, with the reason it shows.
class SessionEndHold {
public:
    explicit SessionEndHold(HWND window)
        : window_(window), held_(::ShutdownBlockReasonCreate(window, L"Kavet24 termine une opération")) {}
    ~SessionEndHold() {
        if (held_)
            ::ShutdownBlockReasonDestroy(window_);
    }
    SessionEndHold(const SessionEndHold&) = delete;
    SessionEndHold& operator=(const SessionEndHold&) = delete;

private:
    HWND window_;
    bool held_;
};

// The batches already asked about after a crash, as the registry keeps them: "12 15".
std::vector<uint64_t> IdsOfText(const std::wstring& text) {
    std::vector<uint64_t> ids;
    uint64_t id = 0;
    bool inNumber = false;
    for (const wchar_t c : text + L" ") {
        if (c >= L'0' && c <= L'9') {
            id = id * 10 + static_cast<uint64_t>(c - L'0');
            inNumber = true;
        } else if (std::exchange(inNumber, false)) {
            ids.push_back(std::exchange(id, 0));
        }
    }
    return ids;
}

std::wstring TextOfIds(const std::vector<uint64_t>& ids) {
    std::wstring text;
    for (const uint64_t id : ids)
        text += (text.empty() ? L"" : L" ") + std::to_wstring(id);
    return text;
}

// Remembers the batches asked about; a refused write only means asking again at the next start.
void RememberAsked(RegistrySection& key, const std::vector<uint64_t>& ids) {
    try {
        key.WriteText(kAskedAfterCrash, TextOfIds(ids));
    } catch (const RegistryError&) {
    }
}

std::wstring CountText(size_t count, const wchar_t* word) {
    return std::to_wstring(count) + L" " + word + (count > 1 ? L"s" : L"");
}

// The question at start about `cut`, a batch the program stopped in the middle of: undo it, or,
// when it was itself an undo, finish the undo of `undone`.
std::wstring CrashQuestion(const JournalBatchSummary& cut, const JournalBatchSummary& undone) {
    const std::wstring list = L"la liste de « Annuler la dernière opération ».";
    if (cut.Undoes == 0) {
        const size_t files = cut.Files;
        return L"Kavet24 s'est arrêté pendant l'opération " + Quoted(cut.Operation) + L" commencée le " +
               JournalTimeText(cut.Started) + L" dans " + Quoted(JournalFolderText(cut.Folder)) + L" (" +
               CountText(files, L"fichier") + (files > 1 ? L" notés" : L" noté") +
               L" au journal).\r\n\r\nVoulez-vous l'annuler maintenant ? Sinon, elle reste dans " + list;
    }
    return L"Kavet24 s'est arrêté pendant l'annulation de " + Quoted(undone.Operation) + L", commencée le " +
           JournalTimeText(cut.Started) + L" dans " + Quoted(JournalFolderText(cut.Folder)) +
           L" : une partie seulement des fichiers a repris son état d'avant.\r\n\r\nVoulez-vous finir "
           L"cette annulation maintenant ? Les autres fichiers reprendront aussi leur état d'avant " +
           Quoted(undone.Operation) + L". Sinon, " + Quoted(undone.Operation) + L" reste dans " + list;
}

// The question before an operation reaches into the subfolders: how far it goes.
std::wstring SubFoldersQuestion(const std::wstring& operation, const FolderTreeFiles& tree) {
    std::wstring text = Quoted(operation) + L" va s'appliquer à " + CountText(tree.Names.size(), L"fichier") +
                        L" dans " + CountText(tree.Folders, L"dossier") +
                        L" (le dossier affiché et ses sous-dossiers, à travers le masque).";
    if (!tree.Unreadable.empty()) {
        const bool many = tree.Unreadable.size() > 1;
        text += L"\r\n\r\n" + CountText(tree.Unreadable.size(), L"sous-dossier") +
                (many ? L" illisibles laissés" : L" illisible laissé") + L" de côté : « " +
                tree.Unreadable.front() + (many ? L" »…" : L" ».");
    }
    return text + L"\r\n\r\nContinuer ?";
}

} // namespace

// The window's side of a batch: the question when the journal cannot be written, the progress
// window while the files are done on a worker, and the session's end held meanwhile.
class WindowBatchFront : public BatchFront {
public:
    explicit WindowBatchFront(BatchController& batches) : batches_(batches) {}

    bool GoOnWithoutJournal(const std::wstring& error) override {
        return ShowMessageBox(
                   batches_.host_.BatchOwner(),
                   L"Le journal d'annulation ne peut être écrit :\r\n" + error +
                       L"\r\n\r\nCette opération ne pourra pas être annulée. La faire quand même ?",
                   MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
    }

    std::vector<FileOutcome> RunFiles(const BatchFiles& files, const PerFile& perFile,
                                      JournalBatchWriter* journal) override {
        const FlagGuard running(batches_.running_);
        // A session's end finishes the journal only while the batch runs.
        batches_.batchJournal_ = journal;
        struct JournalShown {
            JournalBatchWriter*& shown;
            ~JournalShown() { shown = nullptr; }
        } journalShown{batches_.batchJournal_};
        SessionEndHold hold(batches_.host_.BatchOwner());
        return RunWithProgress(batches_.host_.BatchOwner(), batches_.host_.BatchFontName(), files.Paths,
                               perFile, 500, &batches_.stop_)
            .Outcomes;
    }

    void JournalNotFinished(const std::wstring& error) override {
        ShowMessageBox(batches_.host_.Closing() ? nullptr : batches_.host_.BatchOwner(),
                       L"La fin de l'opération n'a pu être notée au journal d'annulation :\r\n" + error,
                       MB_OK | MB_ICONWARNING);
    }

private:
    BatchController& batches_;
};

BatchController::BatchController(BatchHost& host, std::wstring productKey, std::wstring journalFolder)
    : host_(host), productKey_(std::move(productKey)),
      journal_(std::make_unique<JournalStore>(std::move(journalFolder))) {}

BatchRequest BatchController::WithOptions(BatchRequest request) const {
    request.Folders = host_.FoldersChosen();
    return request;
}

void BatchController::RunRequest(const BatchRequest& asked) {
    const BatchRequest request = WithOptions(asked);
    const auto stamping = std::make_shared<const FileStamping>(BatchStamping());
    if (const std::optional<BatchFiles> files = FilesOf(request, true))
        RunWork(*files, WorkOf(request, *files, stamping));
}

void BatchController::RunOnFolder(const std::wstring& folder, const BatchRequest& request) {
    if (running_ || host_.Closing())
        return;
    BatchFiles files{StripTrailingBackslashes(folder)};
    AddFolders(files, {}, true);
    RunWork(files, WorkOf(request, files, std::make_shared<const FileStamping>(BatchStamping())));
}

void BatchController::PreviewOnFolder(HWND owner, const std::wstring& folder, const BatchRequest& request) {
    if (running_ || host_.Closing())
        return;
    BatchFiles files{StripTrailingBackslashes(folder)};
    AddFolders(files, {}, true);
    const auto stamping = std::make_shared<const FileStamping>(BatchStamping());
    JournalledWork::Planner plan = WorkOf(request, files, stamping).Plan;
    BatchPreview preview(std::move(files), std::move(plan));
    ShowBatchPreview(owner, host_.BatchFontName(), OperationName(request), preview);
}

void BatchController::RunFolderContent() {
    const TFileListing* listing = host_.ShownListing();
    if (running_ || host_.Closing() || !listing)
        return;
    BatchFiles files{StoredCaseFolder(listing->Folder())};
    // Every file counts towards its folder's date, whatever the mask.
    std::optional<FolderTreeFiles> tree = WalkSubFolders(files.Folder, L"*");
    if (!tree)
        return;
    AddFolders(files, std::move(tree->Reached), true);
    RunWork(files, WorkOf(BatchRequest{BatchOperation::FolderContent}, files,
                          std::make_shared<const FileStamping>(BatchStamping())));
}

void BatchController::PreviewRequest(HWND owner, const BatchRequest& asked) {
    if (running_)
        return;
    const BatchRequest request = WithOptions(asked);
    std::optional<BatchFiles> files = FilesOf(request, false);
    if (!files)
        return;
    // The planner reaches the stamping it was made with: it stays for as long as the preview.
    const auto stamping = std::make_shared<const FileStamping>(BatchStamping());
    BatchWork work = WorkOf(request, *files, stamping);
    BatchPreview preview(std::move(*files), std::move(work.Plan), std::move(work.GroupColumn));
    ShowBatchPreview(owner, host_.BatchFontName(), OperationName(request), preview);
}

void BatchController::RunOnSelection(const std::wstring& operation, const WorkOfFiles& workOf,
                                     bool withFolders) {
    if (const std::optional<BatchFiles> files = ChosenFiles(operation, true, withFolders))
        RunWork(*files, workOf(*files));
}

std::optional<BatchFiles> BatchController::ChosenFiles(const std::wstring& operation, bool askAboutSubFolders,
                                                       bool withFolders) {
    // The window may have closed while its dialog was up: the listing is gone then.
    const TFileListing* listing = host_.ShownListing();
    if (host_.Closing() || !listing)
        return std::nullopt;
    BatchFiles files;
    try {
        const int rows = host_.RowCount();
        const bool anySelected = host_.AnyRowSelected();
        // The listing holds the tree's upper-cased form of the folder. The same folder spelt as
        // stored saves a file system that tells letter case apart (Wine on Linux) a search of
        // every folder along the path on each call for each file; undo finds the files there.
        files.Folder = StoredCaseFolder(listing->Folder());
        const std::wstring folder = files.Folder == StripTrailingBackslashes(listing->Folder())
                                        ? std::wstring()
                                        : WithTrailingBackslash(files.Folder);
        if (!anySelected && host_.SubFoldersChosen()) {
            std::optional<FolderTreeFiles> walked = WalkSubFolders(files.Folder, host_.CurrentMask());
            if (!walked)
                return std::nullopt;
            FolderTreeFiles& tree = *walked;
            if (askAboutSubFolders && !tree.Names.empty() &&
                ShowMessageBox(host_.BatchOwner(), SubFoldersQuestion(operation, tree),
                               MB_YESNO | MB_ICONQUESTION) != IDYES)
                return std::nullopt;
            files.Names = std::move(tree.Names);
            const std::wstring base = WithTrailingBackslash(files.Folder);
            for (const std::wstring& name : files.Names)
                files.Paths.push_back(base + name);
            if (withFolders)
                AddFolders(files, std::move(tree.Reached), true);
        } else {
            for (int i = 0; i < rows && static_cast<size_t>(i) < listing->Count(); ++i) {
                if (anySelected && !host_.RowSelected(i))
                    continue;
                const size_t entry = static_cast<size_t>(i);
                files.Names.emplace_back((*listing)[entry].Name);
                files.Paths.push_back(folder.empty() ? listing->FullName(entry)
                                                     : folder + files.Names.back());
            }
            if (withFolders)
                AddFolders(files, {}, true);
        }
    } catch (...) {
        // A failure of the list or the listing ends the batch before any file is touched.
        return std::nullopt;
    }
    return files;
}

namespace {

// The walk of the subfolders on the search's worker: its counts shown, the window's stop heard.
class SearchWalkWatch : public FolderWalkWatch {
public:
    explicit SearchWalkWatch(SearchProgress& progress) : progress_(progress) {}
    bool GoOn(size_t files, size_t folders) override {
        progress_.Tell(files, folders);
        return !progress_.StopAsked();
    }

private:
    SearchProgress& progress_;
};

} // namespace

bool BatchController::SearchOnWorker(const std::function<bool(FolderWalkWatch&)>& walk) {
    bool whole = false;
    const SearchWork search = [&walk, &whole](SearchProgress& progress) {
        SearchWalkWatch watch(progress);
        whole = walk(watch);
    };
    bool ended = false;
    {
        // The window's close and the session's end wait for the search as for a batch, and stop it.
        const FlagGuard running(running_);
        const FlagGuard searching(searching_);
        ended = RunSearchWithProgress(host_.BatchOwner(), host_.BatchFontName(), search, 500, &stop_);
    }
    if (std::exchange(closeAfterBatch_, false)) {
        host_.CloseWindow();
        return false;
    }
    if (!ended || !whole) {
        if (!host_.Closing())
            host_.ShowBatchNote(L"Recherche des fichiers arrêtée : aucun fichier n'a été modifié.");
        return false;
    }
    return true;
}

std::optional<FolderTreeFiles> BatchController::WalkSubFolders(const std::wstring& folder,
                                                               const std::wstring& mask) {
    FolderTreeFiles tree;
    if (!SearchOnWorker([&folder, &mask, &tree](FolderWalkWatch& watch) {
            tree = CollectFolderTree(folder, mask, &watch);
            return !tree.Stopped;
        }))
        return std::nullopt;
    return tree;
}

void BatchController::CloseAfterBatch() {
    closeAfterBatch_ = true;
    // A search changes nothing: it ends at once rather than keep the window from closing.
    if (searching_)
        stop_.StopAndWait();
}

std::optional<BatchFiles> BatchController::FilesOf(const BatchRequest& request, bool askAboutSubFolders) {
    if (request.Operation != BatchOperation::FromTree)
        return ChosenFiles(OperationName(request), askAboutSubFolders, DatesFolders(request));
    const TFileListing* listing = host_.ShownListing();
    if (host_.Closing() || !listing)
        return std::nullopt;
    const std::wstring folder = StoredCaseFolder(listing->Folder());
    const std::wstring mask = host_.CurrentMask();
    TreeTargets targets;
    if (!SearchOnWorker([&folder, &mask, &targets](FolderWalkWatch& watch) {
            targets = CollectTreeTargets(folder, mask, &watch);
            return !targets.Stopped;
        }))
        return std::nullopt;
    return std::move(targets.Files);
}

void BatchController::RunWork(const BatchFiles& files, const BatchWork& work) {
    if (host_.Closing())
        return;
    // The batch's own changes must not wake the monitor; the re-list at the end shows them all.
    host_.SetMonitorActive(false);
    struct MonitorBack {
        BatchHost& host;
        ~MonitorBack() {
            if (host.Closing())
                return; // the close switched the monitor off for good
            try {
                host.SetMonitorActive(true);
            } catch (...) {
            }
        }
    } monitorBack{host_};
    try {
        WindowBatchFront front(*this);
        BatchReport report;
        const BatchResult result = RunBatch(*journal_, files, work, front, report);
        if (!result.Ran)
            return;
        if (std::exchange(closeAfterBatch_, false)) {
            // Every file is done; what the user must still learn is where a file went.
            ShowStrandedFiles(result.Stranded);
            host_.CloseWindow();
            return;
        }
        host_.RelistFolder();
        ShowStrandedFiles(result.Stranded);
        host_.ShowBatchNote(report.CountLine());
        if (report.NeedsWindow() && !host_.Closing())
            ShowBatchReport(host_.BatchOwner(), host_.BatchFontName(), report);
    } catch (...) {
        // A failure of the list or the listing ends the batch without a message; every file
        // already done stays done.
    }
}

void BatchController::EndForSessionEnd() {
    stop_.StopAndWait();
    if (batchJournal_ && batchJournal_->Ok())
        batchJournal_->Finish();
}

void BatchController::ShowStrandedFiles(const std::vector<StrandedFile>& stranded) {
    if (stranded.empty())
        return;
    std::wstring text = L"\r\nCes fichiers n'ont pu être renommés ni reprendre leur nom :";
    for (const StrandedFile& file : stranded)
        text +=
            L"\r\n" + Quoted(file.OldName) + L" porte maintenant le nom " + Quoted(file.TemporaryPath) + L".";
    // Told even when the window closed meanwhile: then the box stands on its own.
    ShowMessageBox(host_.Closing() ? nullptr : host_.BatchOwner(), text, MB_OK | MB_ICONWARNING);
}

std::vector<std::wstring> BatchController::BatchStates(const JournalSummary& contents) const {
    std::vector<std::wstring> states;
    for (size_t i = 0; i < contents.Batches.size(); ++i)
        states.push_back(BatchStateText(
            StateOf(contents, i, RunningBatchMark::IsRunning(*journal_, contents.Batches[i].Id))));
    return states;
}

void BatchController::ChooseAndUndo() {
    if (running_ || host_.Closing())
        return;
    // The list needs each batch but its records: the records of the one chosen are read then.
    const JournalStore::SummaryResult read = journal_->Summary();
    if (!read.Error.empty()) {
        ShowMessageBox(host_.BatchOwner(), read.Error, MB_OK | MB_ICONWARNING);
        return;
    }
    const JournalSummary& contents = read.Summary;
    if (contents.Batches.empty()) {
        ShowMessageBox(host_.BatchOwner(), L"Le journal ne garde aucune opération à annuler.",
                       MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::vector<UndoRow> rows = UndoRows(contents, BatchStates(contents));
    const std::optional<UndoChoice> choice =
        AskUndo(host_.BatchOwner(), host_.BatchFontName(), rows, NextToUndo(contents));
    if (choice)
        UndoBatch(contents.Batches[choice->BatchIndex], choice->EvenIfChanged, true);
}

void BatchController::UndoBatch(const JournalBatchSummary& chosen, bool evenIfChanged, bool tellDamage) {
    const PreparedUndo undo =
        PrepareUndo(*journal_, chosen, evenIfChanged, std::make_shared<const FileStamping>(BatchStamping()));
    switch (undo.Refusal) {
    case UndoRefusal::None:
        break;
    case UndoRefusal::StillRunning:
        ShowMessageBox(host_.BatchOwner(),
                       L"Cette opération tourne encore dans une autre fenêtre de Kavet24 : elle pourra être "
                       L"annulée une fois finie.",
                       MB_OK | MB_ICONINFORMATION);
        return;
    case UndoRefusal::NotFound:
    case UndoRefusal::Unreadable:
        ShowMessageBox(host_.BatchOwner(),
                       undo.Error.empty() ? L"Cette opération n'est plus dans le journal d'annulation."
                                          : undo.Error,
                       MB_OK | MB_ICONWARNING);
        return;
    }
    if (tellDamage && !undo.Problems.empty()) {
        std::wstring text = L"Des lignes abîmées du journal d'annulation sont ignorées :";
        for (size_t i = 0; i < undo.Problems.size() && i < 5; ++i)
            text += L"\r\n" + undo.Problems[i];
        ShowMessageBox(host_.BatchOwner(), text, MB_OK | MB_ICONWARNING);
    }
    RunWork(undo.Files, undo.Work);
}

void BatchController::OfferUndoAfterCrash() {
    // At every start: the summary tells at once whether every batch ended, as they nearly always
    // did, or whether those that did not were asked about already.
    const JournalStore::SummaryResult read = journal_->Summary();
    const JournalSummary& summary = read.Summary;
    if (!read.Error.empty() || std::all_of(summary.Batches.begin(), summary.Batches.end(),
                                           [](const JournalBatchSummary& batch) { return batch.Finished; }))
        return;
    // Without a key to remember the answers in, the same question would come back at every start.
    std::optional<RegistrySection> key;
    try {
        key.emplace(productKey_ + kJournalKey, RegistrySection::Access::Write);
    } catch (const RegistryError&) {
        return;
    }
    const std::vector<uint64_t> asked = IdsOfText(key->ReadText(kAskedAfterCrash));
    const auto wasAsked = [&asked](uint64_t id) {
        return std::find(asked.begin(), asked.end(), id) != asked.end();
    };
    if (std::all_of(summary.Batches.begin(), summary.Batches.end(),
                    [&](const JournalBatchSummary& batch) { return batch.Finished || wasAsked(batch.Id); }))
        return;
    const JournalSummary& contents = summary;
    // Every batch cut short is asked about once, newest first; the value keeps only those the
    // journal still holds unfinished, so it never grows.
    std::vector<uint64_t> stillAsked;
    std::vector<uint64_t> askedNow = asked;
    std::vector<uint64_t> offered; // batches whose undo was offered, through an undo cut short or not
    for (size_t i = contents.Batches.size(); i-- > 0;) {
        const JournalBatchSummary& batch = contents.Batches[i];
        if (batch.Finished || RunningBatchMark::IsRunning(*journal_, batch.Id))
            continue;
        stillAsked.push_back(batch.Id);
        if (wasAsked(batch.Id))
            continue;
        // An undo cut short is finished, never reversed: the user wanted the batch it undoes gone.
        const std::optional<size_t> target =
            batch.Undoes == 0 ? std::optional<size_t>(i) : UndoneBy(contents, i);
        if (!target || IsUndone(contents, i) || IsUndone(contents, *target))
            continue;
        const JournalBatchSummary& undone = contents.Batches[*target];
        if (std::find(offered.begin(), offered.end(), undone.Id) != offered.end())
            continue;
        offered.push_back(undone.Id);
        askedNow.push_back(batch.Id);
        RememberAsked(*key, askedNow);
        // A rename cut between its two moves left its file under a temporary name.
        const JournalStore::ReadResult records = journal_->ReadBatch(batch);
        const std::vector<StrandedFile> stranded =
            records.Contents.Batches.empty() ? std::vector<StrandedFile>()
                                             : FilesUnderTemporaryNames(records.Contents.Batches.front());
        // Asked once: a no leaves the batch in the list, where Ctrl+Z still finds it.
        if (ShowMessageBox(host_.BatchOwner(), CrashQuestion(batch, undone), MB_YESNO | MB_ICONQUESTION) !=
            IDYES) {
            ShowStrandedFiles(stranded);
            continue;
        }
        // The undo of the batch finds a file only under the batch's names: one that the undo cut
        // short left under its temporary name goes back where that undo found it first.
        if (batch.Id != undone.Id)
            for (const StrandedFile& file : stranded)
                CaseRenamer().FromTemporaryName(file.TemporaryPath,
                                                JournalNameRoot(batch.Folder) + file.OldName);
        UndoBatch(undone, false);
    }
    RememberAsked(*key, stillAsked);
}
