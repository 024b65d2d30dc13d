// "Aperçu..." in the date-time dialog of the real window, on real files: the preview's rows (the
// value now and after, the difference, a file left alone and one already as asked), then the
// dialog cancelled, and every file as it was.
#include "app/BatchPreviewForm.h"
#include "app/MainForm.h"
#include "MainFormFixture.h"
#include "base/FileTimeTicks.h"
#include "base/TimeText.h"
#include "operations/dialogs/DateHeureForm.h"
#include "support/win/Days.h"
#include "support/win/FileStamps.h"
#include "support/win/TempFolder.h"
#include "ui/ModalRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const FILETIME kOldStamp = UtcOfLocal(2003, 4, 5, 6, 7, 8);
// Both in summer time: the difference is the same in local and in UTC time.
const FILETIME kAsked = UtcOfLocal(2003, 4, 8, 7, 7, 8);

using Rows = std::vector<std::vector<std::wstring>>;

class MainFormPreview : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"delta.txt"}) {
            folder.MakeFile(name, "contents");
            const FILETIME stamp = name == std::wstring(L"delta.txt") ? kAsked : kOldStamp;
            EXPECT_TRUE(WriteStamps(folder / name, stamp, stamp, stamp));
        }
        journalFolder = journal.Path();
        OpenWindow();
        ASSERT_EQ(Shown().size(), 3u);
    }

    TempFolder journal;
};

} // namespace

TEST_F(MainFormPreview, DateHeurePreviewShowsEachFileThenCancelChangesNothing) {
    // Gone since the folder was listed: the preview says why it would be left alone.
    ASSERT_TRUE(::DeleteFileW((folder / L"beta.txt").c_str()));
    std::wstring caption;
    std::wstring countLine;
    Rows rows;
    bool dialogOpenAfterPreview = false;
    {
        ScopedModalRunner runner([&](Form& shown) {
            if (auto* preview = dynamic_cast<BatchPreviewForm*>(&shown)) {
                caption = preview->Text();
                // The rest of the files are planned on a timer; the count line says when all are.
                for (int wait = 0; wait < 500 && preview->CountLabel.Text().starts_with(L"Analyse"); ++wait) {
                    Application::ProcessMessages();
                    ::Sleep(10);
                }
                countLine = preview->CountLabel.Text();
                for (int row = 0; row < preview->List.RowCount(); ++row) {
                    rows.emplace_back();
                    for (int column = 0; column < preview->List.ColumnCount(); ++column)
                        rows.back().push_back(preview->List.CellText(row, column));
                }
                preview->BtnClose.Click();
                return;
            }
            auto& dialog = dynamic_cast<TDateHeure&>(shown);
            dialog.DatePicker.SetValue(Day(2003, 4, 8));
            dialog.TimePicker.SetValue(Day(2003, 4, 8, 7, 7, 8));
            dialog.Stamps.SetChecked({Stamp::LastWrite});
            dialog.BtnPreview.Click();
            dialogOpenAfterPreview = dialog.HandleAllocated() && ::IsWindowVisible(dialog.Handle()) &&
                                     dialog.GetModalResult() == mrNone;
            dialog.BtnCancel.Click();
        });
        ASSERT_TRUE(Choose(L"Date-Heure"));
    }
    EXPECT_TRUE(dialogOpenAfterPreview);
    EXPECT_EQ(caption, L"Aperçu : Date-Heure");
    EXPECT_EQ(countLine, L"3 fichiers : 1 serait modifié, 1 déjà comme demandé, 1 laissé tel quel");
    const std::wstring before = L"modification " + JournalTimeText(FileTimeTicks(kOldStamp));
    const std::wstring after = L"modification " + JournalTimeText(FileTimeTicks(kAsked));
    EXPECT_EQ(rows, (Rows{{L"alpha.txt", before, after, L"+3 j 01:00", L""},
                          {L"beta.txt", L"", L"", L"", L"fichier introuvable"},
                          {L"delta.txt", L"", L"", L"", L"déjà comme demandé"}}));
    // Nothing was changed, by the preview or the cancelled dialog.
    const std::optional<DiskStamps> alpha = ReadStamps(folder / L"alpha.txt");
    ASSERT_TRUE(alpha);
    EXPECT_TRUE(SameTime(alpha->LastWrite, kOldStamp));
    EXPECT_TRUE(SameTime(alpha->LastAccess, kOldStamp));
    const std::optional<DiskStamps> delta = ReadStamps(folder / L"delta.txt");
    ASSERT_TRUE(delta);
    EXPECT_TRUE(SameTime(delta->LastWrite, kAsked));
    EXPECT_TRUE(form->Batches().Journal().Summary().Summary.Batches.empty());
}
