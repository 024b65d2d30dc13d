// The undo journal on disk: one file per user, under the local application data folder, shared by
// every running copy of the program. Each copy appends whole lines under a lock that all copies
// take, and flushes them to disk before the files they describe are changed.
#pragma once

#include "base/Handles.h"
#include "journal/Journal.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class JournalStore {
public:
    // What a test may change: the bound of the bytes the dropped batches may keep in the file (past
    // it they leave at the next begin, however few), and a call between the trim's copy and its
    // move over the journal.
    struct Tuning {
        uint64_t DroppedBytesBound = 64ull << 20;
        std::function<void()> BeforeReplace;
    };

    // The journal "journal.txt" in `folder`, which is made when a batch begins if it is missing.
    explicit JournalStore(std::wstring folder = DefaultFolder());
    JournalStore(std::wstring folder, Tuning tuning);

    // The user's "Kavet24" folder under the local application data folder.
    static std::wstring DefaultFolder();
    const std::wstring& Path() const { return path_; }
    // The named lock every copy of the program takes on this journal, in every session of the user
    // (only in this one where the system refuses that).
    std::wstring LockName() const;

    // The file is read a piece at a time, whatever its size; only what is asked is kept. Batches
    // past the last kJournalBatchesKept are left out, unless still running.
    struct ReadResult {
        JournalContents Contents;
        // Why the file could not be read or used, in French; empty when it was (a missing file is
        // an empty journal).
        std::wstring Error;
    };
    // Every kept batch with its files: as much memory as the journal's records.
    ReadResult Read() const;
    // One batch with its files, read from its begin line to its end line; the problems are those
    // of the lines between. No batch when it has left the journal since.
    ReadResult ReadBatch(const JournalBatchSummary& batch) const;

    struct SummaryResult {
        // Each kept batch but its records, its files counted.
        JournalSummary Summary;
        std::wstring Error;
    };
    SummaryResult Summary() const;

    struct BeginResult {
        uint64_t Id = 0;
        // Why the batch could not begin, in French; empty when it did.
        std::wstring Error;
    };
    // Under the lock: makes the journal when missing, gives the batch an id above every id in the
    // file, appends its begin line and flushes it. Once enough batches or bytes have gathered past
    // the last kJournalBatchesKept, the file is rewritten beside without them (running batches
    // kept) and put in its place; when that cannot be done, appending is enough.
    // A file that is not a journal of this version is left as it is and the batch does not begin.
    BeginResult Begin(const std::wstring& operation, const std::wstring& folder, uint64_t undoes);

    // Appends whole lines under the lock, after an LF when the file does not end with one (a line
    // cut short stays apart), and flushes them to disk before returning. Empty when done, else why
    // not, in French.
    std::wstring Append(const std::string& lines);

private:
    friend class RunningBatchMark;
    friend class RunningBatchMark;
    // Rewrites the journal open as `file` with only the `kept` batches, `beginLine` last; `size` is
    // how much of it was read. The file is closed.
    DWORD Trim(FileHandle& file, const std::vector<uint64_t>& kept, uint64_t size,
               const std::string& beginLine);

    std::wstring folder_;
    std::wstring path_;
    Tuning tuning_;
    std::wstring sid_;
    // "Global\Kavet24-<user>-<journal>" and the same under "Local\".
    std::wstring globalPrefix_;
    std::wstring localPrefix_;
};

// A named mark held while a batch runs, so that another copy of the program neither offers to undo
// it as cut short by a crash nor undoes it while it runs. Released when the process ends, however.
class RunningBatchMark {
public:
    RunningBatchMark(const JournalStore& store, uint64_t id);
    ~RunningBatchMark();
    RunningBatchMark(const RunningBatchMark&) = delete;
    RunningBatchMark& operator=(const RunningBatchMark&) = delete;

    // False when the mark could not be made.
    bool Held() const { return handle_ != nullptr; }
    static bool IsRunning(const JournalStore& store, uint64_t id);
    // The mark's name: one per journal and batch for every session of the user.
    static std::wstring Name(const JournalStore& store, uint64_t id);

private:
    void* handle_ = nullptr;
};

// One batch's writing into the journal: its begin line at once, its file lines gathered and then
// committed (written and flushed) before their files are changed, its end line when it is over.
class JournalBatchWriter {
public:
    // Begins the batch; Error() says why when it could not.
    JournalBatchWriter(JournalStore& store, const std::wstring& operation, const std::wstring& folder,
                       uint64_t undoes = 0);
    // Without Finish() the end line is not written: the batch reads as cut short.
    ~JournalBatchWriter();

    bool Ok() const { return error_.empty(); }
    const std::wstring& Error() const { return error_; }
    uint64_t Id() const { return id_; }

    // Gathered, not yet written.
    void Add(const JournalFile& file);
    // Writes and flushes every gathered line; false, with Error() set, when it could not: the
    // files of those lines must then be left as they are.
    bool Commit();
    // Commits, then writes the end line.
    bool Finish();

private:
    JournalStore& store_;
    uint64_t id_ = 0;
    std::wstring error_;
    std::string pending_;
    std::unique_ptr<RunningBatchMark> mark_;
};
