// Menus built from descriptions: captions, shortcuts, tags, radio groups and command dispatch.
#include "ui/Accelerators.h"
#include "ui/Form.h"
#include "ui/Menu.h"

#include <gtest/gtest.h>

namespace {

std::wstring PlatformText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

UINT PlatformState(HMENU menu, UINT position) {
    return ::GetMenuState(menu, position, MF_BYPOSITION);
}

} // namespace

TEST(Menu, BuildsCaptionsSeparatorsAndShortcutText) {
    int clicks = 0;
    Menu menu(Menu::Kind::Bar, {{.Caption = L"&Fichier",
                                 .Name = L"File",
                                 .Items = {{.Caption = L"Actualis&er",
                                            .Name = L"Refresh",
                                            .ShortCut = L"F5",
                                            .OnClick = [&](MenuItem&) { ++clicks; }},
                                           {.Caption = L"-"},
                                           {.Caption = L"&Quitter", .Name = L"Quit"}}}});
    HMENU file = ::GetSubMenu(menu.Handle(), 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(PlatformText(menu.Handle(), 0), L"&Fichier");
    EXPECT_EQ(PlatformText(file, 0), L"Actualis&er\tF5");
    EXPECT_TRUE(PlatformState(file, 1) & MF_SEPARATOR);
    EXPECT_EQ(PlatformText(file, 2), L"&Quitter");

    EXPECT_TRUE(MenuItem::DispatchCommand(menu.Item(L"Refresh").Id()));
    EXPECT_EQ(clicks, 1);
}

TEST(Menu, RadioGroupKeepsOneItemCheckedAndTheMenuFollows) {
    Menu menu(Menu::Kind::Popup,
              {{.Caption = L"&Grandes", .Name = L"A", .Tag = 1, .RadioGroup = 1},
               {.Caption = L"&Petites", .Name = L"B", .Tag = 2, .RadioGroup = 1},
               {.Caption = L"&Détail", .Name = L"C", .Tag = 4, .RadioGroup = 1, .Checked = true}});
    EXPECT_EQ(menu.Item(L"C").Tag(), 4);
    menu.Item(L"A").SetChecked(true);
    EXPECT_TRUE(menu.Item(L"A").Checked());
    EXPECT_FALSE(menu.Item(L"C").Checked());
    EXPECT_TRUE(PlatformState(menu.Handle(), 0) & MF_CHECKED);
    EXPECT_FALSE(PlatformState(menu.Handle(), 2) & MF_CHECKED);
}

TEST(Menu, DisabledItemIgnoresClicksAndShowsGrayed) {
    int clicks = 0;
    Menu menu(Menu::Kind::Popup,
              {{.Caption = L"&Grille", .Name = L"G", .OnClick = [&](MenuItem&) { ++clicks; }}});
    menu.Item(L"G").SetEnabled(false);
    menu.Item(L"G").Click();
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(PlatformState(menu.Handle(), 0) & MF_GRAYED);
    menu.Item(L"G").SetEnabled(true);
    menu.Item(L"G").Click();
    EXPECT_EQ(clicks, 1);
}

TEST(Menu, CommandsReachTheItemThroughTheFormAndItsShortcut) {
    int clicks = 0;
    Menu menu(
        Menu::Kind::Bar,
        {{.Caption = L"&Affichage",
          .Items = {{.Caption = L"Actualis&er", .Name = L"R", .ShortCut = L"F5", .OnClick = [&](MenuItem&) {
                         ++clicks;
                     }}}}});
    Accelerators keys({&menu});
    EXPECT_EQ(keys.Count(), 1u);
    Form form;
    ASSERT_TRUE(form.Create(L"Menu", 0, 0, 200, 100, WS_OVERLAPPEDWINDOW));
    form.SetAccelerators(&keys);
    form.Send(WM_COMMAND, MAKEWPARAM(menu.Item(L"R").Id(), 0), 0);
    EXPECT_EQ(clicks, 1);
    MSG msg{form.Handle(), WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_TRUE(Form::PreTranslate(msg));
    EXPECT_EQ(clicks, 2);
}

TEST(ShortCut, ParsesFunctionKeysAndModifiers) {
    auto f5 = ParseShortCut(L"F5");
    ASSERT_TRUE(f5);
    EXPECT_EQ(f5->key, VK_F5);
    EXPECT_EQ(f5->flags, FVIRTKEY);
    auto ctrlA = ParseShortCut(L"Ctrl+A");
    ASSERT_TRUE(ctrlA);
    EXPECT_EQ(ctrlA->key, 'A');
    EXPECT_EQ(ctrlA->flags, FVIRTKEY | FCONTROL);
    EXPECT_EQ(ParseShortCut(L"Suppr")->key, VK_DELETE);
    EXPECT_FALSE(ParseShortCut(L"F0"));
    EXPECT_FALSE(ParseShortCut(L"F25"));
    EXPECT_FALSE(ParseShortCut(L"Hop"));
    EXPECT_FALSE(ParseShortCut(L""));
}

TEST(Menu, MadeIsPointedAtTheItemItDescribes) {
    MenuItem* quit = nullptr;
    MenuItem* file = nullptr;
    Menu menu(Menu::Kind::Bar, {{.Caption = L"&Fichier",
                                 .Name = L"File",
                                 .Made = &file,
                                 .Items = {{.Caption = L"&Quitter", .Name = L"Quit", .Made = &quit}}}});
    EXPECT_EQ(file, &menu.Item(L"File"));
    EXPECT_EQ(quit, &menu.Item(L"Quit"));
}
