// The five file operations and undo: each asks what it needs (or not, once the user said so), then
// runs one per-file function over the selected rows, or over every row when none is selected, on a
// worker thread with its progress shown, each file noted in the undo journal before it changes;
// re-lists the folder once at the end and reports every file not done as asked.
#include "app/MainForm.h"

#include "base/RegistryData.h"
#include "base/RegistryKey.h"
#include "base/FileTimeTicks.h"
#include "base/TextHelpers.h"
#include "base/TimeText.h"
#include "listing/FolderTree.h"
#include "operations/ApiPath.h"

#include "operations/BatchReport.h"
#include "operations/CaseRenamer.h"
#include "base/FileNameParts.h"
#include "operations/FileStamping.h"
#include "operations/SystemFailure.h"
#include "journal/UndoPlan.h"
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

JournalledWork::Work Plain(PerFileWork perFile) {
    return [perFile = std::move(perFile)](size_t, const std::wstring& path, const PlannedFile&) {
        return perFile(path);
    };
}

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

std::wstring CountText(size_t count, const wchar_t* word) {
    return std::to_wstring(count) + L" " + word + (count > 1 ? L"s" : L"");
}

// The question at start about `cut`, a batch the program stopped in the middle of: undo it, or,
// when it was itself an undo, finish the undo of `undone`.
std::wstring CrashQuestion(const JournalBatchSummary& cut, const JournalBatchSummary& undone) {
    const std::wstring list = L"la liste de « Annuler la dernière opération ».";
    if (cut.Undoes == 0) {
        const size_t files = cut.Files;
        return L"Kavet24 s'est arrêté pendant l'opération « " + cut.Operation + L" » commencée le " +
               JournalTimeText(cut.Started) + L" dans « " + cut.Folder + L" » (" +
               CountText(files, L"fichier") + (files > 1 ? L" notés" : L" noté") +
               L" au journal).\r\n\r\nVoulez-vous l'annuler maintenant ? Sinon, elle reste dans " + list;
    }
    return L"Kavet24 s'est arrêté pendant l'annulation de « " + undone.Operation + L" », commencée le " +
           JournalTimeText(cut.Started) + L" dans « " + cut.Folder +
           L" » : une partie seulement des fichiers a repris son état d'avant.\r\n\r\nVoulez-vous finir "
           L"cette annulation maintenant ? Les autres fichiers reprendront aussi leur état d'avant « " +
           undone.Operation + L" ». Sinon, « " + undone.Operation + L" » reste dans " + list;
}

