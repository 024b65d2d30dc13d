// The report window and its texts.
#include "operations/dialogs/BatchReportForm.h"

#include "ui/Clipboard.h"
#include "ui/ModalRunner.h"

BatchReportForm::BatchReportForm(HWND owner, const std::wstring& fontName, const BatchReport& report)
    : ListWindow(owner, fontName, L"Rapport", {kClientWidth, kClientHeight}, {300, 160}, report.CountLine()),
      report_(report) {
    List.AddColumn(L"Fichier", 200);
    List.AddColumn(L"Résultat", 130);
    List.AddColumn(L"Raison", 190);
    List.OnGetCellText = [this](int row, int column) -> const std::wstring& {
        static const std::wstring kNone;
        const auto& rows = report_.Rows();
        if (row < 0 || static_cast<size_t>(row) >= rows.size())
            return kNone;
        const BatchReportRow& shown = rows[static_cast<size_t>(row)];
        return column == 0 ? shown.Name : column == 1 ? shown.Result : shown.Reason;
    };
    List.SetRowCount(static_cast<int>(report.Rows().size()));
    FinishList([this] { CopyReport(); });
}

BatchReportForm::~BatchReportForm() {
    Destroy();
}

void BatchReportForm::CopyReport() {
    if (!CopyTextToClipboard(Handle(), report_.Text()))
        ::MessageBeep(MB_ICONWARNING);
}

void ShowBatchReport(HWND owner, const std::wstring& fontName, const BatchReport& report) {
    BatchReportForm form(owner, fontName, report);
    form.ShowModal();
}
