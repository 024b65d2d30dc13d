// The "Aperçu" window: every file an operation would reach, with what it would change (values now
// and after, by how much) or why it would be left alone, before anything changes. Rows are planned
// as they are drawn, the others a few at a time on a timer while the count line fills in.
#pragma once

#include "batch/BatchPreview.h"
#include "operations/dialogs/ListWindow.h"
#include "ui/Timer.h"

#include <windows.h>

#include <string>

class BatchPreviewForm : public ListWindow {
public:
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 360;

    // The preview must outlive the form: the list plans and reads its rows as it draws them.
    BatchPreviewForm(HWND owner, const std::wstring& fontName, const std::wstring& operation,
                     BatchPreview& preview);
    ~BatchPreviewForm() override;

    // Puts the count line and every row on the clipboard, the files not planned yet planned first.
    void CopyRows();

private:
    void PlanSome();

    BatchPreview& preview_;
    Timer planner_;
};

// Shows the preview modally over `owner` (through the modal runner, so tests can read it).
void ShowBatchPreview(HWND owner, const std::wstring& fontName, const std::wstring& operation,
                      BatchPreview& preview);
