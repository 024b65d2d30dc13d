// The main menu and the view-style pop-up menu, with the captions, access keys and Tags the
// program shows.
#include "app/MainForm.h"

namespace {

MenuItemDesc Separator() {
    return {.Caption = L"-"};
}

} // namespace

void TMainForm::CreateMenus() {
    auto click = [this](void (TMainForm::*handler)()) {
        return [this, handler](MenuItem&) { (this->*handler)(); };
    };
    auto clickWithSender = [this](void (TMainForm::*handler)(MenuItem&)) {
        return [this, handler](MenuItem& sender) { (this->*handler)(sender); };
    };
    auto view = [&](const wchar_t* name, MenuItem*& made, const wchar_t* caption, int tag,
                    bool checked = false) {
        return MenuItemDesc{.Caption = caption,
                            .Name = name,
                            .Made = &made,
                            .Tag = tag,
                            .RadioGroup = 1,
                            .Checked = checked,
                            .OnClick = clickWithSender(&TMainForm::PopGiconesClick)};
    };
    auto sortBy = [&](const wchar_t* name, const wchar_t* caption, int tag) {
        return MenuItemDesc{.Caption = caption,
                            .Name = name,
                            .Tag = tag,
                            .OnClick = clickWithSender(&TMainForm::ReorganiseNomClick)};
    };

    MainMenu = std::make_unique<Menu>(
        Menu::Kind::Bar,
        std::vector<MenuItemDesc>{
            {.Caption = L"&Fichier",
             .Name = L"MenuFichier",
             .Items = {{.Caption = L"&Quitter",
                        .Name = L"FileQuitter",
                        .OnClick = click(&TMainForm::FileQuitterClick)}}},
            {.Caption = L"&Affichage",
             .Name = L"MenuAffichage",
             .Items = {{.Caption = L"Barre d'ou&tils",
                        .Name = L"AffichageOutils",
                        .Items = {{.Caption = L"Bou&tons standards",
                                   .Name = L"AffichageStandard",
                                   .Made = &AffichageStandard,
                                   .Checked = true,
                                   .OnClick = click(&TMainForm::AffichageStandardClick)},
                                  {.Caption = L"Boutons &options",
                                   .Name = L"AffichageBarOptions",
                                   .Made = &AffichageBarOptions,
                                   .Checked = true,
                                   .OnClick = click(&TMainForm::AffichageBarOptionsClick)},
                                  {.Caption = L"&Barre d'adresse",
                                   .Name = L"AffichageAdr",
                                   .Made = &AffichageAdr,
                                   .Checked = true,
                                   .OnClick = click(&TMainForm::AffichageAdrClick)},
                                  Separator(),
                                  {.Caption = L"Etiquettes te&xte",
                                   .Name = L"AffichageCaptions",
                                   .Made = &AffichageCaptions,
                                   .Checked = true,
                                   .OnClick = click(&TMainForm::AffichageCaptionsClick)}}},
                       {.Caption = L"Ba&rre d'état",
                        .Name = L"AffichageEtat",
                        .Made = &AffichageEtat,
                        .Checked = true,
                        .OnClick = click(&TMainForm::AffichageEtatClick)},
                       {.Caption = L"&Volet d'exploration",
                        .Name = L"AffichageVolet",
                        .Made = &AffichageVolet,
                        .Checked = true,
                        .OnClick = click(&TMainForm::AffichageVoletClick)},
                       Separator(),
                       view(L"AffichageGIcones", AffichageGIcones, L"&Grandes icônes", vsIcon),
                       view(L"AffichagePIcones", AffichagePIcones, L"&Petites icônes", vsSmallIcon),
                       view(L"AffichageListe", AffichageListe, L"&Liste", vsList),
                       view(L"AffichageDetail", AffichageDetail, L"&Détails", vsReport, true),
                       Separator(),
                       {.Caption = L"&Afficher la grille",
                        .Name = L"AffichageGrille",
                        .Made = &AffichageGrille,
                        .OnClick = click(&TMainForm::AffichageGrilleClick)},
                       Separator(),
                       {.Caption = L"Réorga&niser les icônes",
                        .Name = L"AffichageReorganiser",
                        .Items = {sortBy(L"ReorganiseNom", L"Par &nom de fichiers", 0),
                                  sortBy(L"ReorganiseTaille", L"Par tai&lle de fichiers", 1),
                                  sortBy(L"ReorganiseCreation", L"Par date de &création", 2),
                                  sortBy(L"ReorganiseModification", L"Par date de &modification", 3),
                                  sortBy(L"ReorganiseAcces", L"Par date de dernier &accés", 4),
                                  sortBy(L"ReorganiseNomDos", L"Par nom &Dos de fichiers", 5),
                                  sortBy(L"ReorganiseAttribut", L"Par att&ributs de fichiers", 6),
                                  sortBy(L"ReorganiseType", L"Par &type de fichiers", 7)}},
                       Separator(),
                       {.Caption = L"Actualis&er",
                        .Name = L"AffichageActualiser",
                        .ShortCut = L"F5",
                        .OnClick = click(&TMainForm::AffichageActualiserClick)},
                       Separator(),
                       {.Caption = L"&Options...",
                        .Name = L"AffichageOptions",
                        .OnClick = click(&TMainForm::AffichageOptionsClick)}}},
            {.Caption = L"&Options",
             .Name = L"MenuOptions",
             .Items = {{.Caption = L"&Date-Heure",
                        .Name = L"OptionDateHeure",
                        .OnClick = click(&TMainForm::BtnDateTimeClick)},
                       {.Caption = L"&Heure Zéro",
                        .Name = L"OptionHeureZero",
                        .OnClick = click(&TMainForm::BtnTimeZeroClick)},
                       Separator(),
                       {.Caption = L"&Majuscules",
                        .Name = L"OptionsMaj",
                        .OnClick = click(&TMainForm::BtnNameMajClick)},
                       {.Caption = L"Maj-m&inuscules",
                        .Name = L"OptionsMajMin",
                        .OnClick = click(&TMainForm::BtnNameMajMinClick)},
                       {.Caption = L"Min&uscules",
                        .Name = L"OptionsMin",
                        .OnClick = click(&TMainForm::BtnNameMinClick)},
                       Separator(),
                       {.Caption = L"Déca&ler les dates...",
                        .Name = L"OptionsDecaler",
                        .OnClick = click(&TMainForm::ShiftClick)},
                       {.Caption = L"&Copier une date...",
                        .Name = L"OptionsCopier",
                        .OnClick = click(&TMainForm::CopyStampClick)},
                       {.Caption = L"Dates d'un &autre fichier...",
                        .Name = L"OptionsAutreFichier",
                        .OnClick = click(&TMainForm::FromFileClick)},
                       {.Caption = L"Date de &prise de vue (photos)",
                        .Name = L"OptionsPriseDeVue",
                        .OnClick = click(&TMainForm::PhotoDateClick)},
                       {.Caption = L"Date du nom de &fichier...",
                        .Name = L"OptionsNomDeFichier",
                        .OnClick = click(&TMainForm::NameDateClick)},
                       {.Caption = L"Copier les dates d'une autre ar&borescence...",
                        .Name = L"OptionsArborescence",
                        .OnClick = click(&TMainForm::FromTreeClick)},
                       {.Caption = L"Recaler l'horlo&ge d'un appareil...",
                        .Name = L"OptionsRecalerHorloge",
                        .OnClick = click(&TMainForm::CameraClockClick)},
                       Separator(),
                       {.Caption = L"Inclure les &sous-dossiers",
                        .Name = L"OptionsSousDossiers",
                        .Made = &OptionsSousDossiers,
                        .OnClick = click(&TMainForm::SubFoldersClick)},
                       {.Caption = L"Inclure les dossiers &eux-mêmes",
                        .Name = L"OptionsDossiers",
                        .Made = &OptionsDossiers,
                        .OnClick = click(&TMainForm::FoldersClick)},
                       Separator(),
                       {.Caption = L"Dates de ce d&ossier...", // D is "&Date-Heure"'s
                        .Name = L"OptionsDatesDossier",
                        .OnClick = click(&TMainForm::FolderDatesClick)},
                       {.Caption = L"Dater les dossiers d'après leur con&tenu",
                        .Name = L"OptionsDossiersContenu",
                        .OnClick = click(&TMainForm::FolderContentClick)},
                       Separator(),
                       {.Caption = L"A&nnuler la dernière opération",
                        .Name = L"OptionsAnnuler",
                        .ShortCut = L"Ctrl+Z",
                        .OnClick = click(&TMainForm::UndoClick)}}},
            {.Caption = L"&?",
             .Name = L"MenuAide",
             .Items = {{.Caption = L"A &propos de Kavet24",
                        .Name = L"AideApropos",
                        .OnClick = click(&TMainForm::AideAproposClick)}}}});

    PopupAffichage = std::make_unique<Menu>(
        Menu::Kind::Popup,
        std::vector<MenuItemDesc>{view(L"PopGicones", PopGicones, L"&Grandes icônes", vsIcon),
                                  view(L"PopPicones", PopPicones, L"&Petites icônes", vsSmallIcon),
                                  view(L"PopListe", PopListe, L"&Liste", vsList),
                                  view(L"PopDetail", PopDetail, L"&Détail", vsReport, true)});

    SetMenuBar(MainMenu->ReleaseToWindow());
    accelerators_ = std::make_unique<Accelerators>(std::vector<const Menu*>{MainMenu.get()});
    SetAccelerators(accelerators_.get());
}
