// The two toolbars of the main window and the sizes of their buttons.
#include "app/MainForm.h"

#include "app/ToolGlyphs.h"

namespace {

constexpr int kCaptionWidth = 70;
constexpr int kCaptionHeight = 45;
constexpr int kGlyphOnlySize = 30;
constexpr int kDropDownGlyphOnlyWidth = 40; // room for the drop-down arrow

} // namespace

void TMainForm::CreateToolbars() {
    Standard.Create(DockTop.Handle(), L"Standard", MakeGlyphList(kToolGlyphSize, ToolGlyphPainters(), Dpi()),
                    {{.Name = L"BtnParent",
                      .Caption = L"Parent",
                      .Glyph = kGlyphParent,
                      .OnClick = [this] { BtnParentClick(); }},
                     {.Name = L"BtnAffichage",
                      .Caption = L"Affichage",
                      .Glyph = kGlyphAffichage,
                      .DropDown = true,
                      .OnClick = [this] { BtnAffichageClick(); },
                      .OnDropDown = [this](POINT p) { BtnAffichageDropDown(p); }}});
    BarOptions.Create(DockTop.Handle(), L"Options", MakeGlyphList(kToolGlyphSize, ToolGlyphPainters(), Dpi()),
                      {{.Name = L"BtnDateTime",
                        .Caption = L"Date-Heure",
                        .Glyph = kGlyphDateTime,
                        .OnClick = [this] { BtnDateTimeClick(); }},
                       {.Name = L"BtnZeroHeure",
                        .Caption = L"Heure",
                        .Hint = L"Heure Zéro",
                        .Glyph = kGlyphZero,
                        .OnClick = [this] { BtnTimeZeroClick(); }},
                       {.Name = L"BtnNameMaj",
                        .Caption = L"Majuscules",
                        .Glyph = kGlyphMaj,
                        .OnClick = [this] { BtnNameMajClick(); }},
                       {.Name = L"BtnNameMajMin",
                        .Caption = L"Maj-min",
                        .Hint = L"Maj-minuscules",
                        .Glyph = kGlyphMajMin,
                        .OnClick = [this] { BtnNameMajMinClick(); }},
                       {.Name = L"BtnNameMin",
                        .Caption = L"Minuscules",
                        .Glyph = kGlyphMin,
                        .OnClick = [this] { BtnNameMinClick(); }},
                       {.Name = L"BtnAnnuler",
                        .Caption = L"Annuler",
                        .Hint = L"Annuler la dernière opération",
                        .Glyph = kGlyphUndo,
                        .OnClick = [this] { UndoClick(); }}});
    DockTop.Add(Standard);
    DockTop.Add(BarOptions);
    SizeToolButtons();
}

std::vector<std::pair<Toolbar*, std::wstring>> TMainForm::ToolButtons() {
    std::vector<std::pair<Toolbar*, std::wstring>> all;
    for (Toolbar* bar : {&Standard, &BarOptions})
        for (const std::wstring& name : bar->ButtonNames())
            all.emplace_back(bar, name);
    return all;
}

void TMainForm::SizeToolButtons() {
    const bool captions = Settings.ShowCaptions;
    for (Toolbar* bar : {&Standard, &BarOptions})
        bar->SetShowCaptions(captions);
    for (auto& [bar, name] : ToolButtons()) {
        if (captions)
            bar->SetButtonSize(name, Scale(kCaptionWidth), Scale(kCaptionHeight));
        else if (bar->ButtonHasDropDown(name))
            bar->SetButtonSize(name, Scale(kDropDownGlyphOnlyWidth), Scale(kGlyphOnlySize));
        else
            bar->SetButtonSize(name, Scale(kGlyphOnlySize), Scale(kGlyphOnlySize));
    }
    DockTop.Arrange();
}
