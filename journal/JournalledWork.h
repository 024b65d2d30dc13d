// A batch's per-file work with the undo journal written ahead of it: the files are planned a few at
// a time (their state now and the state asked), the plans are written to the journal and flushed
// to disk, and only then are those files changed. One flush covers many files, so the journal
// costs little, and whatever stops the program, every file it touched is in the journal.
#pragma once

#include "journal/JournalStore.h"
#include "operations/FileOutcome.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One file's planned change.
struct PlannedFile {
    // What the journal notes; none when the file will not change.
    std::optional<JournalFile> Record;
    // The file's outcome when it must be left alone (missing, a date its volume cannot hold): its
    // work is then not run.
    std::optional<FileOutcome> Refusal;
    // Undo: the attributes to give the file back, none when they stay.
    std::optional<uint32_t> Attributes;
    // What the preview tells of the file besides its change (a clock time skipped that day), and
    // the work may add to its outcome.
    std::vector<std::wstring> Remarks;
    // What the preview groups the file under (its camera); empty for none.
    std::wstring Group;
};

class JournalledWork {
public:
    using Planner = std::function<PlannedFile(size_t index, const std::wstring& path)>;
    using Work = std::function<FileOutcome(size_t index, const std::wstring& path, const PlannedFile& plan)>;

    // Without a journal (the user chose to go on without one), the files are planned and done
    // without being noted.
    JournalledWork(JournalBatchWriter* journal, std::vector<std::wstring> paths, Planner plan, Work work);

    // The next file's outcome; called once per path, in order (the batch's worker thread).
    FileOutcome operator()(const std::wstring& path);

private:
    // Plans the files from `next_` on and commits their records in one write.
    bool PlanAhead();
    // After a change the file system kept otherwise than planned (a time rounded, a stamp it
    // moved by itself), the journal is told what it kept, so that undo recognises the file as the
    // batch left it.
    void NoteKept(const JournalFile& planned, const KeptStamps& read);

    JournalBatchWriter* journal_;
    std::vector<std::wstring> paths_;
    Planner plan_;
    Work work_;
    size_t next_ = 0;
    // The plans of paths_[planFrom_] onwards.
    size_t planFrom_ = 0;
    std::vector<PlannedFile> plans_;
    size_t aheadCount_ = 8;
};
