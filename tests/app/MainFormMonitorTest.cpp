// The main window refreshing itself: another program creates, deletes, renames and re-stamps
// files in the folder shown, and the list, the status bar and the listing follow through the
// folder monitor with no action from the user.
#include "MainFormFixture.h"

#include <cwchar>
#include <vector>

namespace {

class MainFormMonitor : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        folder.MakeFile(L"beta.txt", "12345");
        folder.MakeFile(L"Alpha.doc", "1");
        folder.MakeFolder(L"sub");
        SettingsRecord settings;
        settings.KOctet = false;
        OpenWindow(settings);
    }

    std::wstring ItemText(int row, int column) const { return ListItemText(List(), row, column); }
    bool ShowsNames(const Names& names) const { return Shown() == names; }
    // The monitor is on: one more file made in the folder shows by itself.
    void ExpectStillWatching() {
        const int before = ListCount(List());
        folder.MakeFile(L"one more.txt");
        EXPECT_TRUE(PumpUntil([&] { return ListCount(List()) == before + 1; }))
            << "nothing watches the folder";
    }
};

} // namespace

TEST_F(MainFormMonitor, StartsWatchingTheListedFolderAndNotItsSubfolders) {
    ASSERT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt"}));
    // A re-list clears the selection: a row still selected shows that none ran.
    ListSelectRow(List(), 0);
    folder.MakeFile(L"sub\\inside.txt");
    PumpFor(500);
    EXPECT_EQ(ListSelectedCount(List()), 1) << "a change in a subfolder re-listed";
    folder.MakeFile(L"delta.txt");
    EXPECT_TRUE(PumpUntil([&] { return ShowsNames({L"Alpha.doc", L"beta.txt", L"delta.txt"}); }));
}

TEST_F(MainFormMonitor, FileCreatedByAnotherProgramAppearsByItself) {
    folder.MakeFile(L"delta.txt", "1234567");
    ASSERT_TRUE(PumpUntil([&] {
        return ShowsNames({L"Alpha.doc", L"beta.txt", L"delta.txt"});
    })) << "the list did not refresh";
    EXPECT_EQ(ListCount(List()), 3);
    EXPECT_EQ(Status(0), L"3 fichiers");
    EXPECT_EQ(Status(1), L"13 octets");
    EXPECT_EQ(ItemText(2, 1), L"7");
    EXPECT_EQ(ListSelectedCount(List()), 0);
    ExpectStillWatching(); // the re-list watches the folder again
}

TEST_F(MainFormMonitor, FileDeletedByAnotherProgramDisappearsByItself) {
    ASSERT_TRUE(::DeleteFileW((folder / L"beta.txt").c_str()));
    ASSERT_TRUE(PumpUntil([&] { return ShowsNames({L"Alpha.doc"}); })) << "the list did not refresh";
    EXPECT_EQ(Status(0), L"1 fichier");
    EXPECT_EQ(Status(1), L"1 octet");
}

TEST_F(MainFormMonitor, FileRenamedByAnotherProgramShowsItsNewName) {
    ASSERT_TRUE(::MoveFileW((folder / L"Alpha.doc").c_str(), (folder / L"zeta.doc").c_str()));
    ASSERT_TRUE(PumpUntil([&] {
        return ShowsNames({L"beta.txt", L"zeta.doc"});
    })) << "the list did not refresh";
    EXPECT_EQ(Status(0), L"2 fichiers");
}

TEST_F(MainFormMonitor, FileRestampedByAnotherProgramShowsItsNewTime) {
    const std::wstring before = ItemText(1, 3);
    HANDLE file = ::CreateFileW((folder / L"beta.txt").c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const FILETIME stamp = UtcFileTime(2001, 2, 3, 10, 20, 30);
    FILETIME localStamp{};
    SYSTEMTIME local{};
    ::FileTimeToLocalFileTime(&stamp, &localStamp); // the offset in force now, as the list converts
    ::FileTimeToSystemTime(&localStamp, &local);
    wchar_t hour[3] = {};
    swprintf(hour, 3, L"%02u", static_cast<unsigned>(local.wHour));
    ASSERT_TRUE(::SetFileTime(file, nullptr, nullptr, &stamp));
    ::CloseHandle(file);
    // The date and time separators are the locale's; the order and digits are the program's.
    const auto restamped = [&] {
        const std::wstring text = ItemText(1, 3);
        return text.size() == 19 && text.substr(0, 2) == L"03" && text.substr(3, 2) == L"02" &&
               text.substr(6, 4) == L"2001" && text.substr(11, 2) == hour && text.substr(14, 2) == L"20" &&
               text.substr(17, 2) == L"30";
    };
    ASSERT_TRUE(PumpUntil(restamped)) << "still shows " << std::string(before.begin(), before.end());
    EXPECT_EQ(Shown(), (Names{L"Alpha.doc", L"beta.txt"}));
}

TEST_F(MainFormMonitor, SeveralChangesInARowEndShowingThemAll) {
    for (int i = 0; i < 20; ++i)
        folder.MakeFile(L"file" + std::to_wstring(10 + i) + L".txt");
    ::DeleteFileW((folder / L"file10.txt").c_str());
    ASSERT_TRUE(PumpUntil([&] { return Status(0) == L"21 fichiers" && ListCount(List()) == 21; }))
        << "shows " << ListCount(List());
    PumpFor(300);
    EXPECT_EQ(ListCount(List()), 21);
    EXPECT_EQ(Status(0), L"21 fichiers");
    EXPECT_EQ(ItemText(2, 0), L"file11.txt");
    ExpectStillWatching();
}
