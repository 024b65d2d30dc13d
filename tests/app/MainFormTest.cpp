// The main window on the real platform: its layout, menus, toolbars, view toggles, splitters,
// the settings it stores at close and the About box driven through the modal runner.
#include "app/MainForm.h"
#include "app/Propos.h"
#include "support/win/ScratchRegistryKey.h"
#include "ui/ExceptionDisplay.h"
#include "ui/ModalRunner.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

namespace {

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

bool IsSeparatorAt(HMENU menu, UINT position) {
    return (::GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR) != 0;
}

// The access key of an item's text: the letter after a single "&", upper-cased; none without one.
std::optional<wchar_t> AccessKey(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] != L'&')
            return static_cast<wchar_t>(reinterpret_cast<uintptr_t>(
                ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(text[i + 1])))));
        ++i;
    }
    return std::nullopt;
}

// Every item of `menu` and of its submenus that shares its access key with another item of the
// same level: there the keyboard reaches only the first.
void CollectAccessKeyClashes(HMENU menu, const std::wstring& where, std::vector<std::wstring>& clashes) {
    std::map<wchar_t, std::wstring> seen;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        const std::wstring text = MenuText(menu, static_cast<UINT>(i));
        if (const std::optional<wchar_t> key = AccessKey(text)) {
            const auto [at, fresh] = seen.emplace(*key, text);
            if (!fresh)
                clashes.push_back(where + L": « " + at->second + L" » and « " + text + L" »");
        }
        if (HMENU sub = ::GetSubMenu(menu, i))
            CollectAccessKeyClashes(sub, where + L" > " + text, clashes);
    }
}

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetExceptionSink([this](const std::wstring& text) { errors += text; });
        form = std::make_unique<TMainForm>(key.Path());
        ASSERT_TRUE(form->HandleAllocated());
        ::ShowWindow(form->Handle(), SW_SHOWNORMAL);
    }
    void TearDown() override {
        form.reset();
        SetExceptionSink({});
        EXPECT_EQ(errors, L"");
    }

    MenuItem& Item(const wchar_t* name) { return form->MainMenu->Item(name); }
    void ExpectButtonSizes(int width, int height, int dropDownWidth) {
        for (auto& [bar, name] : form->ToolButtons()) {
            const SIZE size = bar->ButtonSize(name);
            EXPECT_EQ(size.cx, name == L"BtnAffichage" ? dropDownWidth : width)
                << std::string(name.begin(), name.end());
            EXPECT_EQ(size.cy, height);
        }
    }
    void DragSplitter(Splitter& bar, int dx) {
        bar.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
        bar.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(dx, 5));
        bar.Send(WM_LBUTTONUP, 0, MAKELPARAM(0, 5));
    }

    ScratchRegistryKey key;
    std::wstring errors;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(MainFormTest, OpensAt102With750By550CaptionedWithTheListedFolder) {
    RECT r{};
    ::GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, 102);
    EXPECT_EQ(r.top, 102);
    EXPECT_EQ(r.right - r.left, 750);
    EXPECT_EQ(r.bottom - r.top, 550);
    EXPECT_EQ(form->Text().rfind(L"Kavet24 - ", 0), 0u)
        << "the first folder is listed while the window builds";
}

TEST_F(MainFormTest, LayoutHasThePanesOfTheDesign) {
    EXPECT_EQ(form->PanelDirTree.Width(), 320);
    EXPECT_EQ(form->PanelDisk.Height(), 20);
    EXPECT_EQ(form->PanelDisk.Text(), L"   Tous les dossiers");
    EXPECT_EQ(form->S1.Width(), TMainForm::kSplitterWidth);
    EXPECT_EQ(form->PanelEdit.Height(), 23);
    EXPECT_EQ(form->PanelDirName.Width(), 300); // the stored PanelWidth's default
    EXPECT_EQ(form->S2.Width(), 2);
    EXPECT_EQ(form->EditMask.Text(), L"*.*");
    EXPECT_EQ(form->Mask, L"*.*");
    EXPECT_TRUE(::GetWindowLongW(form->EditMask.Handle(), GWL_STYLE) & ES_UPPERCASE);
    EXPECT_EQ(form->PanelFileList.WindowRectInParent().left,
              form->PanelDirTree.WindowRectInParent().right + TMainForm::kSplitterWidth);
    ASSERT_TRUE(form->Listing);
    EXPECT_EQ(form->Listing->SortKey, 1);
    EXPECT_TRUE(form->TreeChangeEnabled);
}

