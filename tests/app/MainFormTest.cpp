// The main window on the real platform: its layout, menus, toolbars, view toggles, splitters,
// the settings it stores at close and the About box driven through the modal runner.
#include "MainFormFixture.h"

#include "app/Propos.h"
#include "ui/ModalRunner.h"

#include <map>
#include <optional>
#include <vector>

namespace {

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

// Reads every item of `menu` back from the window's menu, level by level: an item with no access
// key, or one that shares its key with another item of the same level (there the keyboard reaches
// only the first), is a fault.
void CollectAccessKeyFaults(HMENU menu, const std::wstring& where, std::vector<std::wstring>& faults) {
    std::map<wchar_t, std::wstring> seen;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 256;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
            faults.push_back(where + L": item " + std::to_wstring(i) + L" unreadable");
            continue;
        }
        if (info.fType & MFT_SEPARATOR)
            continue;
        const std::optional<wchar_t> key = AccessKey(text);
        if (!key) {
            faults.push_back(where + L": « " + text + L" » has no access key");
        } else if (const auto [at, fresh] = seen.emplace(*key, text); !fresh) {
            faults.push_back(where + L": « " + at->second + L" » and « " + text + L" »");
        }
        if (info.hSubMenu)
            CollectAccessKeyFaults(info.hSubMenu, where + L" > " + text, faults);
    }
}

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

class MainFormTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        folder.MakeFolder(L"picked");
        folder.MakeFile(L"picked\\picked.txt");
        OpenWindow();
    }

    // Every button's size; the drop-down button is wider when the captions are off.
    void ExpectButtonSizes(int width, int height, int dropDownWidth) {
        const std::vector<ToolButton> buttons = ToolButtons(Window());
        ASSERT_EQ(buttons.size(), 8u);
        for (const ToolButton& button : buttons) {
            const SIZE size = ToolButtonSize(button);
            EXPECT_EQ(size.cx, ToolButtonHasDropDown(button) ? dropDownWidth : width) << button.index;
            EXPECT_EQ(size.cy, height);
        }
    }
    std::wstring Caption(const wchar_t* tip) {
        const std::optional<ToolButton> button = FindToolButton(Window(), tip);
        EXPECT_TRUE(button) << "no button with the tip";
        return button ? ToolButtonCaption(*button) : L"?";
    }
    // The panes, found from the controls they hold.
    HWND TreePane() const { return ::GetParent(::GetParent(Tree())); }
    HWND ListPane() const { return ::GetParent(::GetParent(List())); }
    HWND ListPlace() const { return ::GetParent(List()); }
    HWND AddressPane() const { return ::GetParent(::GetParent(AddressBox(Window()))); }
    HWND Splitter(bool second) const {
        for (HWND bar : ChildrenOfClass(Window(), L"KavetSplitter"))
            if ((::GetParent(bar) == Window()) != second)
                return bar;
        return nullptr;
    }
    void DragSplitter(HWND bar, int dx) {
        ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
        ::SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(dx, 5));
        ::SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(0, 5));
    }
    bool Visible(HWND hwnd) const { return ::IsWindowVisible(hwnd) != FALSE; }
    // Picking a folder lists it: the window's re-lists are on.
    void ExpectAFolderPickedIsListed() {
        GoTo(folder / L"picked");
        EXPECT_EQ(ListNames(List()), Names{L"picked.txt"});
        EXPECT_NE(WindowText(Window()).find(L"picked"), std::wstring::npos);
    }
};

} // namespace

TEST_F(MainFormTest, OpensAt102With750By550CaptionedWithTheListedFolder) {
    RECT r{};
    ::GetWindowRect(Window(), &r);
    EXPECT_EQ(r.left, 102);
    EXPECT_EQ(r.top, 102);
    EXPECT_EQ(r.right - r.left, 750);
    EXPECT_EQ(r.bottom - r.top, 550);
    EXPECT_EQ(WindowText(Window()).rfind(L"Kavet24 - ", 0), 0u)
        << "the first folder is listed while the window builds";
}

TEST_F(MainFormTest, LayoutHasThePanesOfTheDesign) {
    EXPECT_EQ(WindowWidth(TreePane()), 320);
    std::optional<HWND> disk;
    for (HWND panel : ChildrenOfClass(TreePane(), L"KavetPanel"))
        if (WindowText(panel) == L"   Tous les dossiers")
            disk = panel;
    ASSERT_TRUE(disk);
    EXPECT_EQ(WindowHeight(*disk), 20);
    EXPECT_EQ(WindowWidth(Splitter(false)), TMainForm::kSplitterWidth);
    EXPECT_EQ(WindowHeight(AddressPane()), 23);
    EXPECT_EQ(WindowWidth(::GetParent(AddressBox(Window()))), 300); // the stored PanelWidth's default
    EXPECT_EQ(WindowWidth(Splitter(true)), 2);
    EXPECT_EQ(WindowText(MaskBox(Window())), L"*.*");
    EXPECT_EQ(RectInParent(ListPane()).left, RectInParent(TreePane()).right + TMainForm::kSplitterWidth);
    ExpectAFolderPickedIsListed();
}

