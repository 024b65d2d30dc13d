// Drives in the main window on the real platform: a drive that arrives or leaves while the window
// runs, told by the system's broadcast to top-level windows, and a stick whose medium the tree has
// not read yet.
#include "MainFormFixture.h"

#include "base/Locale.h"
#include "base/TextHelpers.h"
#include "dirtree/DirFilters.h"
#include "dirtree/RealDriveSystem.h"
#include "support/win/ScratchDrive.h"

#include <dbt.h>

#include <algorithm>
#include <cstring>

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

class MainFormDrives : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        folder.MakeFile(L"home.txt");
        stick.MakeFile(L"onroot.txt");
        stick.MakeFolder(L"sub");
        stick.MakeFile(L"sub\\inside.txt");
    }

    void Start(const std::wstring& directory, std::shared_ptr<DriveSystem> drives = nullptr) {
        SettingsRecord settings;
        settings.Directory = directory;
        OpenWindow(settings, std::move(drives));
    }
    // The tree's top nodes, by the captions it shows.
    std::vector<HTREEITEM> RootNodes() const {
        std::vector<HTREEITEM> roots;
        for (auto node = reinterpret_cast<HTREEITEM>(::SendMessageW(Tree(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
             node; node = reinterpret_cast<HTREEITEM>(
                       ::SendMessageW(Tree(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(node))))
            roots.push_back(node);
        return roots;
    }
    // The drive letter a root's caption names ("Data (D:)"), or 0.
    wchar_t LetterOf(HTREEITEM root) const {
        const std::wstring caption = TreeText(Tree(), root);
        const size_t colon = caption.rfind(L':');
        return colon == 0 || colon == std::wstring::npos ? 0
                                                         : static_cast<wchar_t>(towupper(caption[colon - 1]));
    }
    std::vector<wchar_t> RootLetters() const {
        std::vector<wchar_t> letters;
        for (HTREEITEM root : RootNodes())
            letters.push_back(LetterOf(root));
        return letters;
    }
    HTREEITEM DriveNode(wchar_t letter) const {
        for (HTREEITEM root : RootNodes())
            if (LetterOf(root) == letter)
                return root;
        return nullptr;
    }
    HTREEITEM ChildNamed(HTREEITEM parent, const std::wstring& name) const {
        for (auto node = reinterpret_cast<HTREEITEM>(
                 ::SendMessageW(Tree(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
             node; node = reinterpret_cast<HTREEITEM>(
                       ::SendMessageW(Tree(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(node))))
            if (CurrentLocale().ToUpper(TreeText(Tree(), node)) == CurrentLocale().ToUpper(name))
                return node;
        return nullptr;
    }
    // A click on the node's plus button, found where the tree says the button is.
    void ClickExpandButton(HTREEITEM node) {
        ::SendMessageW(Tree(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
        RECT r{};
        // The message takes the item in the rectangle's first bytes.
        std::memcpy(&r, &node, sizeof(node));
        ASSERT_TRUE(::SendMessageW(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
        const int y = (r.top + r.bottom) / 2;
        for (int x = 0; x < r.left; ++x) {
            TVHITTESTINFO hit{};
            hit.pt = POINT{x, y};
            ::SendMessageW(Tree(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.hItem == node && (hit.flags & TVHT_ONITEMBUTTON)) {
                ::SendMessageW(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
                ::SendMessageW(Tree(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
                PumpMessages();
                return;
            }
        }
        FAIL() << "the node shows no plus button";
    }
    bool Expanded(HTREEITEM node) const {
        return (::SendMessageW(Tree(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    }
    // The folder the caption names, in the form two paths compare in.
    std::wstring ListedFolder() const {
        const std::wstring caption = WindowText(Window());
        const std::wstring prefix = L"Kavet24 - ";
        EXPECT_EQ(caption.rfind(prefix, 0), 0u);
        return CurrentLocale().ToUpper(
            StripTrailingBackslashes(caption.substr(std::min(prefix.size(), caption.size()))));
    }

    TempFolder stick;
};

} // namespace

// Each test takes a letter of its own: tests may run at the same time in one prefix.

TEST_F(MainFormDrives, DriveThatArrivesAfterStartShowsAndGoesWhenRemoved) {
    Start(folder.Path());
    const std::wstring directory = ListedFolder();
    ASSERT_EQ(DriveNode(L'M'), nullptr);
    ScratchDrive drive(L'M', stick.Path());
    ASSERT_TRUE(drive.Ready()) << "the system does not list the new drive";

    ScratchDrive::Broadcast(L'M', DBT_DEVICEARRIVAL);
    PumpMessages();
    EXPECT_NE(DriveNode(L'M'), nullptr) << "the arrival did not reach the tree";
    std::vector<wchar_t> roots = RootLetters();
    EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
    EXPECT_EQ(ListedFolder(), directory);
    EXPECT_EQ(Shown(), Names{L"home.txt"});

    drive.Remove();
    ScratchDrive::Broadcast(L'M', DBT_DEVICEREMOVECOMPLETE);
    PumpMessages();
    EXPECT_EQ(DriveNode(L'M'), nullptr) << "the removed drive stays";
    EXPECT_EQ(ListedFolder(), directory);
}

TEST_F(MainFormDrives, FirstClickIntoAStickListsTheFolderClicked) {
    ScratchDrive drive(L'N', stick.Path());
    ASSERT_TRUE(drive.Ready());
    Start(folder.Path(), std::make_shared<DrivesWithAStick>(L'N'));
    const HTREEITEM root = DriveNode(L'N');
    ASSERT_NE(root, nullptr);
    ClickExpandButton(root);
    ASSERT_TRUE(Expanded(root));
    const HTREEITEM sub = ChildNamed(root, L"sub");
    ASSERT_NE(sub, nullptr);

    ::SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(sub));
    PumpMessages();
    EXPECT_EQ(ListedFolder(), L"N:\\SUB");
    EXPECT_EQ(Shown(), Names{L"inside.txt"});
    EXPECT_EQ(TreeSelected(Tree()), sub);
    EXPECT_TRUE(Expanded(root)) << "the stick's root was rebuilt";
}

TEST_F(MainFormDrives, StartFolderOnAStickIsListed) {
    ScratchDrive drive(L'O', stick.Path());
    ASSERT_TRUE(drive.Ready());
    Start(L"O:\\sub", std::make_shared<DrivesWithAStick>(L'O'));
    EXPECT_EQ(ListedFolder(), L"O:\\SUB");
    EXPECT_EQ(Shown(), Names{L"inside.txt"});
}
