// The stamp choice dialog.
#include "operations/dialogs/StampChoiceForm.h"

#include "operations/dialogs/DateHeureForm.h"
#include "ui/MessageBox.h"

#include <utility>

StampChoiceForm::StampChoiceForm(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts,
                                 StampsPreview preview)
    : preview_(std::move(preview)) {
    Create(texts.Caption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnOwner();

    LabelIntro.Create(Handle(), texts.Intro, 10, 8, 360, 40);
    BoxStamps.Create(Handle(), L" Dates à changer ", 8, 52, 364, 96);
    Stamps.Create(Handle(), 18, 72, 346, 24, texts.Boxes);
    BtnOk.Create(Handle(), L"OK", 212, 158, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"A&nnuler", 294, 158, 78, 26, mrCancel);
    BtnOk.OnClick = [this] { BtnOkClick(); };
    if (preview_) {
        BtnPreview.Create(Handle(), kPreviewCaption, 130, 158, 78, 26);
        BtnPreview.OnClick = [this] {
            if (const std::optional<StampSet> stamps = TickedStamps())
                preview_(Handle(), *stamps);
        };
    }

    Stamps.SetChecked(texts.Initial);
    OnShow = [this] { ::SetFocus(Stamps.CheckCreation.Handle()); };
}

StampChoiceForm::~StampChoiceForm() {
    Destroy();
}

std::optional<StampSet> StampChoiceForm::TickedStamps() {
    const StampSet stamps = Stamps.Checked();
    if (stamps.Empty()) {
        ShowMessageBox(Handle(), TDateHeure::kWarningText, MB_OK | MB_ICONWARNING,
                       TDateHeure::kWarningCaption);
        return std::nullopt;
    }
    return stamps;
}

void StampChoiceForm::BtnOkClick() {
    if (const std::optional<StampSet> stamps = TickedStamps()) {
        stamps_ = *stamps;
        SetModalResult(mrOk);
    }
}

std::optional<StampSet> AskStamps(HWND owner, const std::wstring& fontName, const StampChoiceTexts& texts,
                                  const StampsPreview& preview) {
    StampChoiceForm dialog(owner, fontName, texts, preview);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.ChosenStamps();
}
