// Drives that come and go and media that is exchanged, presented through the fake drive seam, with
// the owner's WM_DEVICECHANGE reaching the tree through its listener on the owner window.
#include "DirTreeFixture.h"

namespace {

std::vector<std::wstring> RootPaths(const TDirTree& tree) {
    std::vector<std::wstring> paths;
    for (HTREEITEM root : tree.Children(nullptr))
        paths.push_back(tree.NodeInfo(root)->Path);
    return paths;
}

} // namespace

TEST_F(DirTreeTest, DriveThatAppearsIsInsertedInLetterOrderWithOneChange) {
    drives->Add(L'F', kDriveFixed, VolumeInfo{0xF, L"FAR"});
    MakeTree();
    drives->Add(L'D', kDriveRemovable, VolumeInfo{0xD, L"STICK"});
    EXPECT_EQ(SendDeviceChange(), 0);
    EXPECT_EQ(RootPaths(*tree), (std::vector<std::wstring>{L"C:\\", L"D:\\", L"F:\\"}));
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_EQ(tree->DriveMask(), (1u << 2) | (1u << 3) | (1u << 5));
}

TEST_F(DirTreeTest, DriveThatDisappearsLosesItsRootWithOneChange) {
    drives->Add(L'F', kDriveFixed, VolumeInfo{0xF, L"FAR"});
    drives->Add(L'G', kDriveRemote, VolumeInfo{0x6, L"NET"});
    MakeTree();
    drives->Remove(L'F');
    SendDeviceChange();
    EXPECT_EQ(RootPaths(*tree), (std::vector<std::wstring>{L"C:\\", L"G:\\"}));
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(DirTreeTest, DeviceChangeThatChangesNothingStillRaisesOneChange) {
    temp.MakeFolder(L"A");
    MakeTree();
    tree->SelectPath(temp / L"A");
    changes.clear();
    SendDeviceChange();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], tree->Selected());
    SendDeviceChange();
    EXPECT_EQ(changes.size(), 2u);
}

TEST_F(DirTreeTest, DriveTypesChangeRemovesRootsWithoutReloadingTheOthers) {
    drives->Add(L'N', kDriveRemote, VolumeInfo{0x9, L"NET"});
    MakeTree();
    const HTREEITEM c = tree->FirstRoot();
    ASSERT_TRUE(tree->Expand(c));
    const size_t children = tree->Children(c).size();
    tree->SetDriveTypes(kAllDriveTypes.Without(TDriveType::drtRemote));
    EXPECT_EQ(RootPaths(*tree), std::vector<std::wstring>{L"C:\\"});
    EXPECT_EQ(tree->FirstRoot(), c);
    EXPECT_TRUE(tree->IsExpanded(c));
    EXPECT_EQ(tree->Children(c).size(), children);
    tree->SetDriveTypes(kAllDriveTypes);
    EXPECT_EQ(RootPaths(*tree), (std::vector<std::wstring>{L"C:\\", L"N:\\"}));
    EXPECT_TRUE(tree->IsExpanded(c));
}

TEST_F(DirTreeTest, ClickAfterAMediumWasExchangedRebuildsTheRootAndRaisesChangeNotClick) {
    temp.MakeFolder(L"A");
    MakeTree();
    int clicks = 0;
    tree->OnClick = [&] { ++clicks; };
    tree->SelectPath(temp / L"A");
    SendClick();
    EXPECT_EQ(clicks, 1);
    changes.clear();

    drives->drives[L'C'].Volume = VolumeInfo{0x9999, L"OTHER"};
    SendClick();
    const HTREEITEM root = tree->FirstRoot();
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], root);
    EXPECT_EQ(tree->Caption(root), L"OTHER (C:)");
    EXPECT_EQ(tree->VolumeSerials(L'C'), 0x9999u);
    EXPECT_TRUE(HasPlaceholderOnly(root)) << "old children dropped";
    EXPECT_FALSE(tree->NodeInfo(root)->Read);
    EXPECT_EQ(tree->FindNode(temp / L"A"), nullptr);
    EXPECT_EQ(tree->GetSelectedPath(), L"C:\\");
}

TEST_F(DirTreeTest, SelectingAFolderOnAnExchangedMediumReportsTheRebuiltRoot) {
    temp.MakeFolder(L"A");
    temp.MakeFolder(L"B");
    MakeTree();
    tree->SelectPath(temp / L"A");
    const HTREEITEM b = tree->FindNode(temp / L"B");
    ASSERT_NE(b, nullptr);
    changes.clear();
    drives->drives[L'C'].Volume = VolumeInfo{0x7777, L"SWAPPED"};
    tree->Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(b));
    const HTREEITEM root = tree->FirstRoot();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], root);
    EXPECT_EQ(tree->Caption(root), L"SWAPPED (C:)");
    EXPECT_EQ(tree->LastDirs(L'C'), L"C:\\");
}

