// Running one operation from the command line: the paths found, one journalled batch for the whole
// run, each file's outcome printed; and the journal's operations listed or one of them undone.
#include "cmdline/CommandRun.h"

#include "base/ApiPath.h"
#include "base/FileNameParts.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"
#include "batch/FromTree.h"
#include "batch/Planners.h"
#include "base/TimeText.h"
#include "cmdline/CommandLineSplit.h"
#include "journal/UndoPlan.h"
#include "listing/FolderTree.h"
#include "listing/MaskSearch.h"
#include "operations/ApiPath.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <optional>

namespace {

// The drive a full path lies on: "c:" or "\\server\share".
std::wstring VolumeOf(const std::wstring& path) {
    size_t end = 2;
    if (path.starts_with(L"\\\\")) {
        const size_t server = path.find(L'\\', 2);
        end = server == std::wstring::npos ? path.size() : path.find(L'\\', server + 1);
    }
    return path.substr(0, std::min(end, path.size()));
}

bool IsWildcardPattern(const std::wstring& name) {
    return name.find_first_of(L"*?") != std::wstring::npos;
}

// The deepest folder holding both, on whole path components.
std::wstring CommonFolder(const std::wstring& a, const std::wstring& b) {
    size_t common = 0;
    for (size_t i = 0; i <= std::min(a.size(), b.size()); ++i) {
        const bool endA = i == a.size() || a[i] == L'\\';
        const bool endB = i == b.size() || b[i] == L'\\';
        if (endA && endB &&
            EqualIgnoringCase(std::wstring_view(a).substr(0, i), std::wstring_view(b).substr(0, i)))
            common = i;
        if (endA != endB)
            break;
    }
    return a.substr(0, common);
}

// One kept operation as /journal lists it: its number, date, name, files, state and folder, apart
// by tabs so that a script can cut the line.
std::wstring JournalListLine(const JournalBatchSummary& batch, BatchState state) {
    const std::wstring stateText = state == BatchState::Undoable ? L"annulable" : BatchStateText(state);
    return std::to_wstring(batch.Id) + L"\t" + JournalTimeText(batch.Started) + L"\t" + batch.Operation +
           L"\t" + std::to_wstring(batch.Files) + PluralWord(L" fichier", static_cast<int64_t>(batch.Files)) +
           L"\t" + stateText + L"\t" + JournalFolderText(batch.Folder);
}

// Ctrl+C and Ctrl+Break arrive on a thread of their own while a file is being changed: the run
// stops before the next file, so that the journal and the count stay whole. The flag is the
// process's, as the console's handlers are.
std::atomic<bool> stopAsked{false};

bool StopAsked() {
    return stopAsked;
}

// Ctrl+C and Ctrl+Break stop the run for as long as it lasts.
class StopOnConsoleBreak {
public:
    StopOnConsoleBreak() {
        stopAsked = false;
        ::SetConsoleCtrlHandler(StopAfterCurrentFile, TRUE);
    }
    ~StopOnConsoleBreak() { ::SetConsoleCtrlHandler(StopAfterCurrentFile, FALSE); }
    StopOnConsoleBreak(const StopOnConsoleBreak&) = delete;
    StopOnConsoleBreak& operator=(const StopOnConsoleBreak&) = delete;
};

// Ctrl+C heard between two folders of a /recurse walk.
class StopWalkOnBreak : public FolderWalkWatch {
public:
    bool GoOn(size_t, size_t) override { return !StopAsked(); }
};

} // namespace

BOOL WINAPI StopAfterCurrentFile(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    stopAsked = true;
    return TRUE;
}

std::vector<std::wstring> ProcessArguments() {
    return SplitCommandLine(::GetCommandLineW());
}

std::wstring CommandJournalFolder() {
    const DWORD size = ::GetEnvironmentVariableW(L"KAVET24_JOURNAL_FOLDER", nullptr, 0);
    if (size <= 1)
        return JournalStore::DefaultFolder();
    std::wstring folder(size, L'\0');
    folder.resize(::GetEnvironmentVariableW(L"KAVET24_JOURNAL_FOLDER", folder.data(), size));
    return folder;
}

