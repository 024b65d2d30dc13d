// The five file operations and undo: each asks what it needs (or not, once the user said so), then
// runs one per-file function over the selected rows, or over every row when none is selected, on a
// worker thread with its progress shown, each file noted in the undo journal before it changes;
// re-lists the folder once at the end and reports every file not done as asked.
#include "app/MainForm.h"

#include "base/Errors.h"
#include "base/FlagGuard.h"
#include "base/RegistrySection.h"
#include "base/TextHelpers.h"
#include "batch/BatchRun.h"
#include "batch/Planners.h"
#include "journal/UndoPlan.h"
#include "base/TimeText.h"
#include "listing/FolderTree.h"
#include "operations/ApiPath.h"
#include "operations/BatchReport.h"
#include "operations/CaseRenamer.h"
#include "operations/FileStamping.h"
#include "operations/dialogs/BatchProgress.h"
#include "operations/dialogs/BatchReportForm.h"
#include "operations/dialogs/CopyStampForm.h"
#include "operations/dialogs/OperationPrompts.h"
#include "operations/dialogs/StampChoiceForm.h"
#include "operations/dialogs/UndoForm.h"
#include "ui/MessageBox.h"
#include "ui/OpenFileDialog.h"
#include "ui/WaitCursor.h"

#include <algorithm>
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
               JournalTimeText(cut.Started) + L" dans " + Quoted(cut.Folder) + L" (" +
               CountText(files, L"fichier") + (files > 1 ? L" notés" : L" noté") +
               L" au journal).\r\n\r\nVoulez-vous l'annuler maintenant ? Sinon, elle reste dans " + list;
    }
    return L"Kavet24 s'est arrêté pendant l'annulation de " + Quoted(undone.Operation) + L", commencée le " +
           JournalTimeText(cut.Started) + L" dans " + Quoted(cut.Folder) +
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
    explicit WindowBatchFront(TMainForm& form) : form_(form) {}

    bool GoOnWithoutJournal(const std::wstring& error) override {
        return ShowMessageBox(
                   form_.Handle(),
                   L"Le journal d'annulation ne peut être écrit :\r\n" + error +
                       L"\r\n\r\nCette opération ne pourra pas être annulée. La faire quand même ?",
                   MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
    }

    std::vector<FileOutcome> RunFiles(const BatchFiles& files, const PerFile& perFile,
                                      JournalBatchWriter* journal) override {
        const FlagGuard running(form_.batchRunning_);
        // A session's end finishes the journal only while the batch runs.
        form_.batchJournal_ = journal;
        struct JournalShown {
            JournalBatchWriter*& shown;
            ~JournalShown() { shown = nullptr; }
        } journalShown{form_.batchJournal_};
        SessionEndHold hold(form_.Handle());
        return RunWithProgress(form_.Handle(), form_.FontName(), files.Paths, perFile, 500, &form_.batchStop_)
            .Outcomes;
    }

    void JournalNotFinished(const std::wstring& error) override {
        ShowMessageBox(form_.closing_ ? nullptr : form_.Handle(),
                       L"La fin de l'opération n'a pu être notée au journal d'annulation :\r\n" + error,
                       MB_OK | MB_ICONWARNING);
    }

private:
    TMainForm& form_;
};

void TMainForm::RunRequest(const BatchRequest& request) {
    const auto stamping = std::make_shared<const FileStamping>(BatchStamping());
    RunOnSelection(OperationName(request), [&request, &stamping](const BatchFiles& files) {
        return WorkOf(request, files, stamping);
    });
}