TEST_F(MainFormTest, LayoutRuleLinesUpTheBoxesAndTheStatusPanel) {
    EXPECT_EQ(form->EditDirName.Width(), form->PanelDirName.Width());
    EXPECT_EQ(form->EditMask.Width(), form->PanelMask.Width());
    EXPECT_EQ(form->StatusBar.PanelWidth(0), form->PanelDirTree.Width());
    EXPECT_EQ(form->StatusBar.PanelWidth(1), -1);
}

TEST_F(MainFormTest, UsesVerdanaOnAModernSystem) {
    EXPECT_EQ(form->FontName(), L"Verdana");
}

TEST_F(MainFormTest, ToolbarsHoldTheirButtonsWithCaptionsAndHints) {
    EXPECT_EQ(form->Standard.ButtonNames(), (std::vector<std::wstring>{L"BtnParent", L"BtnAffichage"}));
    EXPECT_EQ(form->BarOptions.ButtonNames(),
              (std::vector<std::wstring>{L"BtnDateTime", L"BtnZeroHeure", L"BtnNameMaj", L"BtnNameMajMin",
                                         L"BtnNameMin", L"BtnAnnuler"}));
    EXPECT_EQ(form->BarOptions.ButtonHint(L"BtnAnnuler"), L"Annuler la dernière opération");
    EXPECT_EQ(form->Standard.ButtonCaption(L"BtnAffichage"), L"Affichage");
    EXPECT_EQ(form->BarOptions.ButtonCaption(L"BtnZeroHeure"), L"Heure");
    EXPECT_EQ(form->BarOptions.ButtonHint(L"BtnZeroHeure"), L"Heure Zéro");
    EXPECT_EQ(form->BarOptions.ButtonHint(L"BtnNameMajMin"), L"Maj-minuscules");
    EXPECT_EQ(form->BarOptions.ButtonHint(L"BtnDateTime"), L"Date-Heure");
    EXPECT_TRUE(form->Standard.ButtonHasDropDown(L"BtnAffichage"));
    EXPECT_EQ(form->Standard.Caption(), L"Standard");
    EXPECT_EQ(form->BarOptions.Caption(), L"Options");
}

TEST_F(MainFormTest, CaptionToggleSwitchesButtonSizesBothWays) {
    ExpectButtonSizes(70, 45, 70);
    Item(L"AffichageCaptions").Click();
    EXPECT_FALSE(form->Settings.ShowCaptions);
    EXPECT_FALSE(Item(L"AffichageCaptions").Checked());
    ExpectButtonSizes(30, 30, 40);
    EXPECT_EQ(form->BarOptions.ButtonCaption(L"BtnNameMaj"), L"");
    Item(L"AffichageCaptions").Click();
    EXPECT_TRUE(Item(L"AffichageCaptions").Checked());
    ExpectButtonSizes(70, 45, 70);
    EXPECT_EQ(form->BarOptions.ButtonCaption(L"BtnNameMaj"), L"Majuscules");
}

TEST_F(MainFormTest, HidingAndShowingTheExplorerPaneLeavesTheSplitterTwoWide) {
    Item(L"AffichageVolet").Click();
    EXPECT_FALSE(form->PanelDirTree.Visible());
    EXPECT_EQ(form->S1.Width(), 0);
    EXPECT_EQ(form->PanelFileList.WindowRectInParent().left, 0);
    EXPECT_FALSE(Item(L"AffichageVolet").Checked());
    Item(L"AffichageVolet").Click();
    EXPECT_TRUE(form->PanelDirTree.Visible());
    EXPECT_EQ(form->S1.Width(), 2);
    EXPECT_EQ(form->PanelFileList.WindowRectInParent().left, 322);
    EXPECT_TRUE(Item(L"AffichageVolet").Checked());
}

