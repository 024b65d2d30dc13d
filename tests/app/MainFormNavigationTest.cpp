// The main window moving through real folders: the re-list and what it keeps in step, the mask
// box, the address box, sorting from the headers and commands, and the file operations applied to
// the selected rows or to the whole folder.
#include "MainFormFixture.h"

#include <algorithm>
#include <vector>

namespace {

class MainFormNavigation : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        boxAnswer = IDOK;
        folder.MakeFile(L"beta.txt", "12345");
        folder.MakeFile(L"Alpha.doc", "1");
        folder.MakeFile(L"gamma.txt", "123");
        folder.MakeFolder(L"sub");
        SettingsRecord settings;
        settings.FirstMaj = false; // no confirmation dialog in these tests
        settings.KOctet = false;
        OpenWindow(settings);
    }

    std::wstring Caption() const { return WindowText(Window()); }
    HWND Address() const { return AddressBox(Window()); }
    bool ParentEnabled() const { return ToolButtonEnabled(*FindToolButton(Window(), L"Parent")); }
    // A re-list clears the selection: a row left selected shows that none ran.
    void SelectFirstRow() {
        ListSelectRow(List(), 0);
        ASSERT_EQ(ListSelectedCount(List()), 1);
    }
    bool Exists(const std::wstring& name) const {
        WIN32_FIND_DATAW data{};
        HANDLE find = ::FindFirstFileW((folder / name).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        ::FindClose(find);
        return name == data.cFileName;
    }
};

} // namespace

TEST_F(MainFormNavigation, ListingShowsTheFolderCaptionAndStatus) {
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
    EXPECT_EQ(Status(0), L"3 fichiers");
    EXPECT_EQ(Status(1), L"9 octets");
    EXPECT_EQ(Caption(), L"Kavet24 - " + WindowText(Address()));
    EXPECT_EQ(ListSelectedCount(List()), 0);
    EXPECT_TRUE(ParentEnabled());
    EXPECT_EQ(ListItemText(List(), 1, 0), L"beta.txt");
    EXPECT_EQ(ListItemText(List(), 1, 6), L"32");
}

TEST_F(MainFormNavigation, ChangedMaskRelistsOnlyMatchingFiles) {
    TypeAndEnter(MaskBox(Window()), L"*.TXT");
    Application::ProcessMessages();
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt"}));
    EXPECT_EQ(Status(0), L"2 fichiers");
}

TEST_F(MainFormNavigation, UnchangedMaskDoesNotRelist) {
    SelectFirstRow();
    TypeAndEnter(MaskBox(Window()), L"*.*");
    Application::ProcessMessages();
    EXPECT_EQ(ListSelectedCount(List()), 1);
    EXPECT_EQ(ListCount(List()), 3);
}

TEST_F(MainFormNavigation, SameFolderTypedOtherwiseChangesNothing) {
    const std::wstring caption = Caption();
    SelectFirstRow();
    TypeAndEnter(Address(), L"  " + CurrentLocale().ToLower(folder.Path()) + L"\\  ");
    Application::ProcessMessages();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ListSelectedCount(List()), 1) << "no re-list";
    EXPECT_EQ(Caption(), caption);
    EXPECT_EQ(ListCount(List()), 3);
}

TEST_F(MainFormNavigation, MissingFolderWarnsAndKeepsTheFolder) {
    const std::wstring caption = Caption();
    TypeAndEnter(Address(), folder / L"nowhere");
    Application::ProcessMessages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"\r\nLe dossier spécifié n'existe pas. Veuillez vérifier le chemin saisi.");
    EXPECT_EQ(Caption(), caption);
    EXPECT_EQ(ListCount(List()), 3);
}

TEST_F(MainFormNavigation, BlankAddressWarnsLikeAMissingFolder) {
    const std::wstring caption = Caption();
    TypeAndEnter(Address(), L"   ");
    Application::ProcessMessages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"\r\nLe dossier spécifié n'existe pas. Veuillez vérifier le chemin saisi.");
    EXPECT_EQ(Caption(), caption);
}

TEST_F(MainFormNavigation, WarningThatTakesTheFocusWarnsOnceAndSelectsTheWholeText) {
    const std::wstring typed = folder / L"nowhere";
    ::SetFocus(Address());
    SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        ::SetFocus(List()); // as the box does: the address box is left
        return IDOK;
    });
    TypeAndEnter(Address(), typed);
    EXPECT_EQ(boxes.size(), 1u);
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(Address(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{0}, static_cast<DWORD>(typed.size())));
}

TEST_F(MainFormNavigation, HeaderClicksThenCommandThenRefresh) {
    ClickListHeader(List(), 1);
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"gamma.txt", L"beta.txt"}));
    ClickListHeader(List(), 1);
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"gamma.txt", L"Alpha.doc"}));
    Choose(L"Par nom de fichiers");
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt", L"gamma.txt"}));
    RelistNow(); // keeps the remembered descending direction
    EXPECT_EQ(Shown(), (Names{L"gamma.txt", L"beta.txt", L"Alpha.doc"}));
    EXPECT_EQ(ListSelectedCount(List()), 0);
}

TEST_F(MainFormNavigation, SelectionStatusCountsAndSums) {
    ListClickRow(List(), 0);
    ListClickRow(List(), 1, true);
    PumpMessages();
    EXPECT_EQ(Status(0), L"2 fichiers sélectionnés");
    EXPECT_EQ(Status(1), L"6 octets");
}

TEST_F(MainFormNavigation, OperationAppliesToSelectedRowsOnly) {
    ListSelectRow(List(), 0); // Alpha.doc
    ListSelectRow(List(), 2); // gamma.txt
    Click(L"Majuscules");
    EXPECT_TRUE(Exists(L"ALPHA.DOC"));
    EXPECT_TRUE(Exists(L"GAMMA.TXT"));
    EXPECT_TRUE(Exists(L"beta.txt"));
    EXPECT_EQ(ListSelectedCount(List()), 0); // re-listed
    EXPECT_EQ(ListCount(List()), 3);
}

TEST_F(MainFormNavigation, OperationWithoutSelectionAppliesToTheWholeListing) {
    TypeAndEnter(MaskBox(Window()), L"*.TXT");
    Application::ProcessMessages();
    Click(L"Majuscules");
    EXPECT_TRUE(Exists(L"BETA.TXT"));
    EXPECT_TRUE(Exists(L"GAMMA.TXT"));
    EXPECT_TRUE(Exists(L"Alpha.doc")); // hidden by the mask, so untouched
    EXPECT_TRUE(Exists(L"sub"));
}

TEST_F(MainFormNavigation, ParentDisabledAtARoot) {
    GoTo(L"C:\\");
    EXPECT_FALSE(ParentEnabled());
}
