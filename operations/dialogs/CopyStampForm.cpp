// The copy dialog.
#include "operations/dialogs/CopyStampForm.h"

#include "operations/dialogs/DateHeureForm.h"
#include "ui/MessageBox.h"

#include <utility>

CopyStampForm::CopyStampForm(HWND owner, const std::wstring& fontName, CopyStampPreview preview)
    : preview_(std::move(preview)) {
    Create(kCaption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnOwner();

    // Group boxes first, so that the tab order among the other controls is their creation order.
    BoxSource.Create(Handle(), L" Copier la date ", 8, 4, 120, 104);
    BoxTarget.Create(Handle(), L" Dans ", 136, 4, 212, 104);
    RadioCreation.Create(Handle(), L"&Créé", 18, 24, 100, 18, true);
    RadioModification.Create(Handle(), L"&Modifié", 18, 48, 100, 18, false);
    RadioAcces.Create(Handle(), L"&Accédé", 18, 72, 100, 18, false);
    Targets.Create(Handle(), 146, 24, 196, 24);
    BtnOk.Create(Handle(), L"Co&pier", 188, 116, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"A&nnuler", 270, 116, 78, 26, mrCancel);
    BtnOk.OnClick = [this] { BtnOkClick(); };
    if (preview_) {
        BtnPreview.Create(Handle(), kPreviewCaption, 106, 116, 78, 26);
        BtnPreview.OnClick = [this] {
            if (const std::optional<CopyStampChoice> choice = TickedChoice())
                preview_(Handle(), *choice);
        };
    }

    // The most asked: the creation date a copy reset, given back the modification date.
    RadioModification.SetChecked(true);
    Targets.SetChecked({Stamp::Creation});
    OnShow = [this] { ::SetFocus(RadioModification.Handle()); };
}

CopyStampForm::~CopyStampForm() {
    Destroy();
}

std::optional<CopyStampChoice> CopyStampForm::TickedChoice() {
    const Stamp source = RadioCreation.Checked()       ? Stamp::Creation
                         : RadioModification.Checked() ? Stamp::LastWrite
                                                       : Stamp::LastAccess;
    const StampSet targets = Targets.Checked().Without(source);
    if (targets.Empty()) {
        ShowMessageBox(Handle(), TDateHeure::kWarningText, MB_OK | MB_ICONWARNING,
                       TDateHeure::kWarningCaption);
        return std::nullopt;
    }
    return CopyStampChoice{source, targets};
}

void CopyStampForm::BtnOkClick() {
    if (const std::optional<CopyStampChoice> choice = TickedChoice()) {
        choice_ = *choice;
        SetModalResult(mrOk);
    }
}

std::optional<CopyStampChoice> AskCopyStamp(HWND owner, const std::wstring& fontName,
                                            const CopyStampPreview& preview) {
    CopyStampForm dialog(owner, fontName, preview);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Choice();
}