TEST_F(MainFormTest, StatusBarAndAddressBarTogglesHideAndShowThem) {
    Item(L"AffichageEtat").Click();
    EXPECT_FALSE(form->StatusBar.Visible());
    EXPECT_FALSE(form->Settings.ShowState);
    Item(L"AffichageAdr").Click();
    EXPECT_FALSE(form->PanelEdit.Visible());
    EXPECT_FALSE(form->Settings.ShowAdr);
    EXPECT_EQ(form->FileListPlace.WindowRectInParent().top, 0);
    Item(L"AffichageAdr").Click();
    EXPECT_TRUE(form->PanelEdit.Visible());
    EXPECT_EQ(form->FileListPlace.WindowRectInParent().top, 23);
}

TEST_F(MainFormTest, ToolbarTogglesFollowTheBarsVisibilityAndAreNotSettings) {
    const SettingsRecord before = form->Settings;
    Item(L"AffichageStandard").Click();
    EXPECT_FALSE(form->Standard.Visible());
    EXPECT_FALSE(Item(L"AffichageStandard").Checked());
    Item(L"AffichageBarOptions").Click();
    EXPECT_FALSE(form->BarOptions.Visible());
    EXPECT_FALSE(form->DockTop.Visible());
    Item(L"AffichageStandard").Click();
    EXPECT_TRUE(form->Standard.Visible());
    EXPECT_TRUE(form->DockTop.Visible());
    EXPECT_EQ(form->Settings, before);
}

TEST_F(MainFormTest, GridItemWorksOnlyInTheDetailsView) {
    EXPECT_TRUE(Item(L"AffichageGrille").Enabled());
    EXPECT_TRUE(Item(L"AffichageGrille").Checked());
    Item(L"AffichageListe").Click();
    EXPECT_FALSE(Item(L"AffichageGrille").Enabled());
    EXPECT_TRUE(form->PopupAffichage->Item(L"PopListe").Checked());
    EXPECT_FALSE(form->PopupAffichage->Item(L"PopDetail").Checked());
    form->AffichageGrilleClick(); // even when called directly it does nothing outside Details
    EXPECT_TRUE(form->Settings.ShowGrid);
    form->PopupAffichage->Item(L"PopDetail").Click();
    EXPECT_TRUE(Item(L"AffichageDetail").Checked());
    EXPECT_TRUE(Item(L"AffichageGrille").Enabled());
    Item(L"AffichageGrille").Click();
    EXPECT_FALSE(form->Settings.ShowGrid);
    EXPECT_FALSE(Item(L"AffichageGrille").Checked());
}

TEST_F(MainFormTest, AffichageButtonStepsThroughTheViewStyles) {
    const int expected[] = {1, 2, 3, 4, 1};
    for (int tag : expected) {
        form->Standard.ClickButton(L"BtnAffichage");
        EXPECT_EQ(form->ViewStyleTag(), tag);
    }
    EXPECT_TRUE(Item(L"AffichageGIcones").Checked());
    EXPECT_TRUE(form->PopupAffichage->Item(L"PopGicones").Checked());
}