void TMainForm::RunOnSelection(const std::wstring& operation, const WorkOfFiles& workOf) {
    // The window may have closed while its dialog was up: the listing is gone then.
    if (closing_ || !Listing)
        return;
    BatchFiles files;
    try {
        const int rows = FileList->ItemCount();
        const bool anySelected = FileList->NextItemIndex(-1, sdAll, {isSelected}) >= 0;
        // The listing holds the tree's upper-cased form of the folder. The same folder spelt as
        // stored saves a file system that tells letter case apart (Wine on Linux) a search of
        // every folder along the path on each call for each file; undo finds the files there.
        files.Folder = StoredCaseFolder(Listing->Folder());
        const std::wstring folder = files.Folder == StripTrailingBackslashes(Listing->Folder())
                                        ? std::wstring()
                                        : WithTrailingBackslash(files.Folder);
        if (!anySelected && Settings.SubFolders) {
            FolderTreeFiles tree;
            {
                WaitCursor wait;
                tree = CollectFolderTree(files.Folder, Mask);
            }
            if (!tree.Names.empty() && ShowMessageBox(Handle(), SubFoldersQuestion(operation, tree),
                                                      MB_YESNO | MB_ICONQUESTION) != IDYES)
                return;
            files.Names = std::move(tree.Names);
            const std::wstring base = WithTrailingBackslash(files.Folder);
            for (const std::wstring& name : files.Names)
                files.Paths.push_back(base + name);
        } else {
            for (int i = 0; i < rows && static_cast<size_t>(i) < Listing->Count(); ++i) {
                if (anySelected && !FileList->IsSelected(i))
                    continue;
                const size_t entry = static_cast<size_t>(i);
                files.Names.emplace_back((*Listing)[entry].Name);
                files.Paths.push_back(folder.empty() ? Listing->FullName(entry)
                                                     : folder + files.Names.back());
            }
        }
    } catch (...) {
        // A failure of the list or the listing ends the batch before any file is touched.
        return;
    }
    RunWork(files, workOf(files));
}

void TMainForm::RunWork(const BatchFiles& files, const BatchWork& work) {
    if (closing_)
        return;
    // The batch's own changes must not wake the monitor; the re-list at the end shows them all.
    FolderMonitor->SetActive(false);
    struct MonitorBack {
        TMainForm& form;
        ~MonitorBack() {
            if (form.closing_)
                return; // the close switched the monitor off for good
            try {
                form.FolderMonitor->SetActive(true);
            } catch (...) {
            }
        }
    } monitorBack{*this};
    try {
        WindowBatchFront front(*this);
        BatchReport report;
        const BatchResult result = RunBatch(*Journal, files, work, front, report);
        if (!result.Ran)
            return;
        if (std::exchange(closeAfterBatch_, false)) {
            // Every file is done; what the user must still learn is where a file went.
            ShowStrandedFiles(result.Stranded);
            Close();
            return;
        }
        DirTreeChange();
        ShowStrandedFiles(result.Stranded);
        ShowBatchNote(report.CountLine());
        if (report.NeedsWindow() && !closing_)
            ShowBatchReport(Handle(), FontName(), report);
    } catch (...) {
        // A failure of the list or the listing ends the batch without a message; every file
        // already done stays done.
    }
}

void TMainForm::EndBatchForSessionEnd() {
    batchStop_.StopAndWait();
    if (batchJournal_ && batchJournal_->Ok())
        batchJournal_->Finish();
}

void TMainForm::ShowStrandedFiles(const std::vector<StrandedFile>& stranded) {
    if (stranded.empty())
        return;
    std::wstring text = L"\r\nCes fichiers n'ont pu être renommés ni reprendre leur nom :";
    for (const StrandedFile& file : stranded)
        text +=
            L"\r\n" + Quoted(file.OldName) + L" porte maintenant le nom " + Quoted(file.TemporaryPath) + L".";
    // Told even when the window closed meanwhile: then the box stands on its own.
    ShowMessageBox(closing_ ? nullptr : Handle(), text, MB_OK | MB_ICONWARNING);
}

void TMainForm::BtnDateTimeClick() {
    const std::optional<DateTimeChoice> choice = AskDateTime(Handle(), FontName(), Settings);
    if (!choice)
        return;
    BatchRequest request{BatchOperation::DateTime, choice->Stamps};
    request.When = choice->When;
    RunRequest(request);
}

