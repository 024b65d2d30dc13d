// The directory tree on real folders: reading and sorting, the filters, FastLoad, selection by
// path, FindNode, GoToParent, change events, dropped files and window re-creation.
#include "DirTreeFixture.h"

#include "dirtree/PathNames.h"
#include "base/Errors.h"

#include <shlobj.h>

namespace {

std::wstring Lower(std::wstring text) {
    ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

} // namespace

TEST_F(DirTreeTest, ChildrenAreSortedWithoutRegardToCase) {
    temp.MakeFolder(L"beta");
    temp.MakeFolder(L"Gamma");
    temp.MakeFolder(L"Alpha");
    temp.MakeFile(L"aaa-file.txt");
    MakeTree();
    tree->SelectPath(temp.Path());
    const HTREEITEM node = tree->Selected();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(Captions(node), (std::vector<std::wstring>{L"Alpha", L"beta", L"Gamma"}));
    EXPECT_EQ(tree->NodeInfo(tree->FirstChild(node))->Path, TreePath(L"Alpha"));
}

TEST_F(DirTreeTest, SelectPathOfLowerCasePathWithoutBackslashSelectsTheTreeForm) {
    temp.MakeFolder(L"Sub Folder é");
    MakeTree();
    tree->SelectPath(Lower(temp / L"Sub Folder é"));
    EXPECT_EQ(tree->GetSelectedPath(), TreePath(L"Sub Folder é"));
    EXPECT_EQ(tree->Caption(tree->Selected()), L"Sub Folder é");
    EXPECT_EQ(tree->LastDirs(L'C'), TreePath(L"Sub Folder é"));
}

TEST_F(DirTreeTest, SelectPathOfADeletedFolderSelectsTheCurrentDriveRoot) {
    const std::wstring gone = temp.MakeFolder(L"Gone");
    MakeTree();
    ::RemoveDirectoryW(gone.c_str());
    tree->SelectPath(gone);
    EXPECT_EQ(tree->GetSelectedPath(), L"C:\\");
}

TEST_F(DirTreeTest, SelectPathOfAnEmptyPathThrowsAndQuestionMarkDoesNothing) {
    temp.MakeFolder(L"A");
    MakeTree();
    tree->SelectPath(temp / L"A");
    const std::wstring before = tree->GetSelectedPath();
    try {
        tree->SelectPath(L"");
        FAIL() << "no exception";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Invalid Path Name");
    }
    tree->SelectPath(L"?");
    EXPECT_EQ(tree->GetSelectedPath(), before);
}

TEST_F(DirTreeTest, SelectionChangeRaisesOnChangeOnceForTheNewNode) {
    temp.MakeFolder(L"A");
    MakeTree();
    tree->SelectPath(temp / L"A");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], tree->Selected());
    tree->SelectPath(temp / L"A");
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(DirTreeTest, FindNodeFindsOnlyWhatWasRead) {
    temp.MakeFolder(L"A");
    const std::wstring b = temp.MakeFolder(L"A\\B");
    MakeTree();
    EXPECT_EQ(tree->FindNode(b), nullptr);
    tree->SelectPath(b);
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->FindNode(b), tree->Selected());
    EXPECT_EQ(tree->FindNode(Lower(b) + L"\\"), tree->Selected());
    EXPECT_EQ(tree->FindNode(L""), nullptr);
}

TEST_F(DirTreeTest, GoToParentSelectsTheParentAndCollapsesOnlyWhenAsked) {
    temp.MakeFolder(L"A");
    const std::wstring b = temp.MakeFolder(L"A\\B");
    MakeTree();
    tree->SelectPath(b);
    const HTREEITEM a = tree->Parent(tree->Selected());
    const HTREEITEM top = tree->Parent(a);
    ASSERT_TRUE(tree->IsExpanded(a));
    tree->GoToParent(false);
    EXPECT_EQ(tree->Selected(), a);
    EXPECT_TRUE(tree->IsExpanded(a));
    tree->GoToParent(true);
    EXPECT_EQ(tree->Selected(), top);
    EXPECT_FALSE(tree->IsExpanded(top));
    EXPECT_FALSE(tree->IsExpanded(a));
}

