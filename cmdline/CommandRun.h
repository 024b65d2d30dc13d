// One operation from the command line, without the window: the named files are found, noted in
// the undo journal and changed by the same planners and per-file functions as the window's
// batches, so that the window's "Annuler la dernière opération" takes the run back; each file's
// outcome is printed as it is done.
#pragma once

#include "cmdline/CommandLine.h"
#include "cmdline/ConsoleOutput.h"
#include "operations/BatchReport.h"
#include "operations/FileStamping.h"
#include "journal/JournalStore.h"
#include "batch/Planners.h"

#include <functional>
#include <string>
#include <vector>

// The arguments the program was started with, after its own name.
std::vector<std::wstring> ProcessArguments();

// The undo journal's folder: the one the environment variable KAVET24_JOURNAL_FOLDER names when it
// is set (tests keep their batches out of the user's journal), else the window's.
std::wstring CommandJournalFolder();

// Exit codes.
constexpr int kExitDone = 0;
constexpr int kExitNotAllDone = 1;
constexpr int kExitBadArguments = 2;

// An operation as a batch runs it: its name in the journal, its planner and its per-file function.
struct OperationWork {
    std::wstring Name;
    std::function<JournalledWork::Planner(const std::vector<std::wstring>& names)> Plan;
    JournalledWork::Work Work;
    // Why it cannot run, as the usage error line; empty when it can.
    std::wstring Error;
};
// The operation a request asks for, with `stamping` (which must outlive the batch). The reference
// file of /from is read here.
OperationWork WorkOf(const CommandRequest& request, const FileStamping& stamping);

class CommandRun {
public:
    CommandRun(ConsoleOutput& out, const std::wstring& journalFolder);

    // Prints the help, the usage error or each file's outcome and the count; the exit code.
    int Run(const ParsedCommandLine& parsed);

private:
    int RunParsed(const ParsedCommandLine& parsed);
    int RunOperation(const CommandRequest& request);
    int RunUndo(const CommandRequest& request);

    // One file to do: its folder as stored, and its name there.
    struct Found {
        std::wstring Folder;
        std::wstring Name;
    };
    // The files the request's paths name, sorted, each once; false, with the usage error printed,
    // when a path cannot be read.
    bool Collect(const CommandRequest& request, std::vector<Found>& files);
    bool CollectPath(const CommandRequest& request, const std::wstring& path, std::vector<Found>& files);

    // One batch in one journal folder; false when its journal could not begin (nothing done).
    bool RunFiles(const std::wstring& operation, const std::wstring& folder, uint64_t undoes,
                  const std::vector<std::wstring>& paths, const std::vector<std::wstring>& names,
                  const JournalledWork::Planner& plan, const JournalledWork::Work& work, bool dryRun);
    // The exit code once every batch ran, with the count line printed.
    int Finish(bool dryRun);

    ConsoleOutput& out_;
    JournalStore journal_;
    FileStamping stamping_;
    BatchReport report_;
    // A journal that could not be written, at the start or the end of a batch.
    bool journalFailed_ = false;
    // A subfolder of /recurse that could not be read: its files were not done.
    bool folderSkipped_ = false;
    size_t wouldChange_ = 0;
    size_t refused_ = 0;
    size_t alreadyDone_ = 0;
};
