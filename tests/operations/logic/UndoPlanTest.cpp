// What undo takes back: which batch, which records in which order, and which files it must leave
// alone because someone changed them after the batch.
#include "operations/UndoPlan.h"

#include <gtest/gtest.h>

namespace {

JournalFile Stamped(const std::wstring& name, uint64_t before, uint64_t after) {
    return JournalFile{name, name, 0x20, before, before, before, after, after, after};
}

JournalBatch Batch(uint64_t id, uint64_t undoes, bool finished, size_t files = 1) {
    JournalBatch batch;
    batch.Id = id;
    batch.Undoes = undoes;
    batch.Finished = finished;
    batch.Files.resize(files);
    return batch;
}

FileNow Now(const std::wstring& name, uint64_t creation, uint64_t access, uint64_t write) {
    return FileNow{name, 0x20, creation, access, write};
}

TEST(UndoPlan, FilesComeLastFirstAndALaterRecordOfAFileStandsForTheEarlierOne) {
    JournalBatch batch = Batch(1, 0, true);
    batch.Files = {Stamped(L"a", 10, 20), Stamped(L"b", 10, 20), Stamped(L"a", 10, 22)};
    const std::vector<JournalFile> files = FilesToUndo(batch);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].OldName, L"a");
    EXPECT_EQ(files[0].NewWrite, 22u) << "what the file system really kept";
    EXPECT_EQ(files[1].OldName, L"b");
}

TEST(UndoPlan, CtrlZGoesDownTheListPastUndoneBatchesAndUndos) {
    JournalContents contents{
        true, {Batch(1, 0, true), Batch(2, 0, false), Batch(3, 0, true), Batch(4, 0, true, 0)}, {}};
    EXPECT_EQ(NextToUndo(contents), 2u) << "a batch that changed nothing is passed over";
    contents.Batches.push_back(Batch(5, 3, true)); // batch 3 taken back
    EXPECT_TRUE(IsUndone(contents, 2));
    EXPECT_EQ(NextToUndo(contents), 1u) << "a batch cut short can be taken back too";
    contents.Batches.push_back(Batch(6, 2, false)); // its undo was cut short: not taken back yet
    EXPECT_FALSE(IsUndone(contents, 1));
    EXPECT_EQ(NextToUndo(contents), 1u);
    contents.Batches.push_back(Batch(7, 2, true));
    contents.Batches.push_back(Batch(8, 1, true));
    EXPECT_EQ(NextToUndo(contents), std::nullopt);
}

TEST(UndoPlan, OnlyWhatTheBatchChangedIsPutBack) {
    JournalFile renamed{L"a.txt", L"A.TXT", 0x21, 1, 2, 3, 1, 2, 3};
    const UndoStep step = PlanUndoOf(renamed, Now(L"A.TXT", 1, 9, 3), false);
    EXPECT_EQ(step.Check, UndoCheck::Restore);
    EXPECT_EQ(step.Record.OldName, L"A.TXT");
    EXPECT_EQ(step.Record.NewName, L"a.txt");
    EXPECT_EQ(step.Record.NewAccess, 9u) << "the batch did not set it: it stays";

    JournalFile stamped{L"b.txt", L"b.txt", 0x20, 1, 2, 3, 7, 8, 9};
    const UndoStep back = PlanUndoOf(stamped, Now(L"b.txt", 7, 8, 9), false);
    EXPECT_EQ(back.Check, UndoCheck::Restore);
    EXPECT_EQ(back.Record.NewCreation, 1u);
    EXPECT_EQ(back.Record.NewAccess, 2u);
    EXPECT_EQ(back.Record.NewWrite, 3u);
    EXPECT_EQ(PlanUndoOf(stamped, Now(L"b.txt", 1, 2, 3), false).Check, UndoCheck::AlreadyAsBefore);
}

TEST(UndoPlan, AFileChangedSinceIsLeftAloneUnlessAskedOtherwise) {
    const JournalFile stamped{L"b.txt", L"b.txt", 0x20, 1, 2, 3, 7, 8, 9};
    const UndoStep changed = PlanUndoOf(stamped, Now(L"b.txt", 7, 8, 50), false);
    EXPECT_EQ(changed.Check, UndoCheck::ChangedSince);
    EXPECT_EQ(changed.WhatChanged, L"date de modification");
    EXPECT_EQ(PlanUndoOf(stamped, Now(L"b.txt", 7, 50, 9), false).Check, UndoCheck::Restore)
        << "reading a file moves its access time: that is no change";
    EXPECT_EQ(PlanUndoOf(stamped, Now(L"b.txt", 7, 8, 50), true).Check, UndoCheck::Restore);

    const JournalFile renamed{L"a.txt", L"A.TXT", 0x20, 1, 2, 3, 1, 2, 3};
    EXPECT_EQ(PlanUndoOf(renamed, Now(L"A.txt", 1, 2, 3), false).WhatChanged, L"nom");
    EXPECT_EQ(PlanUndoOf(renamed, Now(L"a.txt", 1, 2, 3), false).Check, UndoCheck::AlreadyAsBefore);
}

} // namespace