TEST_F(DirTreeTest, GoToParentOnARootCollapsesItOnlyWhenAsked) {
    MakeTree();
    tree->SelectPath(L"C:\\");
    const HTREEITEM root = tree->Selected();
    ASSERT_TRUE(tree->Expand(root));
    tree->GoToParent(false);
    EXPECT_EQ(tree->Selected(), root);
    EXPECT_TRUE(tree->IsExpanded(root));
    tree->GoToParent(true);
    EXPECT_EQ(tree->Selected(), root);
    EXPECT_FALSE(tree->IsExpanded(root));
}

TEST_F(DirTreeTest, RecycleFolderIsShownButNothingBelowIt) {
    temp.MakeFolder(L"RECYCLED");
    temp.MakeFolder(L"RECYCLED\\Inner");
    temp.MakeFolder(L"Sub");
    temp.MakeFolder(L"Sub\\Recycled");
    const std::wstring deep = temp.MakeFolder(L"Sub\\Recycled\\Deep");
    std::vector<std::wstring> offered;
    MakeTree(
        [&](TDirTree& t) { t.OnAddDir = [&](const std::wstring& path, bool&) { offered.push_back(path); }; });
    tree->SelectPath(temp.Path());
    const HTREEITEM top = tree->Selected();
    ASSERT_TRUE(tree->Expand(top));
    const HTREEITEM recycled = tree->FindNode(temp / L"RECYCLED");
    ASSERT_NE(recycled, nullptr);
    EXPECT_TRUE(tree->Children(recycled).empty()) << "no expand button";
    tree->Expand(recycled);
    EXPECT_TRUE(tree->Children(recycled).empty());

    tree->SelectPath(deep);
    EXPECT_EQ(tree->GetSelectedPath(), TreePath()) << "the search stops at the first missing level";
    const HTREEITEM nested = tree->FindNode(temp / L"Sub\\Recycled");
    ASSERT_NE(nested, nullptr);
    EXPECT_TRUE(tree->Children(nested).empty());
    for (const std::wstring& path : offered)
        EXPECT_FALSE(IsBelowRecycleBin(path)) << path;
}

TEST_F(DirTreeTest, GoBelowRecycleBinShowsFoldersBelowIt) {
    temp.MakeFolder(L"Recycled");
    const std::wstring inner = temp.MakeFolder(L"Recycled\\Inner");
    MakeTree([](TDirTree& t) { t.SetGoBelowRecycleBin(true); });
    tree->SelectPath(inner);
    EXPECT_EQ(tree->GetSelectedPath(), TreePath(L"Recycled\\Inner"));
}

TEST_F(DirTreeTest, FastLoadGivesEveryRootAnExpandButtonThatGoesWhenTheDriveIsEmpty) {
    drives->Add(L'Q', kDriveFixed, VolumeInfo{0x2222, L"EMPTY"}); // no such folder: reads as empty
    MakeTree([](TDirTree& t) { t.SetFastLoad(true); });
    const std::vector<HTREEITEM> roots = tree->Children(nullptr);
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_TRUE(HasPlaceholderOnly(roots[1]));
    EXPECT_FALSE(tree->Expand(roots[1]));
    EXPECT_TRUE(tree->Children(roots[1]).empty());
    EXPECT_TRUE(tree->NodeInfo(roots[1])->Read);
}

TEST_F(DirTreeTest, WithoutFastLoadAnEmptyFixedDriveHasNoExpandButton) {
    drives->Add(L'Q', kDriveFixed, VolumeInfo{0x2222, L"EMPTY"});
    drives->Add(L'R', kDriveRemovable, VolumeInfo{0x3333, L"CARD"});
    MakeTree();
    const std::vector<HTREEITEM> roots = tree->Children(nullptr);
    ASSERT_EQ(roots.size(), 3u);
    EXPECT_FALSE(tree->Children(roots[0]).empty()); // C: has folders
    EXPECT_TRUE(tree->Children(roots[1]).empty());
    EXPECT_TRUE(HasPlaceholderOnly(roots[2])); // removable media is not touched at load
    EXPECT_EQ(tree->Caption(roots[2]), L"Drive R");
    EXPECT_EQ(drives->volumeReads[L'R'], 0);
    EXPECT_EQ(tree->Caption(roots[1]), L"EMPTY (Q:)");
}

