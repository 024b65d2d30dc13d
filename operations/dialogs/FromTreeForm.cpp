// The dialog that dates a tree from another.
#include "operations/dialogs/FromTreeForm.h"

#include "base/TextHelpers.h"
#include "operations/dialogs/DateHeureForm.h"
#include "ui/MessageBox.h"

#include <utility>

FromTreeForm::FromTreeForm(HWND owner, const std::wstring& fontName, FromTreeFolderCheck check,
                           FolderPicker picker, FromTreePreview preview)
    : check_(std::move(check)), picker_(std::move(picker)), preview_(std::move(preview)) {
    Create(kCaption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnOwner();

    LabelIntro.Create(Handle(),
                      L"Chaque fichier et sous-dossier du dossier affiché (fichiers selon le masque) prendra "
                      L"les dates cochées de celui qui porte le même chemin dans ce dossier :",
                      10, 8, 380, 44);
    EditFolder.Create(Handle(), L"", 10, 56, 290, 22);
    BtnBrowse.Create(Handle(), L"&Parcourir...", 306, 55, 86, 24);
    BtnBrowse.OnClick = [this] { BtnBrowseClick(); };
    BoxStamps.Create(Handle(), L" Dates à copier ", 8, 88, 384, 96);
    Stamps.Create(Handle(), 18, 108, 366, 24);
    CheckEvenSize.Create(Handle(), L"Même si la &taille diffère", 10, 190, 380, 20);
    BtnOk.Create(Handle(), L"&Copier", 232, 218, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"A&nnuler", 314, 218, 78, 26, mrCancel);
    BtnOk.OnClick = [this] { BtnOkClick(); };
    if (preview_) {
        BtnPreview.Create(Handle(), kPreviewCaption, 150, 218, 78, 26);
        BtnPreview.OnClick = [this] {
            if (const std::optional<FromTreeChoice> shown = ShownChoice())
                preview_(Handle(), *shown);
        };
    }

    Stamps.SetChecked(kAllStamps);
    OnShow = [this] { ::SetFocus(EditFolder.Handle()); };
}

FromTreeForm::~FromTreeForm() {
    Destroy();
}

void FromTreeForm::BtnBrowseClick() {
    if (!picker_)
        return;
    if (const std::optional<std::wstring> folder = picker_(Handle(), TrimSpaces(EditFolder.Text())))
        EditFolder.SetText(*folder);
}

std::optional<FromTreeChoice> FromTreeForm::ShownChoice() {
    const std::wstring folder = TrimSpaces(EditFolder.Text());
    const std::optional<std::wstring> problem = check_ ? check_(folder) : std::nullopt;
    if (problem) {
        ShowMessageBox(Handle(), *problem, MB_OK | MB_ICONWARNING, kCaption);
        ::SetFocus(EditFolder.Handle());
        return std::nullopt;
    }
    const StampSet stamps = Stamps.Checked();
    if (stamps.Empty()) {
        ShowMessageBox(Handle(), TDateHeure::kWarningText, MB_OK | MB_ICONWARNING,
                       TDateHeure::kWarningCaption);
        return std::nullopt;
    }
    return FromTreeChoice{folder, stamps, CheckEvenSize.Checked()};
}

void FromTreeForm::BtnOkClick() {
    if (const std::optional<FromTreeChoice> shown = ShownChoice()) {
        choice_ = *shown;
        SetModalResult(mrOk);
    }
}

std::optional<FromTreeChoice> AskFromTree(HWND owner, const std::wstring& fontName,
                                          const FromTreeFolderCheck& check, const FolderPicker& picker,
                                          const FromTreePreview& preview) {
    FromTreeForm dialog(owner, fontName, check, picker, preview);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Choice();
}
