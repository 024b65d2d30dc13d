// The confirmation dialogs and their texts.
#include "operations/dialogs/ConfirmationForm.h"

#include "operations/dialogs/DateHeureForm.h"

#include <utility>

namespace {

constexpr const wchar_t* kModifyCheck =
    L"Ne plus faire apparaître ce message et modifier directement les fichiers";

} // namespace

const ConfirmationText kHeureZeroText{
    L"Horodatage",
    L"Cette option permet de régler les heures des fichiers sélectionnés à 00:00:00. La date sera également "
    L"réglée sur la date courante. Si aucun fichier n'est sélectionné, tous les fichiers du dossier en cours "
    L"seront réglés. L'horodatage intervient sur les 3 dates.",
    L"Ne plus faire apparaître ce message et horodater directement les fichiers..."};

const ConfirmationText kNameMajText{
    L"Majuscules",
    L"Cette option permet de modifier la casse des fichiers sélectionnés avec toutes les lettres en "
    L"majuscules, "
    L"extensions comprises (exemple : FICHIER.TXT). Si aucun fichier n'est sélectionné, tous les fichiers du "
    L"dossier en cours seront réglés.",
    kModifyCheck};

const ConfirmationText kNameMinText{
    L"Minuscules",
    L"Cette option permet de modifier la casse des fichiers sélectionnés avec toutes les lettres en "
    L"minuscules, "
    L"extensions comprises (exemple : fichier.txt). Si aucun fichier n'est sélectionné, tous les fichiers du "
    L"dossier en cours seront réglés.",
    kModifyCheck};

const ConfirmationText kNameMajMinText{
    L"Majuscule-minuscules",
    L"Cette option permet de modifier la casse des fichiers sélectionnés avec la 1ère lettre en majuscule et "
    L"le "
    L"reste en minuscules (exemple : Fichier.txt). Si aucun fichier n'est sélectionné, tous les fichiers du "
    L"dossier en cours seront réglés.",
    kModifyCheck};

ConfirmationForm::ConfirmationForm(HWND owner, const std::wstring& fontName, const ConfirmationText& text,
                                   ConfirmationPreview preview)
    : preview_(std::move(preview)) {
    Create(text.Caption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnScreen();

    TopPanel.Create(Handle(), Align::Top, kClientWidth, 96);
    Label1.Create(TopPanel.Handle(), text.Explanation, 12, 10, kClientWidth - 24, 52);
    CheckFirst.Create(TopPanel.Handle(), text.CheckCaption, 12, 68, kClientWidth - 24, 20);
    CheckFirst.SetChecked(false);

    ButtonPanel.Create(Handle(), Align::None, 176, 34);
    ButtonPanel.SetBevel(Panel::Bevel::Raised);
    ::SetWindowPos(ButtonPanel.Handle(), nullptr, Scale(kClientWidth - 176 - 8),
                   Scale(kClientHeight - 34 - 4), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    BtnOk.Create(ButtonPanel.Handle(), L"&Régler", 6, 4, 80, 26, mrOk, true);
    BtnCancel.Create(ButtonPanel.Handle(), L"&Annuler", 90, 4, 80, 26, mrCancel);
    if (preview_) {
        // Beside the panel, apart from the two buttons that close the dialog.
        BtnPreview.Create(Handle(), kPreviewCaption, kClientWidth - 176 - 8 - 96, kClientHeight - 34, 88, 26);
        BtnPreview.OnClick = [this] { preview_(Handle()); };
    }
}

ConfirmationForm::~ConfirmationForm() {
    Destroy();
}
