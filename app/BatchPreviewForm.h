// The "Aperçu" window: every file an operation would reach, with what it would change (values now
// and after, by how much) or why it would be left alone, before anything changes. Rows are planned
// as they are drawn, the others a few at a time on a timer while the count line fills in.
#pragma once

#include "batch/BatchPreview.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/OwnerDataList.h"
#include "ui/Timer.h"

#include <windows.h>

#include <string>

class BatchPreviewForm : public Form {
public:
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 360;

    // The preview must outlive the form: the list plans and reads its rows as it draws them.
    BatchPreviewForm(HWND owner, const std::wstring& fontName, const std::wstring& operation,
                     BatchPreview& preview);
    ~BatchPreviewForm() override;

    // Puts the count line and every row on the clipboard, the files not planned yet planned first.
    void CopyRows();

    Label CountLabel;
    OwnerDataList List;
    Button BtnCopy;
    Button BtnClose;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Layout();
    void PlanSome();
    void ListenForCopyKey(Window& window);

    BatchPreview& preview_;
    Timer planner_;
};

// Shows the preview modally over `owner` (through the modal runner, so tests can read it).
void ShowBatchPreview(HWND owner, const std::wstring& fontName, const std::wstring& operation,
                      BatchPreview& preview);
