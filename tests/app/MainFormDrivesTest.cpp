// Drives in the main window on the real platform: a drive that arrives or leaves while the window
// runs, told by the system's broadcast to top-level windows, and a stick whose medium the tree has
// not read yet.
#include "app/MainForm.h"
#include "dirtree/DirFilters.h"
#include "dirtree/RealDriveSystem.h"
#include "settings/SettingsStore.h"
#include "WindowProbe.h"
#include "support/win/ScratchDrive.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TempFolder.h"

#include <dbt.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The system's drives, one of which says it is removable.
class DrivesWithAStick : public RealDriveSystem {
public:
    explicit DrivesWithAStick(wchar_t stick) : stick_(stick) {}
    unsigned DriveKind(wchar_t letter) override {
        return letter == stick_ ? kDriveRemovable : RealDriveSystem::DriveKind(letter);
    }

private:
    wchar_t stick_;
};

class MainFormDrives : public ::testing::Test {
protected:
    void SetUp() override {
        home.MakeFile(L"home.txt");
        stick.MakeFile(L"onroot.txt");
        stick.MakeFolder(L"sub");
        stick.MakeFile(L"sub\\inside.txt");
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(reports.Text(), L"");
    }

    void Start(const std::wstring& directory, std::shared_ptr<DriveSystem> drives = nullptr) {
        SettingsRecord settings;
        settings.Directory = directory;
        SettingsStore(key.Path()).StoreOptions(settings);
        form = std::make_unique<TMainForm>(key.Path(), std::move(drives));
        ::ShowWindow(form->Handle(), SW_SHOWNORMAL);
        PumpMessages();
    }
    std::vector<std::wstring> Roots() const {
        std::vector<std::wstring> roots;
        for (HTREEITEM root : form->DirTree->Children(nullptr))
            roots.push_back(form->DirTree->NodeInfo(root)->Path);
        return roots;
    }
    Names Shown() const { return ListNames(form->FileList->Handle()); }

    TempFolder home;
    TempFolder stick;
    ScratchRegistryKey key;
    UnexpectedReports reports;
    std::unique_ptr<TMainForm> form;
};

} // namespace

// Each test takes a letter of its own: tests may run at the same time in one prefix.

TEST_F(MainFormDrives, DriveThatArrivesAfterStartShowsAndGoesWhenRemoved) {
    Start(home.Path());
    const std::wstring directory = form->Settings.Directory;
    ASSERT_EQ(form->DirTree->FindNode(L"M:\\"), nullptr);
    ScratchDrive drive(L'M', stick.Path());
    ASSERT_TRUE(drive.Ready()) << "the system does not list the new drive";

    ScratchDrive::Broadcast(L'M', DBT_DEVICEARRIVAL);
    PumpMessages();
    EXPECT_NE(form->DirTree->FindNode(L"M:\\"), nullptr) << "the arrival did not reach the tree";
    std::vector<std::wstring> roots = Roots();
    EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
    EXPECT_EQ(form->Settings.Directory, directory);
    EXPECT_EQ(Shown(), Names{L"home.txt"});

    drive.Remove();
    ScratchDrive::Broadcast(L'M', DBT_DEVICEREMOVECOMPLETE);
    PumpMessages();
    EXPECT_EQ(form->DirTree->FindNode(L"M:\\"), nullptr) << "the removed drive stays";
    EXPECT_EQ(form->Settings.Directory, directory);
}

TEST_F(MainFormDrives, FirstClickIntoAStickListsTheFolderClicked) {
    ScratchDrive drive(L'N', stick.Path());
    ASSERT_TRUE(drive.Ready());
    Start(home.Path(), std::make_shared<DrivesWithAStick>(L'N'));
    const HTREEITEM root = form->DirTree->FindNode(L"N:\\");
    ASSERT_NE(root, nullptr);
    ASSERT_TRUE(form->DirTree->Expand(root));
    const HTREEITEM sub = form->DirTree->FindNode(L"N:\\SUB");
    ASSERT_NE(sub, nullptr);

    form->DirTree->Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(sub));
    PumpMessages();
    EXPECT_EQ(form->Settings.Directory, L"N:\\SUB\\");
    EXPECT_EQ(Shown(), Names{L"inside.txt"});
    EXPECT_EQ(form->DirTree->Selected(), sub);
    EXPECT_TRUE(form->DirTree->IsExpanded(root)) << "the stick's root was rebuilt";
}

TEST_F(MainFormDrives, StartFolderOnAStickIsListed) {
    ScratchDrive drive(L'O', stick.Path());
    ASSERT_TRUE(drive.Ready());
    Start(L"O:\\sub", std::make_shared<DrivesWithAStick>(L'O'));
    EXPECT_EQ(form->Settings.Directory, L"O:\\SUB\\");
    EXPECT_EQ(Shown(), Names{L"inside.txt"});
}
