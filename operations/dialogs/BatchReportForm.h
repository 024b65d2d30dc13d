// The "Rapport" window of a batch: its count line, one row per file not done or done with a
// remark (name, what happened, why), and the whole as text to copy (Ctrl+C or "&Copier").
#pragma once

#include "operations/BatchReport.h"
#include "operations/dialogs/ListWindow.h"

#include <windows.h>

#include <string>

// Shows the report modally (through the modal runner, so tests can read it).
void ShowBatchReport(HWND owner, const std::wstring& fontName, const BatchReport& report);

class BatchReportForm : public ListWindow {
public:
    static constexpr int kClientWidth = 560;
    static constexpr int kClientHeight = 320;

    // The report must outlive the form: the list reads its rows as it draws them.
    BatchReportForm(HWND owner, const std::wstring& fontName, const BatchReport& report);
    ~BatchReportForm() override;

    // Puts the report's text on the clipboard.
    void CopyReport();

private:
    const BatchReport& report_;
};
