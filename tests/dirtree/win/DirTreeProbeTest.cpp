// The background look into a new folder's children: the expand buttons it leaves are the ones a
// look on the spot gives, and folders or nodes that change while it runs leave nothing stale.
#include "DirTreeFixture.h"

namespace {

std::wstring Numbered(const wchar_t* prefix, int i) {
    return prefix + std::to_wstring(1000 + i);
}

} // namespace

class DirTreeProbeTest : public DirTreeTest {
protected:
    // Per child caption: whether it shows an expand button through placeholders alone.
    std::map<std::wstring, bool> Buttons(HTREEITEM node) const {
        std::map<std::wstring, bool> buttons;
        for (HTREEITEM child : tree->Children(node)) {
            EXPECT_LE(tree->Children(child).size(), 1u) << "one placeholder at most";
            buttons[tree->Caption(child)] = HasPlaceholderOnly(child);
        }
        return buttons;
    }
    HTREEITEM ExpandTop() {
        tree->SelectPath(temp.Path());
        const HTREEITEM top = tree->Selected();
        tree->ResetNode(top);
        EXPECT_TRUE(tree->Expand(top));
        return top;
    }
};

TEST_F(DirTreeProbeTest, BackgroundLookEndsInTheStateOfALookOnTheSpot) {
    temp.MakeFolder(L"Empty");
    temp.MakeFolder(L"Files only");
    temp.MakeFile(L"Files only\\a.txt");
    temp.MakeFolder(L"Full");
    temp.MakeFolder(L"Full\\Inner");
    temp.MakeFolder(L"RECYCLED"); // what lies below a recycle folder is not shown
    temp.MakeFolder(L"RECYCLED\\Inner");
    for (int i = 0; i < 60; ++i) {
        temp.MakeFolder(Numbered(L"Many ", i));
        if (i % 3 == 0)
            temp.MakeFolder(Numbered(L"Many ", i) + L"\\Sub");
    }
    MakeTree();
    const HTREEITEM top = ExpandTop();
    EXPECT_EQ(tree->Children(top).size(), 64u) << "every child is shown before any answer";
    SettleProbe();
    const std::map<std::wstring, bool> background = Buttons(top);
    EXPECT_FALSE(background.at(L"Empty"));
    EXPECT_FALSE(background.at(L"Files only"));
    EXPECT_TRUE(background.at(L"Full"));
    EXPECT_FALSE(background.at(L"RECYCLED"));
    EXPECT_TRUE(background.at(Numbered(L"Many ", 3)));
    EXPECT_FALSE(background.at(Numbered(L"Many ", 4)));

    // An owner's OnAddDir keeps the look on the spot, through the tree's own enumeration.
    MakeTree([](TDirTree& t) { t.OnAddDir = [](const std::wstring&, bool&) {}; });
    const HTREEITEM spotTop = ExpandTop();
    EXPECT_FALSE(tree->Probing());
    EXPECT_EQ(Buttons(spotTop), background);
}

TEST_F(DirTreeProbeTest, FoldersMadeOrRemovedBeforeTheLookAreSeenAsTheyAreThen) {
    temp.MakeFolder(L"Gone");
    temp.MakeFolder(L"Gone\\Sub");
    temp.MakeFolder(L"Kept");
    temp.MakeFolder(L"Kept\\Sub");
    temp.MakeFolder(L"Later");
    MakeTree();
    const HTREEITEM top = ExpandTop();
    // The look starts from the message loop: these changes come between the read and the look.
    DeleteTree(temp / L"Gone");
    temp.MakeFolder(L"Later\\Sub");
    temp.MakeFolder(L"Newcomer");
    SettleProbe();
    EXPECT_EQ(Buttons(top),
              (std::map<std::wstring, bool>{{L"Gone", false}, {L"Kept", true}, {L"Later", true}}))
        << "no placeholder for a vanished folder, and no node the read did not find";
    const HTREEITEM gone = tree->FindNode(temp / L"Gone");
    ASSERT_NE(gone, nullptr);
    tree->Expand(gone);
    EXPECT_TRUE(tree->Children(gone).empty());
}

