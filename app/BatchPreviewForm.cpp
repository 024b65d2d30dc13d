// The preview window.
#include "app/BatchPreviewForm.h"

#include "ui/Clipboard.h"
#include "ui/WaitCursor.h"

namespace {

// Planning in the background takes at most this much of each tick, so the window keeps answering.
constexpr ULONGLONG kPlanSliceMs = 30;
constexpr UINT kPlanIntervalMs = 10;
constexpr size_t kPlanStep = 16;

enum Column { kName, kCurrent, kNew, kDifference, kRemark, kGroup };

} // namespace

BatchPreviewForm::BatchPreviewForm(HWND owner, const std::wstring& fontName, const std::wstring& operation,
                                   BatchPreview& preview)
    : ListWindow(owner, fontName, L"Aperçu : " + operation, {kClientWidth, kClientHeight}, {360, 160},
                 preview.Tally().CountLine()),
      preview_(preview) {
    // The group's column, when there is one, comes second: the rows are ordered by it. The others
    // give it room, so that the reasons still show.
    const bool grouped = !preview.GroupColumn().empty();
    List.AddColumn(L"Fichier", grouped ? 110 : 150);
    if (grouped)
        List.AddColumn(preview.GroupColumn(), 130);
    List.AddColumn(L"Valeur actuelle", grouped ? 160 : 190);
    List.AddColumn(L"Nouvelle valeur", grouped ? 160 : 190);
    List.AddColumn(L"Écart", grouped ? 60 : 100);
    List.AddColumn(L"Remarque", grouped ? 150 : 100);
    List.OnGetCellText = [this, grouped](int row, int column) -> const std::wstring& {
        static const std::wstring kNone;
        if (row < 0 || static_cast<size_t>(row) >= preview_.Count())
            return kNone;
        const size_t index = static_cast<size_t>(row);
        if (column == kName)
            return preview_.Name(index);
        if (grouped)
            column = column == 1 ? kGroup : column - 1;
        const PreviewRow& shown = preview_.Row(index);
        return column == kGroup        ? shown.Group
               : column == kCurrent    ? shown.Current
               : column == kNew        ? shown.New
               : column == kDifference ? shown.Difference
                                       : shown.Remark;
    };
    List.SetRowCount(static_cast<int>(preview.Count()));
    FinishList([this] { CopyRows(); });

    planner_.OnTimer = [this] { PlanSome(); };
    planner_.SetInterval(kPlanIntervalMs);
    planner_.SetEnabled(!preview.Complete());
}

BatchPreviewForm::~BatchPreviewForm() {
    planner_.SetEnabled(false);
    Destroy();
}

void BatchPreviewForm::PlanSome() {
    const ULONGLONG until = ::GetTickCount64() + kPlanSliceMs;
    bool more = true;
    while (more && ::GetTickCount64() < until)
        more = preview_.PlanMore(kPlanStep);
    // Rows drawn meanwhile were planned too: the count covers them.
    CountLabel.SetText(preview_.Tally().CountLine());
    if (preview_.Complete()) {
        planner_.SetEnabled(false);
        // Grouped rows took their order with the last file.
        if (!preview_.GroupColumn().empty())
            ::InvalidateRect(List.Handle(), nullptr, TRUE);
    }
}

void BatchPreviewForm::CopyRows() {
    std::wstring text;
    {
        WaitCursor wait;
        text = preview_.Text();
    }
    CountLabel.SetText(preview_.Tally().CountLine());
    planner_.SetEnabled(false);
    ::InvalidateRect(List.Handle(), nullptr, TRUE);
    if (!CopyTextToClipboard(Handle(), text))
        ::MessageBeep(MB_ICONWARNING);
}

void ShowBatchPreview(HWND owner, const std::wstring& fontName, const std::wstring& operation,
                      BatchPreview& preview) {
    BatchPreviewForm form(owner, fontName, operation, preview);
    form.ShowModal();
}
