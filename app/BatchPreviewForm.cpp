// The preview window.
#include "app/BatchPreviewForm.h"

#include "ui/Clipboard.h"
#include "ui/WaitCursor.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kLabelHeight = 16;
constexpr int kMinClientWidth = 360;
constexpr int kMinClientHeight = 160;
// Planning in the background takes at most this much of each tick, so the window keeps answering.
constexpr ULONGLONG kPlanSliceMs = 30;
constexpr UINT kPlanIntervalMs = 10;
constexpr size_t kPlanStep = 16;

enum Column { kName, kCurrent, kNew, kDifference, kRemark };

} // namespace

BatchPreviewForm::BatchPreviewForm(HWND owner, const std::wstring& fontName, const std::wstring& operation,
                                   BatchPreview& preview)
    : preview_(preview) {
    Create(L"Aperçu : " + operation, 0, 0, kClientWidth, kClientHeight,
           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, owner);
    SetFontName(fontName);
    CenterOnOwner();
    SetMinClientSize(kMinClientWidth, kMinClientHeight);

    CountLabel.Create(Handle(), preview.Tally().CountLine(), kMargin, kMargin, kClientWidth - 2 * kMargin,
                      kLabelHeight, Label::TextAlign::Left, false);
    List.Create(Handle(), kMargin, 2 * kMargin + kLabelHeight, kClientWidth - 2 * kMargin, 260);
    List.AddColumn(L"Fichier", 150);
    List.AddColumn(L"Valeur actuelle", 190);
    List.AddColumn(L"Nouvelle valeur", 190);
    List.AddColumn(L"Écart", 100);
    List.AddColumn(L"Remarque", 100);
    List.OnGetCellText = [this](int row, int column) -> const std::wstring& {
        static const std::wstring kNone;
        if (row < 0 || static_cast<size_t>(row) >= preview_.Count())
            return kNone;
        const size_t index = static_cast<size_t>(row);
        if (column == kName)
            return preview_.Name(index);
        const PreviewRow& shown = preview_.Row(index);
        return column == kCurrent      ? shown.Current
               : column == kNew        ? shown.New
               : column == kDifference ? shown.Difference
                                       : shown.Remark;
    };
    List.SetRowCount(static_cast<int>(preview.Count()));
    BtnCopy.Create(Handle(), L"&Copier", 0, 0, kButtonWidth, kButtonHeight);
    BtnCopy.OnClick = [this] { CopyRows(); };
    BtnClose.Create(Handle(), L"&Fermer", 0, 0, kButtonWidth, kButtonHeight, mrOk, true);

    for (Window* window : {static_cast<Window*>(this), static_cast<Window*>(&List),
                           static_cast<Window*>(&BtnCopy), static_cast<Window*>(&BtnClose)})
        ListenForCopyKey(*window);
    Layout();
    OnResize = [this] { Layout(); };
    OnShow = [this] { ::SetFocus(List.Handle()); };

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
    if (preview_.Complete())
        planner_.SetEnabled(false);
}

void BatchPreviewForm::CopyRows() {
    std::wstring text;
    {
        WaitCursor wait;
        text = preview_.Text();
    }
    CountLabel.SetText(preview_.Tally().CountLine());
    planner_.SetEnabled(false);
    if (!CopyTextToClipboard(Handle(), text))
        ::MessageBeep(MB_ICONWARNING);
}

void BatchPreviewForm::ListenForCopyKey(Window& window) {
    window.Listen(WM_KEYDOWN, [this](WPARAM wp, LPARAM, LRESULT& result) {
        if (wp != 'C' || ::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0)
            return false;
        CopyRows();
        result = 0;
        return true;
    });
}

void BatchPreviewForm::Layout() {
    // Children were made at design sizes; from here on everything is in pixels.
    const RECT client = ClientRect();
    const int margin = Scale(kMargin);
    const int buttonWidth = Scale(kButtonWidth);
    const int buttonHeight = Scale(kButtonHeight);
    const int width = std::max(0, static_cast<int>(client.right) - 2 * margin);
    const int buttonsTop = client.bottom - margin - buttonHeight;
    const int listTop = 2 * margin + Scale(kLabelHeight);
    CountLabel.SetBounds(margin, margin, width, Scale(kLabelHeight));
    List.SetBounds(margin, listTop, width, std::max(0, buttonsTop - margin - listTop));
    // The remark, a reason of any length, takes the rest of the list's width.
    ListView_SetColumnWidth(List.Handle(), kRemark, LVSCW_AUTOSIZE_USEHEADER);
    BtnClose.SetBounds(client.right - margin - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    BtnCopy.SetBounds(client.right - 2 * margin - 2 * buttonWidth, buttonsTop, buttonWidth, buttonHeight);
}

LRESULT BatchPreviewForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK && lp == 0) {
        // Enter in the list: the dialog keys ask for the default button by its identifier.
        BtnClose.Click();
        return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
}

void ShowBatchPreview(HWND owner, const std::wstring& fontName, const std::wstring& operation,
                      BatchPreview& preview) {
    BatchPreviewForm form(owner, fontName, operation, preview);
    form.ShowModal();
}