TEST_F(DirTreeTest, UserExpansionReadsTheFolderAndProbesItsChildren) {
    temp.MakeFolder(L"Empty");
    temp.MakeFolder(L"Full");
    temp.MakeFolder(L"Full\\Inside");
    MakeTree();
    tree->SelectPath(temp.Path());
    const HTREEITEM top = tree->Selected();
    tree->Collapse(top, false);
    // The keyboard expands as a user does, through the tree's own notification.
    tree->Send(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(tree->IsExpanded(top));
    SettleProbe();
    const std::vector<HTREEITEM> children = tree->Children(top);
    ASSERT_EQ(children.size(), 2u);
    EXPECT_TRUE(tree->Children(children[0]).empty());
    EXPECT_TRUE(HasPlaceholderOnly(children[1]));
    tree->Expand(children[1]);
    EXPECT_EQ(Captions(children[1]), std::vector<std::wstring>{L"Inside"});
}

TEST_F(DirTreeTest, OnFindDirReplacesTheFileSystemAndItsDataReachesTheNodes) {
    drives->Add(L'V', kDriveRemote, VolumeInfo{0x4444, L"VIRTUAL"});
    static int zetaData = 0;
    static int alphaData = 0;
    std::vector<std::wstring> asked;
    MakeTree([&](TDirTree& t) {
        t.OnFindDir = [&](const std::wstring& path, TDirRec& rec, int& result, bool first) {
            asked.push_back(path);
            static int index = 0;
            if (first)
                index = 0;
            result = 1;
            if (path != L"V:\\")
                return;
            if (index == 0) {
                rec.Attr = kAttrDirectory;
                rec.Name = L"Zeta";
                rec.Data = &zetaData;
                result = 0;
            } else if (index == 1) {
                rec.Attr = 0; // a file: skipped
                rec.Name = L"file.txt";
                result = 0;
            } else if (index == 2) {
                rec.Attr = kAttrDirectory;
                rec.Name = L"alpha";
                rec.Data = &alphaData;
                result = 0;
            }
            ++index;
        };
    });
    const HTREEITEM root = tree->Children(nullptr).back();
    ASSERT_EQ(tree->NodeInfo(root)->Path, L"V:\\");
    tree->Expand(root);
    const std::vector<HTREEITEM> children = tree->Children(root);
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(tree->NodeInfo(children[0])->Path, L"V:\\ALPHA\\");
    EXPECT_EQ(tree->NodeInfo(children[0])->Data, &alphaData);
    EXPECT_EQ(tree->NodeInfo(children[1])->Data, &zetaData);
    EXPECT_NE(std::find(asked.begin(), asked.end(), L"V:\\ALPHA\\"), asked.end()) << "children probed";
}

TEST_F(DirTreeTest, ExpandReadsTheFolderOnceAndProbesEachChildOnce) {
    drives->Add(L'V', kDriveRemote, VolumeInfo{0x4444, L"VIRTUAL"});
    std::map<std::wstring, int> enumerations;
    int expanding = 0;
    MakeTree([&](TDirTree& t) {
        t.OnFindDir = [&](const std::wstring& path, TDirRec& rec, int& result, bool first) {
            static int index = 0;
            if (first) {
                index = 0;
                ++enumerations[path];
            }
            result = 1;
            if (path == L"V:\\" && index < 3) {
                rec.Attr = kAttrDirectory;
                rec.Name = L"Folder " + std::to_wstring(index);
                result = 0;
            }
            ++index;
        };
        t.OnExpanding = [&](HTREEITEM, bool&) { ++expanding; };
    });
    enumerations.clear();
    ASSERT_TRUE(tree->Expand(tree->Children(nullptr).back()));
    EXPECT_EQ(expanding, 1);
    EXPECT_EQ(enumerations,
              (std::map<std::wstring, int>{
                  {L"V:\\", 1}, {L"V:\\FOLDER 0\\", 1}, {L"V:\\FOLDER 1\\", 1}, {L"V:\\FOLDER 2\\", 1}}));
}

TEST_F(DirTreeTest, ChildNodesKeepTheStoredNameAndReachTheFolderAsTheDiskSpellsIt) {
    temp.MakeFolder(L"Mixed Case");
    temp.MakeFolder(L"Mixed Case\\Inner");
    MakeTree();
    tree->SelectPath(temp.Path());
    const HTREEITEM top = tree->Selected();
    ASSERT_TRUE(tree->Expand(top));
    const std::vector<HTREEITEM> children = tree->Children(top);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(tree->Caption(children[0]), L"Mixed Case");
    const TDirNodeInfo* info = tree->NodeInfo(children[0]);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Path, TreePath(L"Mixed Case"));
    const std::wstring tail = L"\\Mixed Case\\";
    ASSERT_GE(info->DiskPath.size(), tail.size());
    EXPECT_EQ(info->DiskPath.substr(info->DiskPath.size() - tail.size()), tail);
    EXPECT_EQ(Upper(info->DiskPath), info->Path);
    SettleProbe();
    EXPECT_TRUE(HasPlaceholderOnly(children[0])) << "probed through the disk's spelling";
}

