// What undoing a journalled batch means, file by file and batch by batch, apart from the platform:
// which batch Ctrl+Z takes back, which records of a batch count and in what order, and whether a
// file is still as the batch left it.
#pragma once

#include "journal/Journal.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A file as it is now.
struct FileNow {
    std::wstring Name;
    uint32_t Attributes = 0;
    uint64_t Creation = 0;
    uint64_t Access = 0;
    uint64_t Write = 0;
};

// The record a batch notes for a file it will leave as it is, to be completed with the change.
JournalFile UnchangedRecord(const FileNow& now);
bool ChangesNothing(const JournalFile& record);

// A batch's record of a folder itself rather than of a file: its name ends with the separator
// ("sous\\"), and the batch's own folder has the empty name.
bool IsFolderName(std::wstring_view name);
// How deep a folder's name lies: the number of folders it names, the batch's own being 0.
size_t FolderDepth(std::wstring_view name);
// `folders` (relative to a batch's folder, without their final separator) as the batch names
// them, deepest first, so that a folder comes after every folder it holds; then, with `withOwn`,
// the batch's own folder.
std::vector<std::wstring> FolderNamesDeepestFirst(std::vector<std::wstring> folders, bool withOwn);

// The files to put back, last done first, each once: a later record of a file (the state its file
// system really kept) stands for the earlier one; then the folders, deepest first, after every
// file (putting a file's name back moves its folder's dates). The records are taken from the
// batch, not copied: an undo of a large batch keeps one copy of them.
std::vector<JournalFile> FilesToUndo(JournalBatch batch);

inline size_t FileCountOf(const JournalBatch& batch) {
    return batch.Files.size();
}
inline size_t FileCountOf(const JournalBatchSummary& batch) {
    return batch.Files;
}

// Whether the batch at `index` is taken back: a finished undo of it that is not itself taken back.
// An undo of that undo puts the batch's changes in effect again. For the whole journal as read, or
// for its summary (whose files must have been counted).
template <typename Contents> bool IsUndone(const Contents& contents, size_t index) {
    const uint64_t id = contents.Batches[index].Id;
    // An undo lies after what it undoes, so the chain ends with the journal.
    for (size_t later = index + 1; later < contents.Batches.size(); ++later)
        if (contents.Batches[later].Undoes == id && contents.Batches[later].Finished &&
            !IsUndone(contents, later))
            return true;
    return false;
}

// A kept batch as the undo list and /journal tell it.
enum class BatchState {
    Undoable,
    Running,     // another copy of the program is still running it
    Undone,      // taken back, see IsUndone
    Interrupted, // the program stopped during it; what it did can still be undone
};
template <typename Contents> BatchState StateOf(const Contents& contents, size_t index, bool running) {
    if (running)
        return BatchState::Running;
    if (IsUndone(contents, index))
        return BatchState::Undone;
    return contents.Batches[index].Finished ? BatchState::Undoable : BatchState::Interrupted;
}
// "en cours", "annulée", "interrompue"; empty for a batch that is simply there to undo.
std::wstring BatchStateText(BatchState state);

// How many files a batch names: a file noted twice (the state its file system really kept) counts
// once.
size_t FileCount(const JournalBatch& batch);

// The batch an undo takes back, when the journal still keeps it. For the whole journal as read, or
// for its summary.
template <typename Contents> std::optional<size_t> UndoneBy(const Contents& contents, size_t undoIndex) {
    const uint64_t undoes = contents.Batches[undoIndex].Undoes;
    for (size_t i = undoIndex; undoes != 0 && i-- > 0;)
        if (contents.Batches[i].Id == undoes)
            return i;
    return std::nullopt;
}
// The batch Ctrl+Z takes back: the newest one that changed files, neither taken back nor itself an
// undo.
template <typename Contents> std::optional<size_t> NextToUndo(const Contents& contents) {
    for (size_t i = contents.Batches.size(); i-- > 0;)
        if (contents.Batches[i].Undoes == 0 && FileCountOf(contents.Batches[i]) > 0 && !IsUndone(contents, i))
            return i;
    return std::nullopt;
}

enum class UndoCheck {
    // The change is put back with the record.
    Restore,
    // The file is already as it was before the batch.
    AlreadyAsBefore,
    // Someone changed the file after the batch; WhatChanged says what.
    ChangedSince,
};

struct UndoStep {
    UndoCheck Check = UndoCheck::Restore;
    // From the file now to the file before the batch: what the undo itself notes in the journal.
    JournalFile Record;
    // The file's attributes to write (those SetFileAttributes can), none when they stay.
    std::optional<uint32_t> Attributes;
    std::wstring WhatChanged;
};

// How to put `done` back for the file as it is `now`. Only what the batch changed is put back. A
// name or a creation or modification time that is neither the batch's nor the one before it means
// the file was changed since, and the file is left alone unless `evenIfChanged`. The access time
// is put back but not checked: merely reading the file moves it.
// A batch leaves attributes as they were, except on the file it was doing when the program
// stopped: that one keeps them all cleared, and gets them back. Any other difference is a change
// made since (the archive bit aside, which any write sets).
UndoStep PlanUndoOf(const JournalFile& done, const FileNow& now, bool evenIfChanged);
