// The rows of the undo window: one per kept batch, newest first, each with its count of files and
// its state.
#include "operations/dialogs/UndoForm.h"

#include <gtest/gtest.h>

namespace {

TEST(UndoFormTest, RowsComeNewestFirstWithTheirFilesAndState) {
    JournalBatchSummary batch;
    batch.Id = 1;
    batch.Operation = L"Date-Heure";
    batch.Folder = L"C:\\Photos";
    batch.Finished = true;
    batch.Files = 2;
    JournalBatchSummary undo;
    undo.Id = 2;
    undo.Undoes = 1;
    undo.Operation = L"Annulation de « Date-Heure »";
    const std::vector<UndoRow> rows = UndoRows(JournalSummary{true, {}, {batch, undo}}, {L"annulée", L""});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].BatchIndex, 1u);
    EXPECT_EQ(rows[0].Cells[1], L"0");
    // A command-line run over several drives keeps no folder: its row says so.
    EXPECT_EQ(rows[0].Cells[4], L"(plusieurs lecteurs)");
    EXPECT_EQ(rows[1].BatchIndex, 0u);
    EXPECT_EQ(rows[1].Cells[1], L"2");
    EXPECT_EQ(rows[1].Cells[3], L"annulée");
    EXPECT_EQ(rows[1].Cells[4], L"C:\\Photos");
}

} // namespace
