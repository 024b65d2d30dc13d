// A request turned into what a batch runs, the same for the window and the command line: its name
// in the journal, the plan of each file (its state now and the state asked, noted in the journal
// before the file changes) and the work that then changes it.
#pragma once

#include "batch/BatchRequest.h"
#include "journal/JournalStore.h"
#include "journal/JournalledWork.h"
#include "operations/CaseRenamer.h"
#include "operations/FileStamping.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The files of one batch: the folder it is noted under in the journal (as stored, without a final
// separator) and each file's full path, with its name as the batch shows it (relative to that
// folder: "sub\\a.jpg" for a file in a subfolder).
struct BatchFiles {
    std::wstring Folder;
    std::vector<std::wstring> Paths;
    std::vector<std::wstring> Names;
};

// Adds to `files` the folders `reached` (relative to its folder, without a final separator) and,
// with `withOwn`, its folder itself, as targets after its files, deepest first: a folder is done
// after everything it holds. A folder is named with its final separator, the batch's own folder by
// the empty name.
void AddFolders(BatchFiles& files, std::vector<std::wstring> reached, bool withOwn);
// The name of the batch's file at `index` as the report and the preview show it: the batch's own
// folder, whose name is empty, by its last part ("Photos\\").
std::wstring ShownName(const BatchFiles& files, size_t index);

struct BatchWork {
    std::wstring Name;
    // The batch this one undoes; 0 for an operation of its own.
    uint64_t Undoes = 0;
    JournalledWork::Planner Plan;
    JournalledWork::Work Work;
    // The title of the preview's column that groups the files (each plan's Group), rows ordered by
    // it; empty for none.
    std::wstring GroupColumn;
};

// The reference file of "Dates d'un autre fichier" at `path`; none, with why in `error`, when it
// cannot be read or is a folder.
std::optional<ReferenceFile> ReadReferenceFile(const std::wstring& path, std::wstring& error);

// The photo "Recaler l'horloge d'un appareil" starts from: its camera and the date it says it was
// taken, as the local clock reading the user corrects.
struct CameraReference {
    std::wstring Name; // without its folder
    std::wstring Camera;
    CivilTime Taken;
};
// None, with why in `error` ("aucun appareil indiqué", "aucune date de prise de vue", or why the
// file cannot be read), when the photo does not give both.
std::optional<CameraReference> ReadCameraReference(const std::wstring& path, std::wstring& error);

// The work of `request` on `files`, done through `stamping`, which the work keeps.
BatchWork WorkOf(const BatchRequest& request, const BatchFiles& files,
                 std::shared_ptr<const FileStamping> stamping);

// Why the undo of a batch cannot start.
enum class UndoRefusal {
    None,
    StillRunning, // another copy of the program is still running the batch
    NotFound,     // the journal no longer holds it
    Unreadable,   // the journal cannot be read (Error says why)
};
// The undo of the journal's batch `chosen` as a batch of its own: its files as the batch left
// them, each checked against what the batch left (or not, `evenIfChanged`) and given its name,
// stamps and attributes back.
struct PreparedUndo {
    UndoRefusal Refusal = UndoRefusal::None;
    std::wstring Error;
    // The damaged lines of the journal that were skipped.
    std::vector<std::wstring> Problems;
    BatchFiles Files;
    BatchWork Work;
};
PreparedUndo PrepareUndo(const JournalStore& journal, const JournalBatchSummary& chosen, bool evenIfChanged,
                         std::shared_ptr<const FileStamping> stamping);

// The files of a batch cut short that are still under the temporary name of a rename, each with
// the name it had before the batch (as the batch names it). The batch's undo gives them that
// name back; when it is not undone, the user must learn where they are.
std::vector<StrandedFile> FilesUnderTemporaryNames(const JournalBatch& batch);