TEST_F(DirTreeTest, PlainFoldersTakeTheFolderIconsWithoutAskingTheShellEach) {
    const std::wstring plain = temp.MakeFolder(L"Plain");
    const std::wstring own = temp.MakeFolder(L"Own icon");
    ::SetFileAttributesW(own.c_str(), FILE_ATTRIBUTE_SYSTEM);
    const bool ownKept = (::GetFileAttributesW(own.c_str()) & FILE_ATTRIBUTE_SYSTEM) != 0;
    MakeTree();
    tree->SelectPath(temp.Path());
    drives->shellPaths.clear();
    tree->ResetNode(tree->Selected());
    ASSERT_TRUE(tree->Expand(tree->Selected()));
    const HTREEITEM node = tree->FindNode(plain);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(tree->ImageIndex(node), FakeDriveSystem::kFolderIcon);
    EXPECT_EQ(tree->SelectedImageIndex(node), FakeDriveSystem::kOpenFolderIcon);
    auto asked = [&](const std::wstring& name) {
        return std::any_of(drives->shellPaths.begin(), drives->shellPaths.end(),
                           [&](const std::wstring& path) { return LastComponent(path) == name; });
    };
    EXPECT_FALSE(asked(L"Plain"));
    ::SetFileAttributesW(own.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!ownKept)
        GTEST_SKIP() << "this file system keeps no system attribute on folders";
    EXPECT_TRUE(asked(L"Own icon")) << "a folder that may carry its own icon is asked about";
}

TEST_F(DirTreeTest, EveryDeletedNodeIsReported) {
    temp.MakeFolder(L"A");
    MakeTree();
    tree->SelectPath(temp / L"A");
    std::vector<HTREEITEM> all;
    std::function<void(HTREEITEM)> walk = [&](HTREEITEM first) {
        for (HTREEITEM n = first; n; n = tree->NextSibling(n)) {
            all.push_back(n);
            walk(tree->FirstChild(n));
        }
    };
    walk(tree->FirstRoot());
    size_t deleted = 0;
    tree->OnDeleteItem = [&](HTREEITEM) { ++deleted; };
    tree->ClearTree();
    EXPECT_EQ(deleted, all.size());
    EXPECT_EQ(tree->FirstRoot(), nullptr);
    EXPECT_EQ(tree->GetSelectedPath(), L"?");
}