std::optional<BatchRequest> CommandRun::BatchRequestOf(const CommandRequest& request) {
    BatchRequest batch;
    batch.Stamps = request.Stamps;
    batch.Folders = request.Folders;
    switch (request.Operation) {
    case CommandOperation::DateTime:
        batch.Operation = BatchOperation::DateTime;
        batch.When = request.When.When;
        batch.OffsetMinutes = request.When.OffsetMinutes;
        break;
    case CommandOperation::TimeZero:
        batch.Operation = BatchOperation::TimeZero;
        break;
    case CommandOperation::Shift:
        batch.Operation = request.Camera.empty() ? BatchOperation::Shift : BatchOperation::CameraClock;
        batch.Shift = request.Shift;
        batch.Camera = TrimSpaces(request.Camera);
        break;
    case CommandOperation::CopyStamp:
        batch.Operation = BatchOperation::CopyStamp;
        batch.CopySource = request.CopySource;
        batch.Stamps = request.CopyTargets;
        break;
    case CommandOperation::FromFile: {
        batch.Operation = BatchOperation::FromFile;
        std::wstring error;
        const std::optional<ReferenceFile> reference = ReadReferenceFile(request.FromFile, error);
        if (!reference) {
            out_.WriteErrorLine(
                CommandErrorLine(L"fichier de référence introuvable " + Quoted(request.FromFile)));
            return std::nullopt;
        }
        batch.Reference = *reference;
        break;
    }
    case CommandOperation::Exif:
        batch.Operation = BatchOperation::PhotoDate;
        break;
    case CommandOperation::NameDate:
        batch.Operation = BatchOperation::NameDate;
        batch.NamePattern = request.NamePattern;
        break;
    case CommandOperation::Upper:
        batch.Operation = BatchOperation::Upper;
        break;
    case CommandOperation::Lower:
        batch.Operation = BatchOperation::Lower;
        break;
    case CommandOperation::FirstUpper:
        batch.Operation = BatchOperation::FirstUpper;
        break;
    case CommandOperation::FromTree:
        batch.Operation = BatchOperation::FromTree;
        batch.EvenIfSizeDiffers = request.AnySize;
        break;
    case CommandOperation::FolderContent:
        batch.Operation = BatchOperation::FolderContent;
        break;
    case CommandOperation::Undo:
    case CommandOperation::Journal:
        out_.WriteErrorLine(CommandErrorLine(L"/undo"));
        return std::nullopt; // its files and plans come from the journal
    }
    return batch;
}

CommandRun::CommandRun(ConsoleOutput& out, const std::wstring& journalFolder)
    : out_(out), journal_(journalFolder), stamping_(std::make_shared<FileStamping>(BatchStamping())) {}

int CommandRun::Run(const ParsedCommandLine& parsed) {
    const StopOnConsoleBreak stopper;
    try {
        return RunParsed(parsed);
    } catch (...) {
        // Files already done stay done and in the journal; the run just cannot go on.
        out_.WriteErrorLine(L"Kavet24 : erreur inattendue, opération arrêtée");
        return kExitNotAllDone;
    }
}

int CommandRun::RunParsed(const ParsedCommandLine& parsed) {
    switch (parsed.What) {
    case ParsedCommandLine::Kind::Help:
        out_.WriteLine(CommandUsageText());
        return kExitDone;
    case ParsedCommandLine::Kind::Error:
        out_.WriteErrorLine(parsed.Error);
        return kExitBadArguments;
    case ParsedCommandLine::Kind::Run:
        if (const std::optional<std::wstring> error = out_.Open(parsed.Request.Output, ::GetCommandLineW())) {
            out_.WriteErrorLine(CommandErrorLine(*error));
            return kExitBadArguments;
        }
        if (parsed.Request.Operation == CommandOperation::Journal)
            return RunJournal();
        return parsed.Request.Operation == CommandOperation::Undo ? RunUndo(parsed.Request)
                                                                  : RunOperation(parsed.Request);
    case ParsedCommandLine::Kind::Window:
        break;
    }
    return kExitDone;
}

