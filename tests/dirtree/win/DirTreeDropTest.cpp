// Files dropped on the tree's folders reach OnDropFiles once, with the folder they were dropped on.
#include "DirTreeFixture.h"

#include <shellapi.h>

namespace {

// A drop handle as the shell makes one, for the given point and files.
HDROP MakeDrop(POINT point, const std::vector<std::wstring>& files, bool nonClient = false) {
    size_t chars = 1;
    for (const std::wstring& file : files)
        chars += file.size() + 1;
    const size_t size = sizeof(DROPFILES) + chars * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    drop->fNC = nonClient ? TRUE : FALSE;
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const std::wstring& file : files) {
        std::copy(file.begin(), file.end(), text);
        text += file.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

struct DropSeen {
    int count = 0;
    std::wstring dir;
    std::vector<std::wstring> files;
};

} // namespace

class DirTreeDrop : public DirTreeTest {
protected:
    void Configure() {
        tree->SetAcceptDropFiles(true);
        tree->OnDropFiles = [this](int, int, const std::wstring& dir, const std::vector<std::wstring>& files,
                                   unsigned) {
            ++seen.count;
            seen.dir = dir;
            seen.files = files;
        };
    }
    POINT PointOn(HTREEITEM node) const {
        RECT r{};
        TreeView_GetItemRect(tree->Handle(), node, &r, TRUE);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    DropSeen seen;
};

TEST_F(DirTreeDrop, DropOnAFolderRaisesOneEventWithBothFilesInOrder) {
    temp.MakeFolder(L"Target");
    MakeTree();
    Configure();
    tree->SelectPath(temp / L"Target");
    const POINT point = PointOn(tree->Selected());
    tree->Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(point, {L"C:\\b.txt", L"C:\\a ü.txt"})));
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.dir, TreePath(L"Target"));
    EXPECT_EQ(seen.files, (std::vector<std::wstring>{L"C:\\b.txt", L"C:\\a ü.txt"}));
    EXPECT_EQ(tree->GetDropPath(), L"") << "drop target cleared";
}

TEST_F(DirTreeDrop, DropBelowTheLastNodeOrOutsideTheClientAreaRaisesNothing) {
    MakeTree();
    Configure();
    tree->Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(POINT{10, 550}, {L"C:\\x.txt"})));
    const POINT onRoot = PointOn(tree->FirstRoot());
    tree->Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(onRoot, {L"C:\\x.txt"}, true)));
    EXPECT_EQ(seen.count, 0);
}

TEST_F(DirTreeDrop, DropsAreAcceptedAgainAfterTheWindowIsCreatedAgain) {
    MakeTree();
    Configure();
    tree->RecreateWnd();
    tree->SetBounds(0, 0, 380, 560);
    tree->Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(PointOn(tree->FirstRoot()), {L"C:\\x.txt"})));
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.dir, L"C:\\");
}
