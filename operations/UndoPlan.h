// What undoing a journalled batch means, file by file and batch by batch, apart from the platform:
// which batch Ctrl+Z takes back, which records of a batch count and in what order, and whether a
// file is still as the batch left it.
#pragma once

#include "operations/Journal.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
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

// The files to put back, last done first, each once: a later record of a file (the state its file
// system really kept) stands for the earlier one.
std::vector<JournalFile> FilesToUndo(const JournalBatch& batch);

// How many files a batch names: a file noted twice (the state its file system really kept) counts
// once.
size_t FileCount(const JournalBatch& batch);

// Whether the batch at `index` is taken back: a finished undo of it that is not itself taken back.
// An undo of that undo puts the batch's changes in effect again.
bool IsUndone(const JournalContents& contents, size_t index);
// The batch an undo takes back, when the journal still keeps it.
std::optional<size_t> UndoneBy(const JournalContents& contents, size_t undoIndex);
// The batch Ctrl+Z takes back: the newest one that changed files, neither taken back nor itself an
// undo.
std::optional<size_t> NextToUndo(const JournalContents& contents);

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
