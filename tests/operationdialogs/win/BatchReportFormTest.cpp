// The report window on real windows, played through the modal runner seam.
#include "operations/dialogs/BatchReportForm.h"
#include "ui/Clipboard.h"
#include "ui/ModalRunner.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kFont = L"Tahoma";

class BatchReportFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        report.Add(L"a.txt", FileOutcome::Failed(Failure::InUse));
        FileOutcome remarked;
        remarked.AddRemark(L"secondes arrondies");
        report.Add(L"b.txt", remarked);
        report.Add(L"c.txt", FileOutcome());
        ASSERT_EQ(report.Rows().size(), 2u);
    }

    BatchReport report;
};

} // namespace

TEST_F(BatchReportFormTest, ShowsTheCountLineAndOneRowPerFileToTell) {
    std::wstring caption, countLine;
    int rows = 0;
    std::vector<std::wstring> cells;
    ScopedModalRunner runner([&](Form& form) {
        auto& dialog = dynamic_cast<BatchReportForm&>(form);
        caption = form.Text();
        countLine = dialog.CountLabel.Text();
        rows = dialog.List.RowCount();
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < 3; ++column)
                cells.push_back(dialog.List.CellText(row, column));
        dialog.BtnClose.Click();
    });
    ShowBatchReport(nullptr, kFont, report);
    EXPECT_EQ(caption, L"Rapport");
    EXPECT_EQ(countLine, report.CountLine());
    ASSERT_EQ(rows, 2);
    const std::vector<BatchReportRow>& expected = report.Rows();
    EXPECT_EQ(cells, (std::vector<std::wstring>{expected[0].Name, expected[0].Result, expected[0].Reason,
                                                expected[1].Name, expected[1].Result, expected[1].Reason}));
    EXPECT_EQ(cells[0], L"a.txt");
    EXPECT_NE(cells[5].find(L"secondes arrondies"), std::wstring::npos);
}

// One test for both ways of copying: the clipboard is shared with every test running alongside.
TEST_F(BatchReportFormTest, CopyButtonAndCtrlCPutTheReportTextOnTheClipboard) {
    ASSERT_TRUE(CopyTextToClipboard(nullptr, L"autre chose"));
    ScopedModalRunner runner([](Form& form) {
        auto& dialog = dynamic_cast<BatchReportForm&>(form);
        dialog.BtnCopy.Click();
        dialog.BtnClose.Click();
    });
    ShowBatchReport(nullptr, kFont, report);
    EXPECT_EQ(ClipboardText(nullptr), report.Text());

    ASSERT_TRUE(CopyTextToClipboard(nullptr, L"autre chose"));
    BatchReportForm form(nullptr, kFont, report);
    BYTE keys[256]{};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    form.List.Send(WM_KEYDOWN, 'C', 1);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(ClipboardText(nullptr), report.Text());
}

TEST_F(BatchReportFormTest, ListAndButtonsFollowTheWindowSize) {
    BatchReportForm form(nullptr, kFont, report);
    ::SetWindowPos(form.Handle(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    const RECT client = form.ClientRect();
    const RECT list = form.List.WindowRectInParent();
    const RECT close = form.BtnClose.WindowRectInParent();
    EXPECT_GT(list.right, client.right - 20);
    EXPECT_GT(close.right, client.right - 20);
    EXPECT_GT(close.bottom, client.bottom - 20);
    EXPECT_LT(list.bottom, close.top);
    ::SetWindowPos(form.Handle(), nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GE(form.ClientRect().right, form.Scale(300) - 1);
}