int CommandRun::RunOperation(const CommandRequest& request) {
    if (request.Operation == CommandOperation::FromTree)
        return RunFromTree(request);
    const std::optional<BatchRequest> batch = BatchRequestOf(request);
    if (!batch)
        return kExitBadArguments;
    std::vector<Found> files;
    if (!Collect(request, files))
        return kExitBadArguments;
    if (searchStopped_) {
        out_.WriteErrorLine(L"Kavet24 : recherche des fichiers arrêtée, aucun fichier n'est modifié");
        return kExitNotAllDone;
    }
    if (files.empty()) {
        // A script's typo must not pass for a run that did everything.
        out_.WriteErrorLine(L"Kavet24 : aucun fichier ne correspond aux chemins donnés");
        const int exit = Finish(request.DryRun);
        return exit == kExitDone ? kExitNothingMatched : exit;
    }

    // One batch for the whole run, so that one undo takes it all back.
    const BatchFiles batchFiles = OneBatchOf(files);
    RunOne(batchFiles, WorkOf(*batch, batchFiles, stamping_), request.DryRun);
    return Finish(request.DryRun);
}

int CommandRun::RunFromTree(const CommandRequest& request) {
    std::optional<BatchRequest> batch = BatchRequestOf(request);
    if (!batch)
        return kExitBadArguments;
    const std::wstring& path = request.Paths.front();
    const std::wstring full = StripTrailingBackslashes(FullPath(path));
    const DWORD attributes = ::GetFileAttributesW(ApiPath(full.size() == 2 ? full + L"\\" : full).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        out_.WriteErrorLine(CommandErrorLine(L"dossier à dater introuvable " + Quoted(path)));
        return kExitBadArguments;
    }
    const std::wstring dated = StoredCaseFolder(full.size() == 2 ? full + L"\\" : full);
    const OtherTreeCheck other = CheckOtherTree(dated, request.FromTree);
    if (!other.Folder) {
        out_.WriteErrorLine(CommandErrorLine(OtherTreeProblemPhrase(other.Problem, request.FromTree)));
        return kExitBadArguments;
    }
    batch->OtherTree = *other.Folder;
    const TreeTargets targets = CollectTreeTargets(dated, request.Mask);
    for (const std::wstring& unreadable : targets.Unreadable) {
        out_.WriteErrorLine(L"Kavet24 : sous-dossier illisible laissé de côté " +
                            Quoted(WithTrailingBackslash(dated) + unreadable));
        folderSkipped_ = true;
    }
    for (const std::wstring& link : targets.Links)
        out_.WriteDetail(L"Kavet24 : lien vers un dossier laissé de côté " +
                         Quoted(WithTrailingBackslash(dated) + link));
    if (targets.Files.Paths.empty()) {
        out_.WriteErrorLine(L"Kavet24 : aucun fichier ne correspond aux chemins donnés");
        const int exit = Finish(request.DryRun);
        return exit == kExitDone ? kExitNothingMatched : exit;
    }
    RunOne(targets.Files, WorkOf(*batch, targets.Files, stamping_), request.DryRun);
    return Finish(request.DryRun);
}

int CommandRun::RunUndo(const CommandRequest& request) {
    const JournalStore::SummaryResult summary = journal_.Summary();
    if (!summary.Error.empty()) {
        out_.WriteErrorLine(L"Kavet24 : " + summary.Error);
        return kExitNotAllDone;
    }
    std::optional<size_t> next;
    if (request.UndoId) {
        next = KeptOperation(summary.Summary, *request.UndoId);
        if (!next)
            return kExitBadArguments;
    } else if (!(next = NextToUndo(summary.Summary))) {
        out_.WriteErrorLine(L"Kavet24 : le journal ne garde aucune opération à annuler");
        return kExitNotAllDone;
    }
    const JournalBatchSummary& batch = summary.Summary.Batches[*next];
    const PreparedUndo undo = PrepareUndo(journal_, batch, false, stamping_);
    switch (undo.Refusal) {
    case UndoRefusal::None:
        break;
    case UndoRefusal::StillRunning:
        out_.WriteErrorLine(
            L"Kavet24 : l'opération " + Quoted(batch.Operation) +
            L" tourne encore dans une autre copie de Kavet24 ; elle pourra être annulée une fois finie");
        return kExitNotAllDone;
    case UndoRefusal::NotFound:
        out_.WriteErrorLine(L"Kavet24 : l'opération n'est plus dans le journal d'annulation");
        return kExitNotAllDone;
    case UndoRefusal::Unreadable:
        out_.WriteErrorLine(L"Kavet24 : " + undo.Error);
        return kExitNotAllDone;
    }
    for (const std::wstring& problem : undo.Problems)
        out_.WriteErrorLine(L"Kavet24 : ligne abîmée du journal d'annulation ignorée : " + problem);
    out_.WriteDetail(L"Annulation de " + Quoted(batch.Operation) + L" dans " +
                     Quoted(JournalFolderText(batch.Folder)));
    RunOne(undo.Files, undo.Work, request.DryRun);
    return Finish(request.DryRun);
}