TEST_F(MainFormTest, MenuBarHasTheCaptionsAccessKeysAndSeparators) {
    HMENU bar = ::GetMenu(form->Handle());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(::GetMenuItemCount(bar), 4);
    EXPECT_EQ(MenuText(bar, 0), L"&Fichier");
    EXPECT_EQ(MenuText(bar, 1), L"&Affichage");
    EXPECT_EQ(MenuText(bar, 2), L"&Options");
    EXPECT_EQ(MenuText(bar, 3), L"&?");
    EXPECT_EQ(MenuText(::GetSubMenu(bar, 0), 0), L"&Quitter");

    HMENU view = ::GetSubMenu(bar, 1);
    const wchar_t* expected[] = {L"Barre d'ou&tils",
                                 L"Ba&rre d'état",
                                 L"&Volet d'exploration",
                                 nullptr,
                                 L"&Grandes icônes",
                                 L"&Petites icônes",
                                 L"&Liste",
                                 L"&Détails",
                                 nullptr,
                                 L"&Afficher la grille",
                                 nullptr,
                                 L"Réorga&niser les icônes",
                                 nullptr,
                                 L"Actualis&er\tF5",
                                 nullptr,
                                 L"&Options..."};
    ASSERT_EQ(::GetMenuItemCount(view), static_cast<int>(std::size(expected)));
    for (UINT i = 0; i < std::size(expected); ++i) {
        if (expected[i])
            EXPECT_EQ(MenuText(view, i), expected[i]) << i;
        else
            EXPECT_TRUE(IsSeparatorAt(view, i)) << i;
    }
    HMENU tools = ::GetSubMenu(view, 0);
    EXPECT_EQ(MenuText(tools, 0), L"Bou&tons standards");
    EXPECT_EQ(MenuText(tools, 1), L"Boutons &options");
    EXPECT_EQ(MenuText(tools, 2), L"&Barre d'adresse");
    EXPECT_TRUE(IsSeparatorAt(tools, 3));
    EXPECT_EQ(MenuText(tools, 4), L"Etiquettes te&xte");

    HMENU options = ::GetSubMenu(bar, 2);
    const wchar_t* optionTexts[] = {L"&Date-Heure",
                                    L"&Heure Zéro",
                                    nullptr,
                                    L"&Majuscules",
                                    L"Maj-m&inuscules",
                                    L"Min&uscules",
                                    nullptr,
                                    L"Déca&ler les dates...",
                                    L"&Copier une date...",
                                    L"Dates d'un &autre fichier...",
                                    L"Date de &prise de vue (photos)",
                                    nullptr,
                                    L"Inclure les &sous-dossiers",
                                    nullptr,
                                    L"A&nnuler la dernière opération\tCtrl+Z"};
    ASSERT_EQ(::GetMenuItemCount(options), 15);
    for (UINT i = 0; i < 15; ++i) {
        if (optionTexts[i])
            EXPECT_EQ(MenuText(options, i), optionTexts[i]);
        else
            EXPECT_TRUE(IsSeparatorAt(options, i));
    }
    EXPECT_EQ(MenuText(::GetSubMenu(bar, 3), 0), L"A &propos de Kavet24");
}

TEST_F(MainFormTest, NoTwoItemsOfAMenuShareAnAccessKey) {
    std::vector<std::wstring> clashes;
    CollectAccessKeyClashes(::GetMenu(form->Handle()), L"barre de menus", clashes);
    CollectAccessKeyClashes(form->PopupAffichage->Handle(), L"menu Affichage", clashes);
    std::wstring all;
    for (const std::wstring& clash : clashes)
        all += clash + L"\n";
    EXPECT_TRUE(clashes.empty()) << std::string(all.begin(), all.end());
    // The check itself finds a clash.
    EXPECT_EQ(AccessKey(L"Date-&Heure"), L'H');
    EXPECT_EQ(AccessKey(L"&heure"), L'H');
    EXPECT_EQ(AccessKey(L"R && D"), std::nullopt);
}

TEST_F(MainFormTest, ViewItemsAndSortCommandsCarryTheirTags) {
    EXPECT_EQ(Item(L"AffichageGIcones").Tag(), 1);
    EXPECT_EQ(Item(L"AffichagePIcones").Tag(), 2);
    EXPECT_EQ(Item(L"AffichageListe").Tag(), 3);
    EXPECT_EQ(Item(L"AffichageDetail").Tag(), 4);
    EXPECT_TRUE(Item(L"AffichageDetail").Checked());
    const wchar_t* pop[] = {L"PopGicones", L"PopPicones", L"PopListe", L"PopDetail"};
    const wchar_t* popTexts[] = {L"&Grandes icônes", L"&Petites icônes", L"&Liste", L"&Détail"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(form->PopupAffichage->Item(pop[i]).Tag(), i + 1);
        EXPECT_EQ(form->PopupAffichage->Item(pop[i]).Caption(), popTexts[i]);
    }
    EXPECT_TRUE(form->PopupAffichage->Item(L"PopDetail").Checked());
    const std::pair<const wchar_t*, const wchar_t*> sorts[] = {
        {L"ReorganiseNom", L"Par &nom de fichiers"},
        {L"ReorganiseTaille", L"Par tai&lle de fichiers"},
        {L"ReorganiseCreation", L"Par date de &création"},
        {L"ReorganiseModification", L"Par date de &modification"},
        {L"ReorganiseAcces", L"Par date de dernier &accés"},
        {L"ReorganiseNomDos", L"Par nom &Dos de fichiers"},
        {L"ReorganiseAttribut", L"Par att&ributs de fichiers"},
        {L"ReorganiseType", L"Par &type de fichiers"}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Item(sorts[i].first).Tag(), i);
        EXPECT_EQ(Item(sorts[i].first).Caption(), sorts[i].second);
    }
    EXPECT_EQ(Item(L"AffichageActualiser").ShortCut(), L"F5");
}