void TMainForm::BtnTimeZeroClick() {
    if (ConfirmTimeZero(Handle(), FontName(), Settings))
        RunRequest(BatchRequest{BatchOperation::TimeZero});
}

void TMainForm::ShiftClick() {
    const std::optional<ShiftChoice> choice = AskShift(Handle(), FontName(), Settings);
    if (!choice)
        return;
    BatchRequest request{BatchOperation::Shift, choice->Stamps};
    request.Shift = choice->Shift;
    RunRequest(request);
}

void TMainForm::CopyStampClick() {
    const std::optional<CopyStampChoice> choice = AskCopyStamp(Handle(), FontName());
    if (!choice)
        return;
    BatchRequest request{BatchOperation::CopyStamp, choice->Targets};
    request.CopySource = choice->Source;
    RunRequest(request);
}

void TMainForm::FromFileClick() {
    const std::optional<std::wstring> path =
        PickReferenceFile(Handle(), Listing ? StoredCaseFolder(Listing->Folder()) : std::wstring());
    if (!path)
        return;
    std::wstring error;
    const std::optional<ReferenceFile> reference = ReadReferenceFile(*path, error);
    if (!reference) {
        ShowMessageBox(Handle(), L"Les dates de " + Quoted(*path) + L" ne peuvent être lues :\r\n" + error,
                       MB_OK | MB_ICONWARNING);
        return;
    }
    const std::optional<StampSet> stamps =
        AskStamps(Handle(), FontName(),
                  StampChoiceTexts{L"Dates d'un autre fichier",
                                   L"Les dates cochées de chaque fichier prendront celles de " +
                                       Quoted(reference->Name) + L".",
                                   {L"Date de création : " + JournalTimeText(reference->Creation),
                                    L"Date de modification : " + JournalTimeText(reference->LastWrite),
                                    L"Date de dernier accès : " + JournalTimeText(reference->LastAccess)},
                                   kAllStamps});
    if (!stamps)
        return;
    BatchRequest request{BatchOperation::FromFile, *stamps};
    request.Reference = *reference;
    RunRequest(request);
}

void TMainForm::PhotoDateClick() {
    const std::optional<StampSet> stamps =
        AskStamps(Handle(), FontName(),
                  StampChoiceTexts{
                      L"Date de prise de vue",
                      L"Les dates cochées de chaque photo JPEG ou TIFF prendront la date de sa prise de vue, "
                      L"lue dans ses données Exif. Une photo sans cette date est laissée telle quelle.",
                      StampChecks::kDateTexts,
                      {Stamp::Creation, Stamp::LastWrite}});
    if (stamps)
        RunRequest(BatchRequest{BatchOperation::PhotoDate, *stamps});
}

void TMainForm::SubFoldersClick() {
    Settings.SubFolders = !Settings.SubFolders;
    OptionsSousDossiers->SetChecked(Settings.SubFolders);
}

void TMainForm::BtnNameMajClick() {
    if (ConfirmUpperCase(Handle(), FontName(), Settings))
        RunRequest(BatchRequest{BatchOperation::Upper});
}

void TMainForm::BtnNameMinClick() {
    if (ConfirmLowerCase(Handle(), FontName(), Settings))
        RunRequest(BatchRequest{BatchOperation::Lower});
}

void TMainForm::BtnNameMajMinClick() {
    if (ConfirmFirstUpper(Handle(), FontName(), Settings))
        RunRequest(BatchRequest{BatchOperation::FirstUpper});
}

std::vector<std::wstring> TMainForm::BatchStates(const JournalSummary& contents) const {
    std::vector<std::wstring> states;
    for (size_t i = 0; i < contents.Batches.size(); ++i) {
        const JournalBatchSummary& batch = contents.Batches[i];
        states.push_back(RunningBatchMark::IsRunning(*Journal, batch.Id) ? L"en cours"
                         : IsUndone(contents, i)                         ? L"annulée"
                         : !batch.Finished                               ? L"interrompue"
                                                                         : L"");
    }
    return states;
}