TEST_F(DirTreeTest, DeviceChangeRebuildsEveryRootWhoseVolumeChanged) {
    drives->Add(L'F', kDriveFixed, VolumeInfo{0xF, L"FAR"});
    drives->Add(L'R', kDriveRemovable, VolumeInfo{0x5, L"CARD"});
    MakeTree();
    drives->drives[L'C'].Volume = VolumeInfo{0x1, L"NEWC"};
    drives->drives[L'F'].Volume = std::nullopt; // medium taken out
    SendDeviceChange();
    const std::vector<HTREEITEM> roots = tree->Children(nullptr);
    ASSERT_EQ(roots.size(), 3u);
    EXPECT_EQ(tree->Caption(roots[0]), L"NEWC (C:)");
    EXPECT_EQ(tree->Caption(roots[1]), L"(F:)");
    EXPECT_TRUE(tree->Children(roots[1]).empty()) << "an unreadable volume gets no expand button";
    EXPECT_EQ(tree->VolumeSerials(L'F'), kUnreadableSerial);
    EXPECT_EQ(drives->volumeReads[L'R'], 0) << "removable media never opened is not spun up";
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(DirTreeTest, OwnerHookGoesWithTheTree) {
    MakeTree();
    tree.reset();
    // The owner's own procedure answers again; the tree's hook is gone with its window.
    EXPECT_EQ(SendDeviceChange(), ::DefWindowProcW(frame.Handle(), WM_DEVICECHANGE, 0x0007, 0));
    EXPECT_TRUE(changes.empty());
}

TEST_F(DirTreeTest, DrivesTheOwnerRejectsGetNoRootAtLoadNorWhenTheyAppear) {
    drives->Add(L'E', kDriveFixed, VolumeInfo{0xE, L"E"});
    MakeTree([](TDirTree& t) {
        t.OnAddDir = [](const std::wstring& path, bool& doAdd) {
            if (path == L"E:\\" || path == L"H:\\")
                doAdd = false;
        };
    });
    EXPECT_EQ(RootPaths(*tree), std::vector<std::wstring>{L"C:\\"});
    drives->Add(L'H', kDriveRemote, VolumeInfo{0x8, L"H"});
    drives->Add(L'K', kDriveRemote, VolumeInfo{0xB, L"K"});
    SendDeviceChange();
    EXPECT_EQ(RootPaths(*tree), (std::vector<std::wstring>{L"C:\\", L"K:\\"}));
}

TEST_F(DirTreeTest, DriveKindsOutsideDriveTypesGetNoRoot) {
    drives->Add(L'D', kDriveCDRom, VolumeInfo{0xD, L"DISC"});
    drives->Add(L'W', kDriveNoRootDir, std::nullopt);
    MakeTree([](TDirTree& t) { t.SetDriveTypes(kAllDriveTypes.Without(TDriveType::drtCDRom)); });
    EXPECT_EQ(RootPaths(*tree), (std::vector<std::wstring>{L"C:\\", L"W:\\"}));
    EXPECT_EQ(tree->Caption(tree->Children(nullptr)[1]), L"(W:)");
}

TEST(DirTreeOnThisMachine, ShowsTheSystemDriveAndSelectsTheInitialDirectory) {
    TempFolder temp;
    OwnerFrame frame;
    TDirTree tree(frame.Handle(), 1);
    tree.SetInitialDirectory(temp.Path());
    tree.Loaded();
    const HTREEITEM c = tree.FindNode(L"C:\\");
    ASSERT_NE(c, nullptr);
    const std::wstring caption = tree.Caption(c);
    EXPECT_EQ(caption.substr(caption.size() - 4), L"(C:)");
    std::wstring expected = CurrentLocale().ToUpper(temp.Path()) + L"\\";
    EXPECT_EQ(tree.GetSelectedPath(), expected);
    EXPECT_NE(tree.DriveMask() & (1u << 2), 0u);
}

TEST_F(DirTreeTest, SelectedDriveThatDisappearsReportsTheNewSelectionOnce) {
    drives->Add(L'F', kDriveFixed, VolumeInfo{0xF, L"FAR"});
    MakeTree();
    const HTREEITEM f = tree->FindNode(L"F:\\");
    ASSERT_NE(f, nullptr);
    tree->Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(f));
    changes.clear();
    drives->Remove(L'F');
    SendDeviceChange();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], tree->Selected());
    EXPECT_NE(tree->GetSelectedPath(), L"F:\\");
    EXPECT_EQ(tree->FindNode(L"F:\\"), nullptr);
}
