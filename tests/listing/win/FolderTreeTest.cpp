// Walking real folder trees: what is entered, what is named and left out.
#include "listing/FolderTree.h"

#include "support/win/ScratchDrive.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

TEST(FolderTree, JunctionsAreNamedAndNotFollowedAndDotFilesAreLeftOut) {
    TempFolder folder;
    TempFolder outside;
    folder.MakeFile(L"a.jpg");
    folder.MakeFile(L"._a.jpg");
    folder.MakeFolder(L"sous");
    folder.MakeFile(L"sous\\b.JPG");
    outside.MakeFile(L"dehors.jpg");
    ASSERT_TRUE(MakeJunction(folder / L"lien", outside.Path()));
    // Back to the top: followed, it would never end.
    ASSERT_TRUE(MakeJunction(folder / L"sous\\retour", folder.Path()));

    const FolderTreeFiles tree = CollectFolderTree(folder.Path(), L"*.jpg");
    EXPECT_EQ(tree.Names, (Names{L"a.jpg", L"sous\\b.JPG"}));
    EXPECT_EQ(tree.Links, (Names{L"lien", L"sous\\retour"}));
    EXPECT_EQ(tree.Unreadable, Names{});
    EXPECT_EQ(tree.Folders, 2u);
}

TEST(FolderTree, SystemFoldersAreLeftOutAtAVolumeRootOnly) {
    TempFolder stick;
    for (const wchar_t* name :
         {L"System Volume Information", L"$RECYCLE.BIN", L"photos", L"photos\\System Volume Information"}) {
        stick.MakeFolder(name);
        stick.MakeFile(std::wstring(name) + L"\\x.jpg");
    }
    ScratchDrive drive(L'S', stick.Path());
    ASSERT_TRUE(drive.Ready());

    EXPECT_EQ(CollectFolderTree(L"S:\\", L"*").Names,
              (Names{L"photos\\x.jpg", L"photos\\System Volume Information\\x.jpg"}));
    // The same folders below a root are anybody's.
    EXPECT_EQ(CollectFolderTree(stick.Path(), L"*").Names.size(), 4u);
}

// Keeps the counts it is told and stops the walk once it has read `limit` folders.
class StopAfterFolders : public FolderWalkWatch {
public:
    explicit StopAfterFolders(size_t limit) : limit_(limit) {}
    bool GoOn(size_t files, size_t folders) override {
        Told.emplace_back(files, folders);
        return folders < limit_;
    }
    std::vector<std::pair<size_t, size_t>> Told;

private:
    size_t limit_;
};

TEST(FolderTree, AWatchIsToldTheCountsBeforeEachFolderAndCanStopTheWalk) {
    TempFolder folder;
    folder.MakeFile(L"haut.txt");
    for (const wchar_t* sub : {L"a", L"b", L"c"}) {
        folder.MakeFolder(sub);
        folder.MakeFile(std::wstring(sub) + L"\\1.txt");
        folder.MakeFile(std::wstring(sub) + L"\\2.txt");
    }

    StopAfterFolders whole(100);
    const FolderTreeFiles all = CollectFolderTree(folder.Path(), L"*", &whole);
    EXPECT_FALSE(all.Stopped);
    EXPECT_EQ(all.Names.size(), 7u);
    using Counts = std::vector<std::pair<size_t, size_t>>;
    EXPECT_EQ(whole.Told, (Counts{{0, 0}, {1, 1}, {3, 2}, {5, 3}}));

    StopAfterFolders two(2);
    const FolderTreeFiles cut = CollectFolderTree(folder.Path(), L"*", &two);
    EXPECT_TRUE(cut.Stopped);
    EXPECT_EQ(cut.Names, (Names{L"haut.txt", L"a\\1.txt", L"a\\2.txt"}));
    EXPECT_EQ(two.Told.size(), 3u);
}

} // namespace