TEST_F(DirTreeTest, RecreatedWindowReadsItsDrivesAndKeepsTheSelection) {
    temp.MakeFolder(L"Keep");
    MakeTree([](TDirTree& t) { t.SetAcceptDropFiles(true); });
    tree->SelectPath(temp / L"Keep");
    tree->RecreateWnd();
    ASSERT_TRUE(tree->HandleAllocated());
    EXPECT_EQ(tree->GetSelectedPath(), TreePath(L"Keep"));
    EXPECT_TRUE(tree->AcceptDropFiles());
    EXPECT_TRUE(::GetWindowLongW(tree->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(DirTreeTest, FolderNodesShowTheClosedAndOpenFolderIcons) {
    temp.MakeFolder(L"A");
    std::vector<HTREEITEM> iconed;
    MakeTree([&](TDirTree& t) { t.OnGetIcon = [&](HTREEITEM node) { iconed.push_back(node); }; });
    tree->SelectPath(temp / L"A");
    const HTREEITEM node = tree->Selected();
    EXPECT_EQ(tree->ImageIndex(node), FakeDriveSystem::kFolderIcon);
    EXPECT_EQ(tree->SelectedImageIndex(node), FakeDriveSystem::kOpenFolderIcon);
    EXPECT_NE(std::find(iconed.begin(), iconed.end(), node), iconed.end());
    EXPECT_NE(tree->SystemImages(), nullptr);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(tree->Send(TVM_GETIMAGELIST, TVSIL_NORMAL)), tree->SystemImages());
}

TEST_F(DirTreeTest, ShareOverlayIsAbsentOnAnUnsharedFolderBothWays) {
    temp.MakeFolder(L"A");
    MakeTree();
    tree->SelectPath(temp / L"A");
    tree->SetShowShareOverlay(true);
    EXPECT_EQ(tree->OverlayIndex(tree->Selected()), -1);
    tree->SelectPath(temp.Path()); // nodes read meanwhile get their overlay too
    tree->SetShowShareOverlay(false);
    EXPECT_EQ(tree->OverlayIndex(tree->Selected()), -1);
}

TEST_F(DirTreeTest, ExistingTreeKeepsTheSelectionWhenTheFilterChanges) {
    temp.MakeFolder(L"A");
    MakeTree();
    tree->SelectPath(temp / L"A");
    tree->SetDirTypes(TDirTypes{TDirType::dtNormal});
    EXPECT_EQ(tree->GetSelectedPath(), TreePath(L"A"));
}

// Hidden and system folders under each filter. Wine keeps the attributes of folders in extended
// attributes and reports dot-named folders as hidden, so both ways are tried.
class DirTypesFilter : public DirTreeTest, public testing::WithParamInterface<std::pair<TDirTypes, int>> {};

TEST_P(DirTypesFilter, ShowsWhatTheFilterAccepts) {
    temp.MakeFolder(L"Plain");
    const std::wstring hidden = temp.MakeFolder(L"Hidden");
    const std::wstring system = temp.MakeFolder(L"Sys");
    ::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(system.c_str(), FILE_ATTRIBUTE_SYSTEM);
    const DWORD hiddenAttr = ::GetFileAttributesW(hidden.c_str());
    const DWORD systemAttr = ::GetFileAttributesW(system.c_str());
    const DWORD plainAttr = ::GetFileAttributesW((temp / L"Plain").c_str());
    MakeTree([](TDirTree& t) { t.SetDirTypes(GetParam().first); });
    // The folders above the temporary folder may not pass the filter: read it from a node of its own.
    const HTREEITEM node = tree->AddDirNode(tree->FirstRoot(), temp.Path(), nullptr);
    tree->Expand(node);
    const std::vector<std::wstring> shown = Captions(node);
    auto isShown = [&](const wchar_t* name) {
        return std::find(shown.begin(), shown.end(), name) != shown.end();
    };
    EXPECT_EQ(isShown(L"Plain"), AttrAcceptedBy(plainAttr, GetParam().first));
    EXPECT_EQ(isShown(L"Hidden"), AttrAcceptedBy(hiddenAttr, GetParam().first));
    EXPECT_EQ(isShown(L"Sys"), AttrAcceptedBy(systemAttr, GetParam().first));
    EXPECT_EQ(static_cast<int>(shown.size()), GetParam().second);
    if (!(hiddenAttr & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system keeps no hidden attribute on folders";
}

INSTANTIATE_TEST_SUITE_P(Sets, DirTypesFilter,
                         testing::Values(std::make_pair(TDirTypes{TDirType::dtAll}, 3),
                                         std::make_pair(TDirTypes{TDirType::dtNormal}, 1),
                                         std::make_pair(TDirTypes{TDirType::dtHidden}, 1),
                                         std::make_pair(TDirTypes{TDirType::dtNormal, TDirType::dtHidden,
                                                                  TDirType::dtSystem},
                                                        3)));

TEST_F(DirTreeTest, SelectPathOfAHiddenFolderExcludedByTheFilterLeavesTheSelection) {
    temp.MakeFolder(L"A");
    const std::wstring hidden = temp.MakeFolder(L"Hidden");
    ::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    if (!(::GetFileAttributesW(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system keeps no hidden attribute on folders";
    MakeTree([](TDirTree& t) { t.SetDirTypes(TDirTypes{TDirType::dtNormal}); });
    tree->SelectPath(temp / L"A");
    tree->SelectPath(hidden);
    EXPECT_EQ(tree->GetSelectedPath(), TreePath(L"A"));
    tree->SelectPath(temp.Path());
    EXPECT_EQ(Captions(tree->Selected()), std::vector<std::wstring>{L"A"});
}
