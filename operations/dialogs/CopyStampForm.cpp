// The copy dialog.
#include "operations/dialogs/CopyStampForm.h"

#include "operations/dialogs/DateHeureForm.h"
#include "ui/MessageBox.h"

CopyStampForm::CopyStampForm(HWND owner, const std::wstring& fontName) {
    Create(kCaption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnOwner();

    // Group boxes first, so that the tab order among the other controls is their creation order.
    BoxSource.Create(Handle(), L" Copier la date ", 8, 4, 120, 104);
    BoxTarget.Create(Handle(), L" Dans ", 136, 4, 212, 104);
    RadioCreation.Create(Handle(), L"&Créé", 18, 24, 100, 18, true);
    RadioModification.Create(Handle(), L"&Modifié", 18, 48, 100, 18, false);
    RadioAcces.Create(Handle(), L"&Accédé", 18, 72, 100, 18, false);
    CheckCreation.Create(Handle(), L"Date de création", 146, 24, 196, 18);
    CheckModification.Create(Handle(), L"Date de modification", 146, 48, 196, 18);
    CheckAcces.Create(Handle(), L"Date de dernier accès", 146, 72, 196, 18);
    BtnOk.Create(Handle(), L"Co&pier", 188, 116, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"A&nnuler", 270, 116, 78, 26, mrCancel);
    BtnOk.OnClick = [this] { BtnOkClick(); };

    // The most asked: the creation date a copy reset, given back the modification date.
    RadioModification.SetChecked(true);
    CheckCreation.SetChecked(true);
    OnShow = [this] { ::SetFocus(RadioModification.Handle()); };
}

CopyStampForm::~CopyStampForm() {
    Destroy();
}

void CopyStampForm::BtnOkClick() {
    const int source = RadioCreation.Checked() ? 1 : RadioModification.Checked() ? 2 : 4;
    const int targets = TickedStamps(CheckCreation, CheckModification, CheckAcces) & ~source;
    if (targets == 0) {
        ShowMessageBox(Handle(), TDateHeure::kWarningText, MB_OK | MB_ICONWARNING,
                       TDateHeure::kWarningCaption);
        return;
    }
    choice_ = CopyStampChoice{source, targets};
    SetModalResult(mrOk);
}

std::optional<CopyStampChoice> AskCopyStamp(HWND owner, const std::wstring& fontName) {
    CopyStampForm dialog(owner, fontName);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Choice();
}
