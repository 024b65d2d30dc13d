// The report window and its texts.
#include "operations/dialogs/BatchReportForm.h"

#include "ui/Clipboard.h"
#include "ui/ModalRunner.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kLabelHeight = 16;
// Below this the list no longer shows a row and the buttons overlap.
constexpr int kMinClientWidth = 300;
constexpr int kMinClientHeight = 160;

} // namespace

BatchReportForm::BatchReportForm(HWND owner, const std::wstring& fontName, const BatchReport& report)
    : report_(report) {
    Create(L"Rapport", 0, 0, kClientWidth, kClientHeight,
           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, owner);
    SetFontName(fontName);
    CenterOnOwner();
    SetMinClientSize(kMinClientWidth, kMinClientHeight);

    CountLabel.Create(Handle(), report.CountLine(), kMargin, kMargin, kClientWidth - 2 * kMargin,
                      kLabelHeight, Label::TextAlign::Left, false);
    List.Create(Handle(), kMargin, 2 * kMargin + kLabelHeight, kClientWidth - 2 * kMargin, 200);
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
    BtnCopy.Create(Handle(), L"&Copier", 0, 0, kButtonWidth, kButtonHeight);
    BtnCopy.OnClick = [this] { CopyReport(); };
    BtnClose.Create(Handle(), L"&Fermer", 0, 0, kButtonWidth, kButtonHeight, mrOk, true);

    for (Window* window : {static_cast<Window*>(this), static_cast<Window*>(&List),
                           static_cast<Window*>(&BtnCopy), static_cast<Window*>(&BtnClose)})
        ListenForCopyKey(*window);
    Layout();
    OnResize = [this] { Layout(); };
    OnShow = [this] { ::SetFocus(List.Handle()); };
}

BatchReportForm::~BatchReportForm() {
    Destroy();
}

void BatchReportForm::CopyReport() {
    if (!CopyTextToClipboard(Handle(), report_.Text()))
        ::MessageBeep(MB_ICONWARNING);
}

void BatchReportForm::ListenForCopyKey(Window& window) {
    window.Listen(WM_KEYDOWN, [this](WPARAM wp, LPARAM, LRESULT& result) {
        if (wp != 'C' || ::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0)
            return false;
        CopyReport();
        result = 0;
        return true;
    });
}

void BatchReportForm::Layout() {
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
    // The last column takes the rest of the list's width: its texts are the longest.
    ListView_SetColumnWidth(List.Handle(), 2, LVSCW_AUTOSIZE_USEHEADER);
    BtnClose.SetBounds(client.right - margin - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    BtnCopy.SetBounds(client.right - 2 * margin - 2 * buttonWidth, buttonsTop, buttonWidth, buttonHeight);
}

LRESULT BatchReportForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK && lp == 0) {
        // Enter in the list: the dialog keys ask for the default button by its identifier.
        BtnClose.Click();
        return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
}

void ShowBatchReport(HWND owner, const std::wstring& fontName, const BatchReport& report) {
    BatchReportForm form(owner, fontName, report);
    form.ShowModal();
}