std::optional<size_t> CommandRun::KeptOperation(const JournalSummary& summary, uint64_t id) {
    const auto found = std::find_if(summary.Batches.begin(), summary.Batches.end(),
                                    [id](const JournalBatchSummary& batch) { return batch.Id == id; });
    if (found == summary.Batches.end()) {
        out_.WriteErrorLine(L"Kavet24 : aucune opération numéro " + std::to_wstring(id) +
                            L" dans le journal d'annulation (Kavet24 /journal pour la liste)");
        return std::nullopt;
    }
    const size_t index = static_cast<size_t>(found - summary.Batches.begin());
    if (IsUndone(summary, index)) {
        out_.WriteErrorLine(L"Kavet24 : l'opération " + std::to_wstring(id) + L" " +
                            Quoted(found->Operation) + L" est déjà annulée");
        return std::nullopt;
    }
    return index;
}

int CommandRun::RunJournal() {
    const JournalStore::SummaryResult summary = journal_.Summary();
    if (!summary.Error.empty()) {
        out_.WriteErrorLine(L"Kavet24 : " + summary.Error);
        return kExitNotAllDone;
    }
    const std::vector<JournalBatchSummary>& batches = summary.Summary.Batches;
    if (batches.empty())
        out_.WriteLine(L"Kavet24 : le journal d'annulation ne garde aucune opération");
    for (size_t i = batches.size(); i-- > 0;)
        out_.WriteLine(JournalListLine(
            batches[i], StateOf(summary.Summary, i, RunningBatchMark::IsRunning(journal_, batches[i].Id))));
    return kExitDone;
}

BatchFiles CommandRun::OneBatchOf(const std::vector<Found>& files) {
    // The deepest folder holding every file, which names them from there; over several drives
    // there is none, and the files are named by their full paths.
    std::wstring folder = files.front().Folder;
    const std::wstring volume = VolumeOf(folder);
    for (const Found& file : files)
        folder = EqualIgnoringCase(VolumeOf(file.Folder), volume) ? CommonFolder(folder, file.Folder)
                                                                  : std::wstring();
    BatchFiles batch{folder};
    for (const Found& file : files) {
        batch.Paths.push_back(file.Folder + L"\\" + file.Name);
        batch.Names.push_back(folder.empty() ? batch.Paths.back()
                                             : batch.Paths.back().substr(folder.size() + 1));
    }
    return batch;
}

bool CommandRun::Collect(const CommandRequest& request, std::vector<Found>& files) {
    for (const std::wstring& path : request.Paths) {
        if (!CollectPath(request, path, files))
            return false;
        if (searchStopped_)
            return true; // nothing is done: the files found so far do not matter
    }
    const Locale& locale = CurrentLocale();
    std::stable_sort(files.begin(), files.end(), [&locale](const Found& a, const Found& b) {
        const int folder = locale.CompareNoCase(a.Folder, b.Folder);
        return folder != 0 ? folder < 0 : locale.CompareNoCase(a.Name, b.Name) < 0;
    });
    // A file named twice (by itself and by its folder) is done once: a shift done twice goes too far.
    files.erase(std::unique(files.begin(), files.end(),
                            [](const Found& a, const Found& b) {
                                return EqualIgnoringCase(a.Folder, b.Folder) &&
                                       EqualIgnoringCase(a.Name, b.Name);
                            }),
                files.end());
    // Folders after the files, deepest first: a folder is dated after everything it holds.
    const auto folders = std::stable_partition(files.begin(), files.end(),
                                               [](const Found& found) { return !found.Name.empty(); });
    std::stable_sort(folders, files.end(), [](const Found& a, const Found& b) {
        return FolderDepth(a.Folder) > FolderDepth(b.Folder);
    });
    return true;
}

