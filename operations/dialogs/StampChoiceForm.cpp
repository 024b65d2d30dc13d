// The stamp choice dialog.
#include "operations/dialogs/StampChoiceForm.h"

#include "operations/dialogs/DateHeureForm.h"
#include "ui/MessageBox.h"

StampChoiceForm::StampChoiceForm(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts) {
    Create(texts.Caption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnOwner();

    LabelIntro.Create(Handle(), texts.Intro, 10, 8, 360, 40);
    BoxStamps.Create(Handle(), L" Dates à changer ", 8, 52, 364, 96);
    CheckCreation.Create(Handle(), texts.Boxes[0], 18, 72, 346, 18);
    CheckModification.Create(Handle(), texts.Boxes[1], 18, 96, 346, 18);
    CheckAcces.Create(Handle(), texts.Boxes[2], 18, 120, 346, 18);
    BtnOk.Create(Handle(), L"OK", 212, 158, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"A&nnuler", 294, 158, 78, 26, mrCancel);
    BtnOk.OnClick = [this] { BtnOkClick(); };

    CheckCreation.SetChecked(texts.InitialMask & 1);
    CheckModification.SetChecked(texts.InitialMask & 2);
    CheckAcces.SetChecked(texts.InitialMask & 4);
    OnShow = [this] { ::SetFocus(CheckCreation.Handle()); };
}

StampChoiceForm::~StampChoiceForm() {
    Destroy();
}

void StampChoiceForm::BtnOkClick() {
    mask_ = TickedStamps(CheckCreation, CheckModification, CheckAcces);
    if (mask_ == 0) {
        ShowMessageBox(Handle(), TDateHeure::kWarningText, MB_OK | MB_ICONWARNING,
                       TDateHeure::kWarningCaption);
        return;
    }
    SetModalResult(mrOk);
}

std::optional<int> AskStamps(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts) {
    StampChoiceForm dialog(owner, fontName, texts);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Mask();
}
