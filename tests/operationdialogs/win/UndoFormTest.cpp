// The rows of the undo window: one per kept batch, newest first, each counting the files it
// changed.
#include "operations/dialogs/UndoForm.h"

#include <gtest/gtest.h>

namespace {

TEST(UndoFormTest, RowsCountFilesNotJournalRecords) {
    JournalBatch batch;
    batch.Id = 1;
    batch.Operation = L"Date-Heure";
    batch.Folder = L"C:\\Photos";
    batch.Finished = true;
    // The second record of a.jpg is what its file system really kept.
    batch.Files = {JournalFile{L"a.jpg", L"a.jpg", 0x20, 1, 1, 1, 5, 5, 5},
                   JournalFile{L"b.jpg", L"b.jpg", 0x20, 1, 1, 1, 5, 5, 5},
                   JournalFile{L"a.jpg", L"a.jpg", 0x20, 1, 1, 1, 4, 5, 5}};
    JournalBatch undo;
    undo.Id = 2;
    undo.Undoes = 1;
    undo.Operation = L"Annulation de « Date-Heure »";
    const std::vector<UndoRow> rows = UndoRows(JournalContents{true, {batch, undo}, {}}, {L"annulée", L""});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Cells[1], L"0");
    EXPECT_EQ(rows[1].BatchIndex, 0u);
    EXPECT_EQ(rows[1].Cells[1], L"2");
    EXPECT_EQ(rows[1].Cells[3], L"annulée");
}

} // namespace