TEST_F(MainFormTest, MovingTheSplittersUpdatesTheStoredWidths) {
    DragSplitter(form->S1, -70);
    EXPECT_EQ(form->PanelDirTree.Width(), 250);
    EXPECT_EQ(form->Settings.DirTreeWidth, 250);
    EXPECT_EQ(form->StatusBar.PanelWidth(0), 250);
    DragSplitter(form->S2, 40);
    EXPECT_EQ(form->Settings.PanelWidth, 340);
    EXPECT_EQ(form->EditDirName.Width(), 340);
}

TEST_F(MainFormTest, StoredWidthsAndViewOptionsComeBackAtTheNextRun) {
    DragSplitter(form->S1, -70);
    Item(L"AffichageCaptions").Click();
    Item(L"AffichageEtat").Click();
    form->Close();
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_EQ(ScratchRegistryKey::Dword(key / L"Options", L"DirTreeWidth"), 250u);
    EXPECT_EQ(ScratchRegistryKey::Text(key.Path(), L"Version"), L"2.0.0.0");

    form = std::make_unique<TMainForm>(key.Path());
    EXPECT_EQ(form->PanelDirTree.Width(), 250);
    EXPECT_FALSE(form->Settings.ShowCaptions);
    EXPECT_FALSE(form->StatusBar.Visible());
    EXPECT_FALSE(Item(L"AffichageEtat").Checked());
    ExpectButtonSizes(30, 30, 40);
}

TEST_F(MainFormTest, ColumnLayoutOfAnotherTypeGivesTheDefaultLayoutAndTheStartCompletes) {
    form.reset();
    ScratchRegistryKey::PutDword(key / L"Columns", L"Sizes", 80);
    form = std::make_unique<TMainForm>(key.Path());
    EXPECT_TRUE(form->TreeChangeEnabled);
    EXPECT_EQ(form->Text().rfind(L"Kavet24 - ", 0), 0u) << "the first folder was listed";
    EXPECT_EQ(form->FileList->ColumnWidth(0), 120);
}

TEST_F(MainFormTest, FailedBuildStillLetsTheTreeListAFolder) {
    form.reset();
    // The column layout's key cannot be made under a name longer than the registry allows.
    form = std::make_unique<TMainForm>(key.Path() + L"\\" + std::wstring(300, L'k'));
    EXPECT_NE(errors, L"");
    EXPECT_TRUE(form->TreeChangeEnabled);
    form.reset();
    errors.clear();
}

TEST_F(MainFormTest, AboutBoxOpensModallyWithTheMainFontAndItsTexts) {
    std::wstring caption, program, author, opened;
    RECT client{};
    bool openAfterClick = false;
    LinkLabel::SetOpener([&](const std::wstring& url) { opened = url; });
    {
        ScopedModalRunner runner([&](Form& shown) {
            auto& box = dynamic_cast<TPropos&>(shown);
            caption = box.Text();
            client = box.ClientRect();
            program = box.LabelPrg.Text();
            author = box.LabelAuteur.Text();
            EXPECT_EQ(box.FontName(), form->FontName());
            box.ASLink2.Click();
            openAfterClick = box.Visible() && box.GetModalResult() == mrNone;
        });
        Item(L"AideApropos").Click();
    }
    LinkLabel::SetOpener({});
    EXPECT_EQ(caption, L"A Propos de...");
    EXPECT_EQ(client.right, 285);
    EXPECT_EQ(client.bottom, 82);
    EXPECT_EQ(program, L"Kavet24 " KAVET_VERSION_TEXT) << "the version of CMakeLists.txt";
    EXPECT_FALSE(author.empty());
    EXPECT_EQ(opened, std::wstring(L"http://") + TPropos::kAddress);
    EXPECT_TRUE(openAfterClick);
    EXPECT_TRUE(form->Enabled());
}

TEST_F(MainFormTest, QuitClosesTheWindowAndStoresTheSettings) {
    Item(L"FileQuitter").Click();
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_TRUE(ScratchRegistryKey::KeyExists(key / L"Options"));
    EXPECT_TRUE(ScratchRegistryKey::KeyExists(key / L"Application"));
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // the main window ends the loop
}
