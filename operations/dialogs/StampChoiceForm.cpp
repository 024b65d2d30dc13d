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
    Stamps.Create(Handle(), 18, 72, 346, 24, texts.Boxes);
    BtnOk.Create(Handle(), L"OK", 212, 158, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"A&nnuler", 294, 158, 78, 26, mrCancel);
    BtnOk.OnClick = [this] { BtnOkClick(); };

    Stamps.SetChecked(texts.Initial);
    OnShow = [this] { ::SetFocus(Stamps.CheckCreation.Handle()); };
}

StampChoiceForm::~StampChoiceForm() {
    Destroy();
}

void StampChoiceForm::BtnOkClick() {
    stamps_ = Stamps.Checked();
    if (stamps_.Empty()) {
        ShowMessageBox(Handle(), TDateHeure::kWarningText, MB_OK | MB_ICONWARNING,
                       TDateHeure::kWarningCaption);
        return;
    }
    SetModalResult(mrOk);
}

std::optional<StampSet> AskStamps(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts) {
    StampChoiceForm dialog(owner, fontName, texts);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.ChosenStamps();
}