bool CommandRun::CollectPath(const CommandRequest& request, const std::wstring& path,
                             std::vector<Found>& files) {
    const std::wstring full = StripTrailingBackslashes(FullPath(path));
    const size_t slash = full.find_last_of(L'\\');
    // "C:" alone is the current folder of drive C, not its root.
    DWORD attributes = ::GetFileAttributesW(ApiPath(full.size() == 2 ? full + L"\\" : full).c_str());
    // A share's root answers only with its separator.
    if (attributes == INVALID_FILE_ATTRIBUTES && full.starts_with(L"\\\\"))
        attributes = ::GetFileAttributesW(ApiPath(full + L"\\").c_str());
    std::wstring folder;
    std::wstring pattern;
    bool masked = false;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        folder = full;
        pattern = L"*";
        masked = true;
    } else if (slash != std::wstring::npos &&
               (attributes != INVALID_FILE_ATTRIBUTES || IsWildcardPattern(full.substr(slash + 1)))) {
        // A file, found again by its own name so that it is named as stored.
        folder = full.substr(0, slash);
        pattern = full.substr(slash + 1);
        const DWORD inFolder = ::GetFileAttributesW(ApiPath(WithTrailingBackslash(folder)).c_str());
        if (inFolder == INVALID_FILE_ATTRIBUTES || !(inFolder & FILE_ATTRIBUTE_DIRECTORY)) {
            out_.WriteErrorLine(CommandErrorLine(L"dossier introuvable " + Quoted(path)));
            return false;
        }
    } else {
        out_.WriteErrorLine(CommandErrorLine(L"chemin introuvable " + Quoted(path)));
        return false;
    }
    // Spelt as stored, as the window does: undo then finds the files at once where case counts.
    const std::wstring stored = StoredCaseFolder(folder.size() == 2 ? folder + L"\\" : folder);
    const std::wstring base = StripTrailingBackslashes(stored);
    if (request.Operation == CommandOperation::FolderContent) {
        if (!masked) {
            out_.WriteErrorLine(CommandErrorLine(Quoted(path) + L" n'est pas un dossier"));
            return false;
        }
        // A found with no name is its folder itself.
        files.push_back({base, L""});
        const FolderTreeFiles tree = CollectFolderTree(base, L"*");
        TellSkipped(base, tree);
        for (const std::wstring& reached : tree.Reached)
            files.push_back({base + L"\\" + reached, L""});
        return true;
    }
    if (masked && request.Folders)
        files.push_back({base, L""});
    if (!masked && !IsWildcardPattern(pattern)) {
        // A file named alone is done even where the list would not show it (a name starting with
        // a dot); found by its name so that it is spelt as stored.
        WIN32_FIND_DATAW data{};
        FindHandle find(::FindFirstFileExW(ApiPath(WithTrailingBackslash(base) + pattern).c_str(),
                                           FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
        if (!find) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES)
                return true;
            out_.WriteErrorLine(CommandErrorLine(L"dossier illisible " + Quoted(path)));
            folderSkipped_ = true; // its files are not done: the others still are
            return true;
        }
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back({base, data.cFileName});
        return true;
    }
    // A pattern is one more mask, matched by the program's own rules rather than the platform's
    // (which also tries short 8.3 names, and lets "?" match nothing): the files are those both it
    // and /mask take.
    const std::wstring& firstMask = masked ? request.Mask : pattern;
    const TMaskList mask = ParseMask(request.Mask);
    const auto add = [&](const std::wstring& relative) {
        const FileNameParts parts = SplitFileName(relative);
        if (!masked && !MatchesMask(parts.Name, mask))
            return;
        files.push_back({parts.Folder.empty() ? base : base + L"\\" + StripTrailingBackslashes(parts.Folder),
                         parts.Name});
    };
    if (!request.Recurse) {
        const std::optional<std::vector<std::wstring>> names = CollectFolderFiles(base, firstMask);
        if (!names) {
            out_.WriteErrorLine(CommandErrorLine(L"dossier illisible " + Quoted(path)));
            folderSkipped_ = true; // its files are not done: the others still are
            return true;
        }
        std::for_each(names->begin(), names->end(), add);
        return true;
    }
    // Links to folders are not followed; the system's folders at a volume's root are left out.
    StopWalkOnBreak stopOnBreak;
    const FolderTreeFiles tree = CollectFolderTree(base, firstMask, &stopOnBreak);
    if (tree.Stopped) {
        searchStopped_ = true;
        return true;
    }
    TellSkipped(base, tree);
    std::for_each(tree.Names.begin(), tree.Names.end(), add);
    if (masked && request.Folders)
        for (const std::wstring& reached : tree.Reached)
            files.push_back({base + L"\\" + reached, L""});
    return true;
}