TEST_F(MainFormTest, LayoutRuleLinesUpTheBoxesAndTheStatusPanel) {
    EXPECT_EQ(WindowWidth(AddressBox(Window())), WindowWidth(::GetParent(AddressBox(Window()))));
    EXPECT_EQ(WindowWidth(MaskBox(Window())), WindowWidth(::GetParent(MaskBox(Window()))));
    const std::vector<int> edges = StatusPartEdges(Window());
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_EQ(edges[0], WindowWidth(TreePane()));
    EXPECT_EQ(edges[1], -1);
}

TEST_F(MainFormTest, UsesVerdanaOnAModernSystem) {
    EXPECT_EQ(form->FontName(), L"Verdana");
}

TEST_F(MainFormTest, ToolbarsHoldTheirButtonsWithCaptionsAndHints) {
    std::vector<std::wstring> bars;
    std::vector<std::vector<std::wstring>> tips;
    for (const ToolButton& button : ToolButtons(Window())) {
        if (bars.empty() || WindowText(button.bar) != bars.back()) {
            bars.push_back(WindowText(button.bar));
            tips.emplace_back();
        }
        tips.back().push_back(ToolTipOf(button.bar, button.id));
    }
    EXPECT_EQ(bars, (std::vector<std::wstring>{L"Standard", L"Options"}));
    ASSERT_EQ(tips.size(), 2u);
    EXPECT_EQ(tips[0], (std::vector<std::wstring>{L"Parent", L"Affichage"}));
    EXPECT_EQ(tips[1],
              (std::vector<std::wstring>{L"Date-Heure", L"Heure Zéro", L"Majuscules", L"Maj-minuscules",
                                         L"Minuscules", L"Annuler la dernière opération"}));
    EXPECT_EQ(Caption(L"Affichage"), L"Affichage");
    EXPECT_EQ(Caption(L"Heure Zéro"), L"Heure");
    EXPECT_EQ(Caption(L"Maj-minuscules"), L"Maj-min");
    EXPECT_EQ(Caption(L"Annuler la dernière opération"), L"Annuler");
    EXPECT_TRUE(ToolButtonHasDropDown(*FindToolButton(Window(), L"Affichage")));
}

TEST_F(MainFormTest, CaptionToggleSwitchesButtonSizesBothWays) {
    ExpectButtonSizes(70, 45, 70);
    Choose(L"Etiquettes texte");
    EXPECT_FALSE(Checked(L"Etiquettes texte"));
    ExpectButtonSizes(30, 30, 40);
    EXPECT_EQ(Caption(L"Majuscules"), L"");
    Choose(L"Etiquettes texte");
    EXPECT_TRUE(Checked(L"Etiquettes texte"));
    ExpectButtonSizes(70, 45, 70);
    EXPECT_EQ(Caption(L"Majuscules"), L"Majuscules");
}

TEST_F(MainFormTest, HidingAndShowingTheExplorerPaneLeavesTheSplitterTwoWide) {
    Choose(L"Volet d'exploration");
    EXPECT_FALSE(Visible(TreePane()));
    EXPECT_EQ(WindowWidth(Splitter(false)), 0);
    EXPECT_EQ(RectInParent(ListPane()).left, 0);
    EXPECT_FALSE(Checked(L"Volet d'exploration"));
    Choose(L"Volet d'exploration");
    EXPECT_TRUE(Visible(TreePane()));
    EXPECT_EQ(WindowWidth(Splitter(false)), 2);
    EXPECT_EQ(RectInParent(ListPane()).left, 322);
    EXPECT_TRUE(Checked(L"Volet d'exploration"));
}

TEST_F(MainFormTest, StatusBarAndAddressBarTogglesHideAndShowThem) {
    Choose(L"Barre d'état");
    EXPECT_FALSE(Visible(StatusBarOf(Window())));
    EXPECT_FALSE(Checked(L"Barre d'état"));
    Choose(L"Barre d'adresse");
    EXPECT_FALSE(Visible(AddressPane()));
    EXPECT_FALSE(Checked(L"Barre d'adresse"));
    EXPECT_EQ(RectInParent(ListPlace()).top, 0);
    Choose(L"Barre d'adresse");
    EXPECT_TRUE(Visible(AddressPane()));
    EXPECT_EQ(RectInParent(ListPlace()).top, 23);
    form->Close();
    const SettingsRecord stored = StoredSettings();
    EXPECT_FALSE(stored.ShowState);
    EXPECT_TRUE(stored.ShowAdr);
}