// The question before an operation reaches into the subfolders: how far it goes.
std::wstring SubFoldersQuestion(const std::wstring& operation, const FolderTreeFiles& tree) {
    std::wstring text = L"« " + operation + L" » va s'appliquer à " +
                        CountText(tree.Names.size(), L"fichier") + L" dans " +
                        CountText(tree.Folders, L"dossier") +
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

void TMainForm::RunBatch(const std::wstring& operation, const PlannerOf& planner,
                         const PerFileWork& perFile) {
    RunPlannedBatch(operation, planner, Plain(perFile));
}

void TMainForm::RunPlannedBatch(const std::wstring& operation, const PlannerOf& planner,
                                const JournalledWork::Work& work) {
    // The window may have closed while its dialog was up: the listing is gone then.
    if (closing_ || !Listing)
        return;
    std::vector<std::wstring> paths;
    std::vector<std::wstring> names;
    std::wstring stored;
    try {
        const int rows = FileList->ItemCount();
        const bool anySelected = FileList->NextItemIndex(-1, sdAll, {isSelected}) >= 0;
        // The listing holds the tree's upper-cased form of the folder. The same folder spelt as
        // stored saves a file system that tells letter case apart (Wine on Linux) a search of
        // every folder along the path on each call for each file; undo finds the files there.
        stored = StoredCaseFolder(Listing->Folder());
        const std::wstring folder = stored == StripTrailingBackslashes(Listing->Folder())
                                        ? std::wstring()
                                        : WithTrailingBackslash(stored);
        if (!anySelected && Settings.SubFolders) {
            FolderTreeFiles tree;
            {
                WaitCursor wait;
                tree = CollectFolderTree(stored, Mask);
            }
            if (!tree.Names.empty() && ShowMessageBox(Handle(), SubFoldersQuestion(operation, tree),
                                                      MB_YESNO | MB_ICONQUESTION) != IDYES)
                return;
            names = std::move(tree.Names);
            const std::wstring base = WithTrailingBackslash(stored);
            for (const std::wstring& name : names)
                paths.push_back(base + name);
        } else {
            for (int i = 0; i < rows && static_cast<size_t>(i) < Listing->Count(); ++i) {
                if (anySelected && !FileList->IsSelected(i))
                    continue;
                const size_t entry = static_cast<size_t>(i);
                names.emplace_back((*Listing)[entry].Name);
                paths.push_back(folder.empty() ? Listing->FullName(entry) : folder + names.back());
            }
        }
    } catch (...) {
        // A failure of the list or the listing ends the batch before any file is touched.
        return;
    }
    JournalledWork::Planner plan = planner(names);
    RunFiles(operation, stored, 0, std::move(paths), std::move(names), plan, work);
}

void TMainForm::RunFiles(const std::wstring& operation, const std::wstring& folder, uint64_t undoes,
                         std::vector<std::wstring> paths, std::vector<std::wstring> names,
                         const JournalledWork::Planner& plan, const JournalledWork::Work& work) {
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
        // A batch without files has nothing to take back: it stays out of the journal.
        std::optional<JournalBatchWriter> journal;
        if (!paths.empty())
            journal.emplace(*Journal, operation, folder, undoes);
        if (journal && !journal->Ok()) {
            if (ShowMessageBox(
                    Handle(),
                    L"Le journal d'annulation ne peut être écrit :\r\n" + journal->Error() +
                        L"\r\n\r\nCette opération ne pourra pas être annulée. La faire quand même ?",
                    MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
                return;
            journal.reset();
        }
        JournalledWork journalled(journal ? &*journal : nullptr, paths, plan, work);
        BatchProgressResult run;
        {
            struct Running {
                TMainForm& form;
                ~Running() {
                    form.batchRunning_ = false;
                    form.batchJournal_ = nullptr;
                }
            } running{*this};
            batchRunning_ = true;
            batchJournal_ = journal ? &*journal : nullptr;
            SessionEndHold hold(Handle());
            run = RunWithProgress(
                Handle(), FontName(), paths,
                [&journalled](const std::wstring& path) { return journalled(path); }, 500, &batchStop_);
        }
        if (journal && journal->Ok() && !journal->Finish())
            ShowMessageBox(closing_ ? nullptr : Handle(),
                           L"La fin de l'opération n'a pu être notée au journal d'annulation :\r\n" +
                               journal->Error(),
                           MB_OK | MB_ICONWARNING);
        BatchReport report;
        for (size_t i = 0; i < run.Outcomes.size() && i < names.size(); ++i)
            report.Add(std::move(names[i]), run.Outcomes[i]);
        report.SetNotReached(paths.size() - std::min(paths.size(), run.Outcomes.size()));
        if (std::exchange(closeAfterBatch_, false)) {
            // Every file is done; what the user must still learn is where a file went.
            ReportStrandedFiles();
            Close();
            return;
        }
        DirTreeChange();
        ReportStrandedFiles();
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

void TMainForm::ReportStrandedFiles() {
    // A rename that could give a file neither its new name nor its old one back left it under a
    // temporary name: the user must learn which file that is, or it looks lost.
    ShowStrandedFiles(TakeStrandedFiles());
}

void TMainForm::ShowStrandedFiles(const std::vector<StrandedFile>& stranded) {
    if (stranded.empty())
        return;
    std::wstring text = L"\r\nCes fichiers n'ont pu être renommés ni reprendre leur nom :";
    for (const StrandedFile& file : stranded)
        text += L"\r\n« " + file.OldName + L" » porte maintenant le nom « " + file.TemporaryPath + L" ».";
    // Told even when the window closed meanwhile: then the box stands on its own.
    ShowMessageBox(closing_ ? nullptr : Handle(), text, MB_OK | MB_ICONWARNING);
}

void TMainForm::BtnDateTimeClick() {
    const std::optional<DateTimeChoice> choice = AskDateTime(Handle(), FontName(), Settings);
    if (!choice)
        return;
    const CivilTime when = choice->When;
    const int mask = choice->ActionMask;
    const auto stamping = std::make_shared<FileStamping>(BatchStamping());
    RunBatch(
        L"Date-Heure", [&](const auto& names) { return PlanDateTime(*stamping, names, when, mask); },
        [stamping, when, mask](const std::wstring& path) {
            return stamping->FileSetDateTime(path, when, mask);
        });
}

void TMainForm::BtnTimeZeroClick() {
    if (!ConfirmTimeZero(Handle(), FontName(), Settings))
        return;
    const auto stamping = std::make_shared<FileStamping>(BatchStamping());
    RunPlannedBatch(
        L"Heure Zéro", [&](const auto& names) { return PlanTimeZero(*stamping, names); },
        WritePlannedStamps(*stamping, kStampCreation | kStampLastWrite | kStampLastAccess));
}

void TMainForm::ShiftClick() {
    const std::optional<ShiftChoice> choice = AskShift(Handle(), FontName(), Settings);
    if (!choice)
        return;
    const DateShift shift = choice->Shift;
    const int mask = choice->ActionMask;
    const auto stamping = std::make_shared<FileStamping>(BatchStamping());
    RunBatch(
        L"Décaler les dates (" + ShiftText(shift) + L")",
        [&](const auto& names) { return PlanShift(*stamping, names, shift, mask); },
        [stamping, shift, mask](const std::wstring& path) { return stamping->FileShift(path, shift, mask); });
}

void TMainForm::CopyStampClick() {
    const std::optional<CopyStampChoice> choice = AskCopyStamp(Handle(), FontName());
    if (!choice)
        return;
    const int source = choice->SourceBit;
    const int targets = choice->TargetMask;
    const auto stamping = std::make_shared<FileStamping>(BatchStamping());
    RunBatch(
        L"Copier une date (" + StampNames(source) + L" \u2192 " + StampNames(targets) + L")",
        [&](const auto& names) { return PlanCopyStamp(names, source, targets); },
        [stamping, source, targets](const std::wstring& path) {
            return stamping->FileCopyStamp(path, source, targets);
        });
}

void TMainForm::FromFileClick() {
    const std::optional<std::wstring> reference =
        PickReferenceFile(Handle(), Listing ? StoredCaseFolder(Listing->Folder()) : std::wstring());
    if (!reference)
        return;
    const std::optional<FileStamps> read = PlatformFileTimeReader(*reference);
    if (!read) {
        ShowMessageBox(Handle(),
                       L"Les dates de « " + *reference + L" » ne peuvent être lues :\r\n" +
                           FailureOfLastError().ReasonText(),
                       MB_OK | MB_ICONWARNING);
        return;
    }
    const FileStamps stamps = *read;
    const std::wstring name = SplitFileName(*reference).Name;
    const std::optional<int> mask = AskStamps(
        Handle(), FontName(),
        StampChoiceTexts{L"Dates d'un autre fichier",
                         L"Les dates cochées de chaque fichier prendront celles de « " + name + L" ».",
                         {L"Date de création : " + JournalTimeText(FileTimeTicks(stamps.Creation)),
                          L"Date de modification : " + JournalTimeText(FileTimeTicks(stamps.LastWrite)),
                          L"Date de dernier accès : " + JournalTimeText(FileTimeTicks(stamps.LastAccess))},
                         kStampCreation | kStampLastWrite | kStampLastAccess});
    if (!mask)
        return;
    const auto stamping = std::make_shared<FileStamping>(BatchStamping());
    RunPlannedBatch(
        L"Dates d'un autre fichier (" + StampNames(*mask) + L" de « " + name + L" »)",
        [&](const auto& names) { return PlanFixedStamps(*stamping, names, stamps, *mask); },
        WritePlannedStamps(*stamping, *mask));
}

void TMainForm::PhotoDateClick() {
    const std::optional<int> mask =
        AskStamps(Handle(), FontName(),
                  StampChoiceTexts{
                      L"Date de prise de vue",
                      L"Les dates cochées de chaque photo JPEG ou TIFF prendront la date de sa prise de vue, "
                      L"lue dans ses données Exif. Une photo sans cette date est laissée telle quelle.",
                      {L"Date de création", L"Date de modification", L"Date de dernier accès"},
                      kStampCreation | kStampLastWrite});
    if (!mask)
        return;
    const auto stamping = std::make_shared<FileStamping>(BatchStamping());
    RunPlannedBatch(
        L"Date de prise de vue (" + StampNames(*mask) + L")",
        [&](const auto& names) { return PlanPhotoDate(*stamping, names, *mask); },
        WritePlannedStamps(*stamping, *mask));
}

void TMainForm::SubFoldersClick() {
    Settings.SubFolders = !Settings.SubFolders;
    OptionsSousDossiers->SetChecked(Settings.SubFolders);
}

void TMainForm::BtnNameMajClick() {
    if (ConfirmUpperCase(Handle(), FontName(), Settings))
        RunPlannedBatch(
            L"Majuscules", [](const auto& names) { return PlanNameCase(names, NameCase::Upper); },
            WritePlannedName());
}

void TMainForm::BtnNameMinClick() {
    if (ConfirmLowerCase(Handle(), FontName(), Settings))
        RunPlannedBatch(
            L"Minuscules", [](const auto& names) { return PlanNameCase(names, NameCase::Lower); },
            WritePlannedName());
}

void TMainForm::BtnNameMajMinClick() {
    if (ConfirmFirstUpper(Handle(), FontName(), Settings))
        RunPlannedBatch(
            L"Maj-minuscules", [](const auto& names) { return PlanNameCase(names, NameCase::FirstUpper); },
            WritePlannedName());
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
    if (RunningBatchMark::IsRunning(*Journal, chosen.Id)) {
        ShowMessageBox(Handle(),
                       L"Cette opération tourne encore dans une autre fenêtre de Kavet24 : elle pourra être "
                       L"annulée une fois finie.",
                       MB_OK | MB_ICONINFORMATION);
        return;
    }
    JournalStore::ReadResult read = Journal->ReadBatch(chosen);
    if (!read.Error.empty() || read.Contents.Batches.empty()) {
        ShowMessageBox(Handle(),
                       read.Error.empty() ? L"Cette opération n'est plus dans le journal d'annulation."
                                          : read.Error,
                       MB_OK | MB_ICONWARNING);
        return;
    }
    const JournalContents& contents = read.Contents;
    if (tellDamage && !contents.Problems.empty()) {
        std::wstring text = L"Des lignes abîmées du journal d'annulation sont ignorées :";
        for (size_t i = 0; i < contents.Problems.size() && i < 5; ++i)
            text += L"\r\n" + contents.Problems[i].Message;
        ShowMessageBox(Handle(), text, MB_OK | MB_ICONWARNING);
    }
    const std::wstring operation = chosen.Operation;
    const std::wstring folder = chosen.Folder;
    UndoFiles undo = UndoFilesOf(std::move(read.Contents.Batches.front()));
    read = JournalStore::ReadResult{};
    const FileStamping stamping = BatchStamping();
    RunFiles(L"Annulation de « " + operation + L" »", folder, chosen.Id, std::move(undo.Paths),
             std::move(undo.Names), PlanUndo(undo.Folder, undo.Files, evenIfChanged),
             UndoWork(stamping, undo.Folder));
}

void TMainForm::OfferUndoAfterCrash() {
    // At every start: the summary tells at once whether every batch ended, as they nearly always
    // did, or whether those that did not were asked about already.
    const JournalStore::SummaryResult read = Journal->Summary();
    const JournalSummary& summary = read.Summary;
    RegistryKey key;
    if (!read.Error.empty() ||
        std::all_of(summary.Batches.begin(), summary.Batches.end(),
                    [](const JournalBatchSummary& batch) { return batch.Finished; }) ||
        key.OpenForWrite(HKEY_CURRENT_USER, productKey_ + kJournalKey) != ERROR_SUCCESS)
        return;
    RegistryValue value;
    const std::vector<uint64_t> asked =
        key.Read(kAskedAfterCrash, value) == ERROR_SUCCESS
            ? IdsOfText(TextFromRegistryData(value.type, value.data.data(), value.data.size()).value_or(L""))
            : std::vector<uint64_t>();
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
        key.WriteText(kAskedAfterCrash, TextOfIds(askedNow));
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
    key.WriteText(kAskedAfterCrash, TextOfIds(stillAsked));
}
