// One operation from the command line, without the window: the named files are found, noted in
// the undo journal and changed by the same planners and per-file functions as the window's
// batches, so that the window's "Annuler la dernière opération" takes the run back; each file's
// outcome is printed as it is done.
#pragma once

#include "batch/BatchRun.h"
#include "cmdline/CommandLine.h"
#include "cmdline/ConsoleOutput.h"
#include "cmdline/RunOutput.h"
#include "journal/JournalStore.h"
#include "listing/FolderTree.h"
#include "listing/FileTimes.h"
#include "operations/BatchReport.h"
#include "operations/FileStamping.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The arguments the program was started with, after its own name.
std::vector<std::wstring> ProcessArguments();

// The undo journal's folder: the one the environment variable KAVET24_JOURNAL_FOLDER names when it
// is set (tests keep their batches out of the user's journal), else the window's.
std::wstring CommandJournalFolder();

// Exit codes, for scripts to branch on.
constexpr int kExitDone = 0;
// A file not done, a folder that could not be read, or the journal that could not be written.
constexpr int kExitNotAllDone = 1;
constexpr int kExitBadArguments = 2;
// The paths exist but no file matched them.
constexpr int kExitNothingMatched = 3;

// The console's Ctrl+C and Ctrl+Break handler while a run lasts: the run stops before its next file.
// Windows calls it on a thread of its own; tests call it as Windows would.
BOOL WINAPI StopAfterCurrentFile(DWORD event);

class CommandRun : private BatchFront {
public:
    CommandRun(ConsoleOutput& out, const std::wstring& journalFolder);

    // Prints the help, the usage error or each file's outcome and the count; the exit code.
    int Run(const ParsedCommandLine& parsed);

private:
    int RunParsed(const ParsedCommandLine& parsed);
    int RunOperation(const CommandRequest& request);
    // /fromtree: the one folder named, its whole tree dated from the other.
    int RunFromTree(const CommandRequest& request);
    int RunUndo(const CommandRequest& request);
    // /journal: the kept operations, newest first, one line each.
    int RunJournal();
    // The kept operation /undo:ID names; none, with why printed, when the journal does not keep it
    // or it is taken back already.
    std::optional<size_t> KeptOperation(const JournalSummary& summary, uint64_t id);

    // One file to do: its folder as stored, and its name there; no name for the folder itself.
    struct Found {
        std::wstring Folder;
        std::wstring Name;
    };
    // The files the request's paths name, sorted, each once; false, with the usage error printed,
    // when a path cannot be read.
    bool Collect(const CommandRequest& request, std::vector<Found>& files);
    bool CollectPath(const CommandRequest& request, const std::wstring& path, std::vector<Found>& files);
    // Tells the subfolders a walk from `base` could not read or did not follow.
    void TellSkipped(const std::wstring& base, const FolderTreeFiles& tree);
    // The run's files as one batch, over however many drives.
    static BatchFiles OneBatchOf(const std::vector<Found>& files);

    // The batch the request asks for; none, with the usage error printed, when it cannot run (its
    // reference file cannot be read).
    std::optional<BatchRequest> BatchRequestOf(const CommandRequest& request);
    // One batch in one journal folder, or its plan only; false when its journal could not begin
    // (nothing done).
    bool RunOne(const BatchFiles& files, const BatchWork& work, bool dryRun);
    // Without a journal nothing is changed: a script has no one to ask.
    bool GoOnWithoutJournal(const std::wstring& error) override;
    // Prints each file's outcome as it is done; Ctrl+C or Ctrl+Break stops it before the next file.
    std::vector<FileOutcome> RunFiles(const BatchFiles& files, const PerFile& perFile,
                                      JournalBatchWriter* journal) override;
    void JournalNotFinished(const std::wstring& error) override;
    // The exit code once every batch ran, with the count line printed.
    int Finish(bool dryRun);

    // Each file's lines (CommandRunOutput.cpp): what a dry run would do to the file `index` of
    // `files`, counted; what the real run did, with the file as it was before when the CSV needs it.
    // `toLocal` shows the stamps in local time, as the window does, by the rules of the files' volume.
    void TellPlanned(const BatchFiles& files, size_t index, const PlannedOutcome& planned,
                     LocalTimeConverter& toLocal);
    void TellDone(const BatchFiles& files, size_t index, const FileOutcome& outcome,
                  const std::optional<FileNow>& before);

    RunOutput out_;
    JournalStore journal_;
    std::shared_ptr<const FileStamping> stamping_;
    BatchReport report_;
    // A journal that could not be written, at the start or the end of a batch.
    bool journalFailed_ = false;
    // A subfolder of /recurse that could not be read: its files were not done.
    bool folderSkipped_ = false;
    // Ctrl+C during a /recurse walk: the run ends before any file is done.
    bool searchStopped_ = false;
    size_t wouldChange_ = 0;
    size_t refused_ = 0;
    size_t alreadyDone_ = 0;
};