TEST_F(MainFormTest, ToolbarTogglesFollowTheBarsVisibilityAndAreNotSettings) {
    RestartWindow();
    const SettingsRecord before = StoredSettings();
    const HWND standard = FindToolButton(Window(), L"Parent")->bar;
    const HWND options = FindToolButton(Window(), L"Majuscules")->bar;
    const HWND dock = ::GetParent(standard);
    Choose(L"Boutons standards");
    EXPECT_FALSE(Visible(standard));
    EXPECT_FALSE(Checked(L"Boutons standards"));
    Choose(L"Boutons options");
    EXPECT_FALSE(Visible(options));
    EXPECT_FALSE(Visible(dock));
    Choose(L"Boutons standards");
    EXPECT_TRUE(Visible(standard));
    EXPECT_TRUE(Visible(dock));
    form->Close();
    EXPECT_EQ(StoredSettings(), before);
}

TEST_F(MainFormTest, GridItemWorksOnlyInTheDetailsView) {
    const HMENU popup = form->ViewStyleMenuHandle();
    EXPECT_TRUE(MenuEnabled(Window(), L"Afficher la grille"));
    EXPECT_TRUE(Checked(L"Afficher la grille"));
    EXPECT_TRUE(ListExtendedStyle(List()) & LVS_EX_GRIDLINES);
    Choose(L"Liste");
    EXPECT_FALSE(MenuEnabled(Window(), L"Afficher la grille"));
    EXPECT_TRUE(MenuItemChecked(popup, L"Liste"));
    EXPECT_FALSE(MenuItemChecked(popup, L"Détail"));
    Choose(L"Afficher la grille"); // even when its command comes, it does nothing outside Details
    EXPECT_TRUE(ListExtendedStyle(List()) & LVS_EX_GRIDLINES);
    EXPECT_TRUE(Checked(L"Afficher la grille"));
    ChooseMenuItem(Window(), popup, L"Détail");
    EXPECT_TRUE(Checked(L"Détails"));
    EXPECT_TRUE(MenuEnabled(Window(), L"Afficher la grille"));
    Choose(L"Afficher la grille");
    EXPECT_FALSE(ListExtendedStyle(List()) & LVS_EX_GRIDLINES);
    EXPECT_FALSE(Checked(L"Afficher la grille"));
    form->Close();
    EXPECT_FALSE(StoredSettings().ShowGrid);
}

TEST_F(MainFormTest, AffichageButtonStepsThroughTheViewStyles) {
    const DWORD expected[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT, LVS_ICON};
    for (DWORD style : expected) {
        Click(L"Affichage");
        EXPECT_EQ(ListViewStyle(List()), style);
    }
    EXPECT_TRUE(Checked(L"Grandes icônes"));
    EXPECT_TRUE(MenuItemChecked(form->ViewStyleMenuHandle(), L"Grandes icônes"));
}

TEST_F(MainFormTest, EveryMenuItemHasAnAccessKeyOfItsOwnWithinItsMenu) {
    HMENU bar = ::GetMenu(Window());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::GetMenuItemCount(bar), 4);
    std::vector<std::wstring> faults;
    CollectAccessKeyFaults(bar, L"barre de menus", faults);
    CollectAccessKeyFaults(form->ViewStyleMenuHandle(), L"menu Affichage", faults);
    std::wstring all;
    for (const std::wstring& fault : faults)
        all += fault + L"\n";
    EXPECT_TRUE(faults.empty()) << std::string(all.begin(), all.end());
    // The check itself finds a key, a doubled "&" is none.
    EXPECT_EQ(AccessKey(L"Date-&Heure"), L'H');
    EXPECT_EQ(AccessKey(L"&heure"), L'H');
    EXPECT_EQ(AccessKey(L"R && D"), std::nullopt);
}

