// The undo journal on disk: one file per user, under the local application data folder, shared by
// every running copy of the program. Each copy appends whole lines under a lock that all copies
// take, and flushes them to disk before the files they describe are changed.
#pragma once

#include "operations/Journal.h"

#include <cstdint>
#include <memory>
#include <string>

class JournalStore {
public:
    // The journal "journal.txt" in `folder`, which is made when a batch begins if it is missing.
    explicit JournalStore(std::wstring folder = DefaultFolder());

    // The user's "Kavet24" folder under the local application data folder.
    static std::wstring DefaultFolder();
    const std::wstring& Path() const { return path_; }

    struct ReadResult {
        JournalContents Contents;
        // Why the file could not be read or used, in French; empty when it was (a missing file is
        // an empty journal).
        std::wstring Error;
    };
    ReadResult Read() const;
    // Each kept batch's id, undo and end, read much faster than the whole; not recognised when the
    // journal cannot be read.
    JournalSummary Summary() const;

    struct BeginResult {
        uint64_t Id = 0;
        // Why the batch could not begin, in French; empty when it did.
        std::wstring Error;
    };
    // Under the lock: makes the journal when missing, drops the oldest batches so that with this
    // one the last kJournalBatchesKept are kept (the file rewritten beside and put in its place),
    // gives the batch an id above every id in the file, appends its begin line and flushes it.
    // A file that is not a journal of this version is left as it is and the batch does not begin.
    BeginResult Begin(const std::wstring& operation, const std::wstring& folder, uint64_t undoes);

    // Appends whole lines under the lock, after an LF when the file does not end with one (a line
    // cut short stays apart), and flushes them to disk before returning. Empty when done, else why
    // not, in French.
    std::wstring Append(const std::string& lines);

private:
    // The file's bytes, none when it is missing; why not, in French, when it cannot be read.
    std::wstring ReadBytes(std::string& bytes) const;

    std::wstring folder_;
    std::wstring path_;
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