void CommandRun::TellSkipped(const std::wstring& base, const FolderTreeFiles& tree) {
    for (const std::wstring& unreadable : tree.Unreadable) {
        out_.WriteErrorLine(L"Kavet24 : sous-dossier illisible laissé de côté " +
                            Quoted(WithTrailingBackslash(base) + unreadable));
        folderSkipped_ = true;
    }
    for (const std::wstring& link : tree.Links)
        out_.WriteDetail(L"Kavet24 : lien vers un dossier laissé de côté " +
                         Quoted(WithTrailingBackslash(base) + link));
}

bool CommandRun::RunOne(const BatchFiles& files, const BatchWork& work, bool dryRun) {
    if (dryRun) {
        const std::vector<PlannedOutcome> planned = PlanBatch(files, work);
        LocalTimeConverter toLocal(VolumeStampClock(files.Folder));
        for (size_t i = 0; i < planned.size(); ++i)
            TellPlanned(files, i, planned[i], toLocal);
        return true;
    }
    const BatchResult result = RunBatch(journal_, files, work, *this, report_);
    journalFailed_ = journalFailed_ || result.JournalFailed;
    for (const StrandedFile& file : result.Stranded)
        out_.WriteErrorLine(Quoted(file.OldName) + L" porte maintenant le nom " + Quoted(file.TemporaryPath));
    return result.Ran;
}

bool CommandRun::GoOnWithoutJournal(const std::wstring& error) {
    out_.WriteErrorLine(
        L"Kavet24 : le journal d'annulation ne peut être écrit, aucun fichier n'est modifié : " + error);
    return false;
}

std::vector<FileOutcome> CommandRun::RunFiles(const BatchFiles& files, const PerFile& perFile,
                                              JournalBatchWriter*) {
    std::vector<FileOutcome> outcomes;
    for (size_t i = 0; i < files.Paths.size() && !StopAsked(); ++i) {
        const std::optional<FileNow> before =
            out_.WantsCsv() ? ReadFileAsStored(files.Paths[i]) : std::optional<FileNow>();
        outcomes.push_back(perFile(files.Paths[i]));
        TellDone(files, i, outcomes.back(), before);
    }
    return outcomes;
}

void CommandRun::JournalNotFinished(const std::wstring& error) {
    out_.WriteErrorLine(L"Kavet24 : la fin de l'opération n'a pu être notée au journal d'annulation : " +
                        error);
}

int CommandRun::Finish(bool dryRun) {
    if (dryRun) {
        out_.WriteLine(DryRunCountLine(wouldChange_, refused_, alreadyDone_));
        return refused_ > 0 || folderSkipped_ ? kExitNotAllDone : kExitDone;
    }
    if (!journalFailed_ || report_.Changed() + report_.NotChanged() + report_.AlreadyAsBefore() > 0)
        out_.WriteLine(report_.CountLine());
    return journalFailed_ || folderSkipped_ || report_.NotChanged() > 0 || report_.NotReached() > 0
               ? kExitNotAllDone
               : kExitDone;
}