TEST_F(MainFormTest, ViewItemsOfBothMenusSetTheListsStyleAndCheckEachOther) {
    const HMENU popup = form->ViewStyleMenuHandle();
    EXPECT_TRUE(Checked(L"Détails"));
    EXPECT_TRUE(MenuItemChecked(popup, L"Détail"));
    const std::pair<const wchar_t*, DWORD> bar[] = {{L"Grandes icônes", LVS_ICON},
                                                    {L"Petites icônes", LVS_SMALLICON},
                                                    {L"Liste", LVS_LIST},
                                                    {L"Détails", LVS_REPORT}};
    const wchar_t* pop[] = {L"&Grandes icônes", L"&Petites icônes", L"&Liste", L"&Détail"};
    ASSERT_EQ(::GetMenuItemCount(popup), 4);
    for (UINT i = 0; i < 4; ++i) {
        Choose(bar[i].first);
        EXPECT_EQ(ListViewStyle(List()), bar[i].second) << i;
        EXPECT_TRUE(MenuItemChecked(popup, PlainMenuText(popup, i))) << i;
        Choose(L"Détails");
        EXPECT_EQ(MenuText(popup, i), pop[i]);
        ChooseMenuItem(Window(), popup, PlainMenuText(popup, i));
        EXPECT_EQ(ListViewStyle(List()), bar[i].second) << i;
        EXPECT_TRUE(Checked(bar[i].first)) << i;
    }
    const std::optional<MenuSpot> arrange = FindMenuItem(::GetMenu(Window()), L"Réorganiser les icônes");
    ASSERT_TRUE(arrange);
    const HMENU sorts = ::GetSubMenu(arrange->menu, static_cast<int>(arrange->position));
    const wchar_t* sortTexts[] = {L"Par &nom de fichiers",       L"Par tai&lle de fichiers",
                                  L"Par date de &création",      L"Par date de &modification",
                                  L"Par date de dernier &accés", L"Par nom &Dos de fichiers",
                                  L"Par att&ributs de fichiers", L"Par &type de fichiers"};
    ASSERT_EQ(::GetMenuItemCount(sorts), 8);
    for (UINT i = 0; i < 8; ++i)
        EXPECT_EQ(MenuText(sorts, i), sortTexts[i]);
    const std::optional<MenuSpot> refresh = FindMenuItem(::GetMenu(Window()), L"Actualiser");
    ASSERT_TRUE(refresh);
    EXPECT_EQ(MenuText(refresh->menu, refresh->position), L"Actualis&er\tF5");
}

TEST_F(MainFormTest, MovingTheSplittersUpdatesTheStoredWidths) {
    DragSplitter(Splitter(false), -70);
    EXPECT_EQ(WindowWidth(TreePane()), 250);
    EXPECT_EQ(StatusPartEdges(Window())[0], 250);
    DragSplitter(Splitter(true), 40);
    EXPECT_EQ(WindowWidth(AddressBox(Window())), 340);
    form->Close();
    EXPECT_EQ(StoredSettings().DirTreeWidth, 250);
    EXPECT_EQ(StoredSettings().PanelWidth, 340);
}

TEST_F(MainFormTest, StoredWidthsAndViewOptionsComeBackAtTheNextRun) {
    DragSplitter(Splitter(false), -70);
    Choose(L"Etiquettes texte");
    Choose(L"Barre d'état");
    form->Close();
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_EQ(ScratchRegistryKey::Dword(key / L"Options", L"DirTreeWidth"), 250u);
    EXPECT_EQ(ScratchRegistryKey::Text(key.Path(), L"Version"), L"2.0.0.0");
    EXPECT_FALSE(StoredSettings().ShowCaptions);

    OpenWindowOnStoredSettings();
    EXPECT_EQ(WindowWidth(TreePane()), 250);
    EXPECT_FALSE(Checked(L"Etiquettes texte"));
    EXPECT_FALSE(Visible(StatusBarOf(Window())));
    EXPECT_FALSE(Checked(L"Barre d'état"));
    ExpectButtonSizes(30, 30, 40);
}

TEST_F(MainFormTest, ColumnLayoutOfAnotherTypeGivesTheDefaultLayoutAndTheStartCompletes) {
    form.reset();
    ScratchRegistryKey::PutDword(key / L"Columns", L"Sizes", 80);
    OpenWindowOnStoredSettings();
    EXPECT_EQ(WindowText(Window()).rfind(L"Kavet24 - ", 0), 0u) << "the first folder was listed";
    EXPECT_EQ(ListColumnWidth(List(), 0), 120);
    ExpectAFolderPickedIsListed();
}

TEST_F(MainFormTest, FailedBuildStillLetsTheTreeListAFolder) {
    form.reset();
    // The column layout's key cannot be made under a name longer than the registry allows.
    form = std::make_unique<TMainForm>(key.Path() + L"\\" + std::wstring(300, L'k'));
    EXPECT_NE(errors, L"");
    errors.clear();
    ExpectAFolderPickedIsListed();
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
        Choose(L"A propos de Kavet24");
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
    Choose(L"Quitter");
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_TRUE(ScratchRegistryKey::KeyExists(key / L"Options"));
    EXPECT_TRUE(ScratchRegistryKey::KeyExists(key / L"Application"));
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // the main window ends the loop
}
