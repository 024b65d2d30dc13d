// The undo journal's records and its text: what each batch changed, written a line at a time
// before each file is touched, so that after a crash every whole line can still be read back.
// docs/journal-format.md describes the lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One file of a batch: enough to put its name, attributes and stamps back. Stamps are UTC 100-ns
// ticks; a stamp the batch did not change has its new value equal to the old one.
struct JournalFile {
    std::wstring OldName;
    // Equal to OldName when only stamps change.
    std::wstring NewName;
    uint32_t OldAttributes = 0;
    uint64_t OldCreation = 0;
    uint64_t OldAccess = 0;
    uint64_t OldWrite = 0;
    uint64_t NewCreation = 0;
    uint64_t NewAccess = 0;
    uint64_t NewWrite = 0;
    // For a change of letter case: the name, in the file's folder, that the file bears between the
    // two moves where the platform needs two; empty otherwise. Noted before the first move, so
    // that a file a crash leaves there is found.
    std::wstring TemporaryName;

    bool operator==(const JournalFile&) const = default;
};

struct JournalBatch {
    uint64_t Id = 0;
    // The command's name as shown ("Date-Heure", "Majuscules").
    std::wstring Operation;
    // The folder the file names are in.
    std::wstring Folder;
    // UTC 100-ns ticks.
    uint64_t Started = 0;
    // False when the batch's end line is missing: the program stopped during the batch.
    bool Finished = false;
    std::vector<JournalFile> Files;
    // The id of the batch this one undoes; 0 when it is not an undo.
    uint64_t Undoes = 0;

    bool operator==(const JournalBatch&) const = default;
};

struct JournalProblem {
    // From 1.
    size_t Line = 0;
    std::wstring Message;
};

struct JournalContents {
    // False for bytes that are not a journal of this version: they must be left as they are.
    // Empty bytes are a journal with nothing in it.
    bool Recognised = false;
    std::vector<JournalBatch> Batches;
    std::vector<JournalProblem> Problems;
};

constexpr size_t kJournalBatchesKept = 20;
// Dropped batches leave the file only once this many more have gathered, so that not every batch
// of a full journal rewrites the whole file; they are never read back meanwhile.
constexpr size_t kJournalBatchesSlack = 10;
// Past this many, the problems end with one line counting the others.
constexpr size_t kJournalProblemsListed = 50;

// Each returns one whole line, ending with "\n", in UTF-8. A new journal starts with the header
// line; a batch is its begin line, one line per file, then its end line once the batch is over.
// Before appending to bytes that do not end with "\n" (a line cut short), write "\n" first so the
// cut line stays apart.
std::string JournalHeaderLine();
// Files is not written here.
std::string JournalBeginLine(const JournalBatch& batch);
std::string JournalFileLine(uint64_t batchId, const JournalFile& file);
std::string JournalEndLine(uint64_t batchId);
// The batch's begin line, its file lines and, when it finished, its end line.
std::string JournalBatchLines(const JournalBatch& batch);

// Reads every whole, undamaged line and says which lines were passed over and why; no input makes
// it throw.
JournalContents ParseJournal(std::string_view bytes);

// A batch as its begin and end lines tell it.
struct JournalBatchSummary {
    uint64_t Id = 0;
    uint64_t Undoes = 0;
    bool Finished = false;

    bool operator==(const JournalBatchSummary&) const = default;
};

struct JournalSummary {
    bool Recognised = false;
    // Why the bytes are not a journal of this version, when they are not.
    std::wstring Problem;
    std::vector<JournalBatchSummary> Batches;
};

// What ParseJournal tells of each batch's id, undo and end, read from the begin and end lines
// alone: many times faster on a journal of many files.
JournalSummary SummarizeJournal(std::string_view bytes);

// The journal rewritten with only its last `count` batches and without damaged lines; none when
// the bytes are not a journal of this version.
std::optional<std::string> KeepLastBatches(std::string_view bytes, size_t count = kJournalBatchesKept);