TEST_F(DirTreeProbeTest, ChildReadWhileTheLookRunsGetsNoPlaceholderAmongItsFolders) {
    for (int i = 0; i < 100; ++i)
        temp.MakeFolder(Numbered(L"Folder ", i));
    temp.MakeFolder(Numbered(L"Folder ", 0) + L"\\Inner");
    temp.MakeFolder(Numbered(L"Folder ", 99) + L"\\Inner");
    MakeTree();
    const HTREEITEM top = ExpandTop();
    PumpMessages(); // the worker is running now
    const HTREEITEM last = tree->FindNode(temp / Numbered(L"Folder ", 99));
    ASSERT_NE(last, nullptr);
    tree->Expand(last);
    SettleProbe();
    EXPECT_EQ(Captions(last), std::vector<std::wstring>{L"Inner"});
    EXPECT_TRUE(HasPlaceholderOnly(tree->FindNode(temp / Numbered(L"Folder ", 0))));
    EXPECT_EQ(tree->Children(top).size(), 100u);
}

TEST_F(DirTreeProbeTest, NodesDeletedWhileTheLookRunsTakeNoAnswerMeantForThem) {
    for (int i = 0; i < 150; ++i) {
        temp.MakeFolder(Numbered(L"Folder ", i));
        temp.MakeFolder(Numbered(L"Folder ", i) + L"\\Sub");
    }
    MakeTree();
    const HTREEITEM top = ExpandTop();
    PumpMessages();
    // The children go while the worker looks into them; their handles may come back for the new
    // nodes below, whose folders now differ from what the old answers said.
    tree->ResetNode(top);
    for (int i = 0; i < 150; i += 2)
        DeleteTree(temp / (Numbered(L"Folder ", i) + L"\\Sub"));
    ASSERT_TRUE(tree->Expand(top));
    SettleProbe();
    const std::map<std::wstring, bool> buttons = Buttons(top);
    ASSERT_EQ(buttons.size(), 150u);
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(buttons.at(Numbered(L"Folder ", i)), i % 2 == 1) << i;
}

TEST_F(DirTreeProbeTest, TreeGoesWhileTheLookRuns) {
    for (int i = 0; i < 150; ++i) {
        temp.MakeFolder(Numbered(L"Folder ", i));
        temp.MakeFolder(Numbered(L"Folder ", i) + L"\\Sub");
    }
    MakeTree();
    ExpandTop();
    PumpMessages();
    tree->RecreateWnd(); // the nodes go with the window, the selection comes back
    EXPECT_EQ(tree->GetSelectedPath(), TreePath());
    ExpandTop();
    PumpMessages();
    tree.reset(); // the worker is joined: nothing of the tree is touched afterwards
    PumpMessages();
    ::Sleep(50);
    PumpMessages();
}

TEST_F(DirTreeProbeTest, AFolderSelectedUnreadGetsItsExpandButtonFromTheBackgroundLook) {
    temp.MakeFolder(L"With");
    temp.MakeFolder(L"With\\Inner");
    temp.MakeFolder(L"Without");
    temp.MakeFile(L"Without\\a.txt");
    MakeTree();
    tree->SelectPath(temp / L"With", false);
    const HTREEITEM with = tree->Selected();
    ASSERT_NE(with, nullptr);
    EXPECT_EQ(tree->NodeInfo(with)->Path, TreePath(L"With"));
    EXPECT_FALSE(tree->NodeInfo(with)->Read);
    tree->SelectPath(temp / L"Without", false);
    const HTREEITEM without = tree->Selected();
    SettleProbe();
    EXPECT_TRUE(HasPlaceholderOnly(with));
    EXPECT_TRUE(tree->Children(without).empty());
    ASSERT_TRUE(tree->Expand(with));
    EXPECT_EQ(Captions(with), std::vector<std::wstring>{L"Inner"});
}
