// The undo window and its rows.
#include "operations/dialogs/UndoForm.h"

#include "base/TimeText.h"
#include "journal/UndoPlan.h"
#include "ui/ModalRunner.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 130;
constexpr int kButtonHeight = 26;
constexpr int kLabelHeight = 16;
constexpr int kCheckHeight = 20;
constexpr int kMinClientWidth = 360;
constexpr int kMinClientHeight = 200;

} // namespace

std::vector<UndoRow> UndoRows(const JournalSummary& contents, const std::vector<std::wstring>& states) {
    std::vector<UndoRow> rows;
    for (size_t i = contents.Batches.size(); i-- > 0;) {
        const JournalBatchSummary& batch = contents.Batches[i];
        rows.push_back(
            UndoRow{i,
                    {batch.Operation, std::to_wstring(batch.Files), JournalTimeText(batch.Started),
                     i < states.size() ? states[i] : std::wstring(), JournalFolderText(batch.Folder)}});
    }
    return rows;
}

UndoForm::UndoForm(HWND owner, const std::wstring& fontName, const std::vector<UndoRow>& rows,
                   std::optional<size_t> chosenBatch)
    : rows_(rows) {
    Create(kCaption, 0, 0, kClientWidth, kClientHeight,
           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, owner);
    SetFontName(fontName);
    CenterOnOwner();
    SetMinClientSize(kMinClientWidth, kMinClientHeight);

    Caption.Create(Handle(), L"Opérations gardées dans le journal, de la plus récente à la plus ancienne :",
                   kMargin, kMargin, kClientWidth - 2 * kMargin, kLabelHeight, Label::TextAlign::Left, false);
    List.Create(Handle(), kMargin, 2 * kMargin + kLabelHeight, kClientWidth - 2 * kMargin, 160);
    ::SetWindowLongW(List.Handle(), GWL_STYLE,
                     ::GetWindowLongW(List.Handle(), GWL_STYLE) | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    ListView_SetExtendedListViewStyleEx(List.Handle(), LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    List.AddColumn(L"Opération", 170);
    List.AddColumn(L"Fichiers", 60);
    List.AddColumn(L"Date", 120);
    List.AddColumn(L"État", 80);
    List.AddColumn(L"Dossier", 170);
    List.OnGetCellText = [this](int row, int column) -> const std::wstring& {
        static const std::wstring kNone;
        if (row < 0 || static_cast<size_t>(row) >= rows_.size() || column < 0 || column >= 5)
            return kNone;
        return rows_[static_cast<size_t>(row)].Cells[static_cast<size_t>(column)];
    };
    List.SetRowCount(static_cast<int>(rows.size()));
    CheckEvenIfChanged.Create(Handle(), L"&Rétablir aussi les fichiers modifiés depuis l'opération", 0, 0,
                              kClientWidth - 2 * kMargin, kCheckHeight);
    BtnUndo.Create(Handle(), L"A&nnuler l'opération", 0, 0, kButtonWidth, kButtonHeight, mrOk, true);
    BtnClose.Create(Handle(), L"&Fermer", 0, 0, kButtonWidth, kButtonHeight, mrCancel);

    for (size_t row = 0; row < rows.size(); ++row)
        if (chosenBatch && rows[row].BatchIndex == *chosenBatch)
            ChooseRow(static_cast<int>(row));
    Layout();
    OnResize = [this] { Layout(); };
    OnShow = [this] { ::SetFocus(List.Handle()); };
}

UndoForm::~UndoForm() {
    Destroy();
}

std::optional<size_t> UndoForm::ChosenBatch() const {
    const int row = ListView_GetNextItem(List.Handle(), -1, LVNI_SELECTED);
    if (row < 0 || static_cast<size_t>(row) >= rows_.size())
        return std::nullopt;
    return rows_[static_cast<size_t>(row)].BatchIndex;
}

void UndoForm::ChooseRow(int row) {
    ListView_SetItemState(List.Handle(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(List.Handle(), row, FALSE);
}

void UndoForm::Layout() {
    // Children were made at design sizes; from here on everything is in pixels.
    const RECT client = ClientRect();
    const int margin = Scale(kMargin);
    const int buttonWidth = Scale(kButtonWidth);
    const int buttonHeight = Scale(kButtonHeight);
    const int width = std::max(0, static_cast<int>(client.right) - 2 * margin);
    const int buttonsTop = client.bottom - margin - buttonHeight;
    const int checkTop = buttonsTop - margin - Scale(kCheckHeight);
    const int listTop = 2 * margin + Scale(kLabelHeight);
    Caption.SetBounds(margin, margin, width, Scale(kLabelHeight));
    List.SetBounds(margin, listTop, width, std::max(0, checkTop - margin - listTop));
    // The last column takes the rest of the list's width: its texts are the longest.
    ListView_SetColumnWidth(List.Handle(), 4, LVSCW_AUTOSIZE_USEHEADER);
    CheckEvenIfChanged.SetBounds(margin, checkTop, width, Scale(kCheckHeight));
    BtnClose.SetBounds(client.right - margin - buttonWidth, buttonsTop, buttonWidth, buttonHeight);
    BtnUndo.SetBounds(client.right - 2 * margin - 2 * buttonWidth, buttonsTop, buttonWidth, buttonHeight);
}

LRESULT UndoForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK && lp == 0) {
        // Enter in the list: the dialog keys ask for the default button by its identifier.
        BtnUndo.Click();
        return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
}

std::optional<UndoChoice> AskUndo(HWND owner, const std::wstring& fontName, const std::vector<UndoRow>& rows,
                                  std::optional<size_t> chosenBatch) {
    UndoForm form(owner, fontName, rows, chosenBatch);
    if (form.ShowModal() != mrOk)
        return std::nullopt;
    const std::optional<size_t> batch = form.ChosenBatch();
    if (!batch)
        return std::nullopt;
    return UndoChoice{*batch, form.CheckEvenIfChanged.Checked()};
}
