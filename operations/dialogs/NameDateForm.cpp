// The file-name date dialog.
#include "operations/dialogs/NameDateForm.h"

#include "base/TextHelpers.h"
#include "operations/dialogs/DateHeureForm.h"
#include "readers/NameDate.h"
#include "ui/MessageBox.h"

#include <utility>

NameDateForm::NameDateForm(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                           NameDatePreview preview)
    : settings_(settings), preview_(std::move(preview)) {
    Create(kCaption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnOwner();

    LabelIntro.Create(Handle(),
                      L"Les dates cochées de chaque fichier prendront la date écrite dans son nom "
                      L"(IMG_20230415_143022.jpg, WhatsApp Image 2026-08-31 at 15.41.14.jpeg...). "
                      L"Un fichier dont le nom ne donne aucune date est laissé tel quel.",
                      10, 8, 360, 58);
    BoxStamps.Create(Handle(), L" Dates à changer ", 8, 70, 364, 96);
    Stamps.Create(Handle(), 18, 90, 346, 24);
    LabelPattern.Create(Handle(), L"Modèle des noms (facultatif) :", 10, 176, 360, 16, Label::TextAlign::Left,
                        false);
    EditPattern.Create(Handle(), settings.NamePattern, 10, 194, 360, 22);
    LabelPatternHelp.Create(Handle(),
                            L"AAAA MM JJ hh mm ss pour la date, * pour tout texte : Scan AAAAMMJJ*. "
                            L"Vide : les formes connues.",
                            10, 220, 360, 32);
    BtnOk.Create(Handle(), L"OK", 212, 258, 78, 26, 0, true);
    BtnCancel.Create(Handle(), L"A&nnuler", 294, 258, 78, 26, mrCancel);
    BtnOk.OnClick = [this] { BtnOkClick(); };
    if (preview_) {
        BtnPreview.Create(Handle(), kPreviewCaption, 130, 258, 78, 26);
        BtnPreview.OnClick = [this] {
            if (const std::optional<NameDateChoice> shown = ShownChoice())
                preview_(Handle(), *shown);
        };
    }

    const StampSet remembered = StampSet::FromOrdinalBits(static_cast<uint32_t>(settings.NameMask));
    Stamps.SetChecked(remembered.Empty() ? StampSet{Stamp::Creation, Stamp::LastWrite} : remembered);
    OnShow = [this] { ::SetFocus(Stamps.CheckCreation.Handle()); };
}

NameDateForm::~NameDateForm() {
    Destroy();
}

std::optional<NameDateChoice> NameDateForm::ShownChoice() {
    const StampSet stamps = Stamps.Checked();
    if (stamps.Empty()) {
        ShowMessageBox(Handle(), TDateHeure::kWarningText, MB_OK | MB_ICONWARNING,
                       TDateHeure::kWarningCaption);
        return std::nullopt;
    }
    const std::wstring pattern = TrimSpaces(EditPattern.Text());
    if (!pattern.empty() && !ParseNamePattern(pattern)) {
        ShowMessageBox(Handle(),
                       L"Le modèle " + Quoted(pattern) +
                           L" ne donne pas de date : il doit contenir AAAA, MM et JJ une fois chacun "
                           L"(hh, mm et ss au besoin), * pour tout texte.",
                       MB_OK | MB_ICONWARNING, kCaption);
        ::SetFocus(EditPattern.Handle());
        return std::nullopt;
    }
    return NameDateChoice{stamps, pattern};
}

void NameDateForm::BtnOkClick() {
    const std::optional<NameDateChoice> shown = ShownChoice();
    if (!shown)
        return;
    choice_ = *shown;
    settings_.NameMask = static_cast<int>(shown->Stamps.OrdinalBits());
    settings_.NamePattern = shown->Pattern;
    SetModalResult(mrOk);
}

std::optional<NameDateChoice> AskNameDate(HWND owner, const std::wstring& fontName, SettingsRecord& settings,
                                          const NameDatePreview& preview) {
    NameDateForm dialog(owner, fontName, settings, preview);
    if (dialog.ShowModal() != mrOk)
        return std::nullopt;
    return dialog.Choice();
}
