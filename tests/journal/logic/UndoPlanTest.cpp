// What undo takes back: which batch, which records in which order, and which files it must leave
// alone because someone changed them after the batch.
#include "journal/UndoPlan.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

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

TEST(UndoPlan, FoldersComeAfterEveryFileDeepestFirstTheBatchsOwnLast) {
    JournalBatch batch = Batch(1, 0, true);
    // As a batch does them: files, then folders deepest first, then its own folder.
    batch.Files = {Stamped(L"a.txt", 1, 2),      Stamped(L"sub\\b.txt", 1, 2), Stamped(L"sub\\deep\\", 1, 2),
                   Stamped(L"other\\", 1, 2),    Stamped(L"sub\\", 1, 2),      Stamped(L"", 1, 2),
                   Stamped(L"sub\\deep\\", 1, 3)};
    std::vector<std::wstring> order;
    for (const JournalFile& file : FilesToUndo(batch))
        order.push_back(file.OldName);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"sub\\b.txt", L"a.txt", L"sub\\deep\\", L"sub\\", L"other\\",
                                                L""}));
    EXPECT_EQ(FolderNamesDeepestFirst({L"x", L"x\\y\\z", L"x\\y"}, true),
              (std::vector<std::wstring>{L"x\\y\\z\\", L"x\\y\\", L"x\\", L""}));
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

TEST(UndoPlan, AnUndoneUndoPutsItsBatchBackInEffect) {
    JournalContents contents{true, {Batch(1, 0, true), Batch(2, 1, true), Batch(3, 2, true)}, {}};
    EXPECT_FALSE(IsUndone(contents, 0)) << "its undo was itself undone";
    EXPECT_TRUE(IsUndone(contents, 1));
    EXPECT_EQ(NextToUndo(contents), 0u);
    EXPECT_EQ(UndoneBy(contents, 2), 1u);
    contents.Batches.push_back(Batch(4, 1, true)); // taken back a second time
    EXPECT_TRUE(IsUndone(contents, 0));
    EXPECT_EQ(NextToUndo(contents), std::nullopt);
    contents.Batches.push_back(Batch(5, 99, false));
    EXPECT_EQ(UndoneBy(contents, 4), std::nullopt) << "the batch it undid is no longer kept";
}

// The undo list and /journal tell the same state: running first, then taken back, then cut short.
TEST(UndoPlan, EachKeptBatchHasOneState) {
    const JournalContents contents{true, {Batch(1, 0, false), Batch(2, 0, true), Batch(3, 1, true)}, {}};
    EXPECT_EQ(StateOf(contents, 0, false), BatchState::Undone);
    EXPECT_EQ(StateOf(contents, 0, true), BatchState::Running);
    EXPECT_EQ(StateOf(contents, 1, false), BatchState::Undoable);
    EXPECT_EQ(BatchStateText(StateOf(contents, 1, false)), L"");
    const JournalContents cut{true, {Batch(1, 0, false)}, {}};
    EXPECT_EQ(BatchStateText(StateOf(cut, 0, false)), L"interrompue");
    EXPECT_EQ(BatchStateText(StateOf(contents, 0, false)), L"annulée");
}

TEST(UndoPlan, AFileNotedTwiceCountsOnce) {
    JournalBatch batch = Batch(1, 0, true);
    batch.Files = {Stamped(L"a", 10, 20), Stamped(L"b", 10, 20), Stamped(L"a", 10, 22)};
    EXPECT_EQ(FileCount(batch), 2u);
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

// Attributes: a batch leaves them as they were, or all cleared on the file it was doing when the
// program stopped. Values are Windows attribute bits.
struct AttributeCase {
    const char* Name;
    uint32_t Before;
    uint32_t Now;
    bool EvenIfChanged;
    UndoCheck Check;
    std::optional<uint32_t> Written;
};

class UndoAttributes : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(UndoAttributes, OnlyTheBitsTheBatchClearedComeBack) {
    const AttributeCase& c = GetParam();
    const JournalFile stamped{L"b.txt", L"b.txt", c.Before, 1, 2, 3, 7, 8, 9};
    const UndoStep step = PlanUndoOf(stamped, FileNow{L"b.txt", c.Now, 1, 2, 3}, c.EvenIfChanged);
    EXPECT_EQ(step.Check, c.Check);
    EXPECT_EQ(step.Attributes, c.Written);
    EXPECT_EQ(step.WhatChanged, c.Check == UndoCheck::ChangedSince ? L"attributs" : L"");
}

INSTANTIATE_TEST_SUITE_P(
    UndoPlan, UndoAttributes,
    ::testing::Values(
        AttributeCase{"Unchanged", 0x21, 0x21, false, UndoCheck::AlreadyAsBefore, std::nullopt},
        AttributeCase{"ReadOnlySetSince", 0x20, 0x21, false, UndoCheck::ChangedSince, std::nullopt},
        AttributeCase{"ArchiveAloneIsNoChange", 0x20, 0x00, false, UndoCheck::AlreadyAsBefore, std::nullopt},
        AttributeCase{"LeftClearedByAStop", 0x1023, 0x80, false, UndoCheck::Restore, 0x1023},
        // Put back as asked: the user's bits, never the storage's (temporary here).
        AttributeCase{"ChangedSinceRestoredAsAsked", 0x22, 0x121, true, UndoCheck::Restore, 0x122},
        AttributeCase{"StorageMarkAloneKept", 0x20, 0x120, true, UndoCheck::AlreadyAsBefore, std::nullopt}),
    [](const ::testing::TestParamInfo<AttributeCase>& info) { return std::string(info.param.Name); });

} // namespace