void TMainForm::UndoClick() {
    if (batchRunning_ || closing_)
        return;
    // The list needs each batch but its records: the records of the one chosen are read then.
    const JournalStore::SummaryResult read = Journal->Summary();
    if (!read.Error.empty()) {
        ShowMessageBox(Handle(), read.Error, MB_OK | MB_ICONWARNING);
        return;
    }
    const JournalSummary& contents = read.Summary;
    if (contents.Batches.empty()) {
        ShowMessageBox(Handle(), L"Le journal ne garde aucune opération à annuler.",
                       MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::vector<UndoRow> rows = UndoRows(contents, BatchStates(contents));
    const std::optional<UndoChoice> choice = AskUndo(Handle(), FontName(), rows, NextToUndo(contents));
    if (choice)
        UndoBatch(contents.Batches[choice->BatchIndex], choice->EvenIfChanged, true);
}

void TMainForm::UndoBatch(const JournalBatchSummary& chosen, bool evenIfChanged, bool tellDamage) {
    const PreparedUndo undo =
        PrepareUndo(*Journal, chosen, evenIfChanged, std::make_shared<const FileStamping>(BatchStamping()));
    switch (undo.Refusal) {
    case UndoRefusal::None:
        break;
    case UndoRefusal::StillRunning:
        ShowMessageBox(Handle(),
                       L"Cette opération tourne encore dans une autre fenêtre de Kavet24 : elle pourra être "
                       L"annulée une fois finie.",
                       MB_OK | MB_ICONINFORMATION);
        return;
    case UndoRefusal::NotFound:
    case UndoRefusal::Unreadable:
        ShowMessageBox(Handle(),
                       undo.Error.empty() ? L"Cette opération n'est plus dans le journal d'annulation."
                                          : undo.Error,
                       MB_OK | MB_ICONWARNING);
        return;
    }
    if (tellDamage && !undo.Problems.empty()) {
        std::wstring text = L"Des lignes abîmées du journal d'annulation sont ignorées :";
        for (size_t i = 0; i < undo.Problems.size() && i < 5; ++i)
            text += L"\r\n" + undo.Problems[i];
        ShowMessageBox(Handle(), text, MB_OK | MB_ICONWARNING);
    }
    RunWork(undo.Files, undo.Work);
}

void TMainForm::OfferUndoAfterCrash() {
    // At every start: the summary tells at once whether every batch ended, as they nearly always
    // did, or whether those that did not were asked about already.
    const JournalStore::SummaryResult read = Journal->Summary();
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
        if (batch.Finished || RunningBatchMark::IsRunning(*Journal, batch.Id))
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
        const JournalStore::ReadResult records = Journal->ReadBatch(batch);
        const std::vector<StrandedFile> stranded =
            records.Contents.Batches.empty() ? std::vector<StrandedFile>()
                                             : FilesUnderTemporaryNames(records.Contents.Batches.front());
        // Asked once: a no leaves the batch in the list, where Ctrl+Z still finds it.
        if (ShowMessageBox(Handle(), CrashQuestion(batch, undone), MB_YESNO | MB_ICONQUESTION) != IDYES) {
            ShowStrandedFiles(stranded);
            continue;
        }
        // The undo of the batch finds a file only under the batch's names: one that the undo cut
        // short left under its temporary name goes back where that undo found it first.
        if (batch.Id != undone.Id)
            for (const StrandedFile& file : stranded)
                CaseRenamer().FromTemporaryName(file.TemporaryPath,
                                                WithTrailingBackslash(batch.Folder) + file.OldName);
        UndoBatch(undone, false);
    }
    RememberAsked(*key, stillAsked);
}
