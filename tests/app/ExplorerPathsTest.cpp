// Paths from Explorer, platform-free: the block one start hands to the window open (and every
// malformed block refused), the folder and names the window shows for given paths, and the
// case-blind name set that selects them.
#include "app/ExplorerSelection.h"
#include "app/NameSet.h"
#include "app/PathHandOver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::wstring>;

std::vector<uint8_t> Units(std::initializer_list<uint16_t> units) {
    std::vector<uint8_t> bytes;
    for (const uint16_t unit : units) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

TEST(PathHandOver, PathsComeBackAsSent) {
    const Paths paths{L"C:\\Photos\\été 2024.jpg", L"D:\\a", std::wstring(32767, L'x')};
    const std::vector<uint8_t> block = EncodePathHandOver(paths);
    EXPECT_EQ(DecodePathHandOver(kPathHandOverTag, block.data(), block.size()), paths);
}

TEST(PathHandOver, RefusesEveryBlockThatIsNotOneOfOurs) {
    const std::vector<uint8_t> good = EncodePathHandOver({L"C:\\a.txt", L"C:\\b.txt"});
    std::vector<uint8_t> tooLong = Units({0});
    tooLong.resize(2 * 32768, 'x');
    tooLong.insert(tooLong.end(), {0, 0, 0, 0});
    const struct {
        const char* what;
        uint64_t tag;
        std::vector<uint8_t> block;
        size_t size; // of the block, unless 0
    } cases[] = {
        {"another tag", kPathHandOverTag + 1, good, 0},
        {"cut by one byte", kPathHandOverTag, good, good.size() - 1},
        {"without the list's end", kPathHandOverTag, good, good.size() - 2},
        {"without any end", kPathHandOverTag, Units({'a', 'b'}), 0},
        {"empty", kPathHandOverTag, {}, 0},
        {"no path", kPathHandOverTag, Units({0, 0}), 0},
        {"empty path inside", kPathHandOverTag, Units({'a', 0, 0, 'b', 0, 0}), 0},
        {"more after the end", kPathHandOverTag, Units({'a', 0, 0, 'b', 0}), 0},
        {"path longer than Windows opens", kPathHandOverTag, tooLong, 0},
    };
    for (const auto& c : cases) {
        const size_t size = c.size ? c.size : c.block.size();
        EXPECT_EQ(DecodePathHandOver(c.tag, c.block.empty() ? nullptr : c.block.data(), size), std::nullopt)
            << c.what;
    }
    EXPECT_EQ(DecodePathHandOver(kPathHandOverTag, good.data(), kPathHandOverMaxBytes + 2), std::nullopt);
}

TEST(ExplorerSelection, FirstPathsFolderWithItsFilesAndTheRestCounted) {
    const struct {
        const char* what;
        std::vector<GivenPath> given;
        std::wstring folder;
        Paths names;
        size_t leftOut;
    } cases[] = {
        {"files of one folder",
         {{L"C:\\Dir\\a.txt"}, {L"C:\\Dir\\b.txt"}},
         L"C:\\Dir",
         {L"a.txt", L"b.txt"},
         0},
        {"other folders left out",
         {{L"C:\\Dir\\a.txt"}, {L"C:\\Other\\b.txt"}, {L"c:\\dir\\c.txt"}, {L"C:\\Dir\\Sub\\d.txt"}},
         L"C:\\Dir",
         {L"a.txt", L"c.txt"},
         2},
        {"a folder alone is opened", {{L"C:\\Dir\\Sub\\", true}}, L"C:\\Dir\\Sub", {}, 0},
        {"a folder among files is a name",
         {{L"C:\\Dir\\Sub", true}, {L"C:\\Dir\\a.txt"}},
         L"C:\\Dir",
         {L"Sub", L"a.txt"},
         0},
        {"a file at a root", {{L"D:\\a.txt"}}, L"D:\\", {L"a.txt"}, 0},
        {"a root alone", {{L"D:\\", true}}, L"D:\\", {}, 0},
        {"a root and more", {{L"D:\\", true}, {L"D:\\a.txt"}}, L"D:\\", {}, 1},
    };
    for (const auto& c : cases) {
        const std::optional<FolderSelection> selection = SelectionOfPaths(c.given);
        ASSERT_TRUE(selection) << c.what;
        EXPECT_EQ(selection->Folder, c.folder) << c.what;
        EXPECT_EQ(selection->Names, c.names) << c.what;
        EXPECT_EQ(selection->LeftOut, c.leftOut) << c.what;
    }
    EXPECT_EQ(SelectionOfPaths({}), std::nullopt);
    EXPECT_EQ(LeftOutNote(0), L"");
    EXPECT_EQ(LeftOutNote(1), L"1 fichier d'un autre dossier laissé de côté");
    EXPECT_EQ(LeftOutNote(3), L"3 fichiers d'autres dossiers laissés de côté");
}

TEST(NameSet, FindsNamesWhateverTheirLetterCase) {
    const NameSet set({L"Photo.JPG", L"été.txt", L"b"});
    EXPECT_TRUE(set.Contains(L"photo.jpg"));
    EXPECT_TRUE(set.Contains(L"ÉTÉ.TXT"));
    EXPECT_TRUE(set.Contains(L"B"));
    EXPECT_FALSE(set.Contains(L"photo.jpeg"));
    EXPECT_FALSE(set.Contains(L"ete.txt"));
    EXPECT_FALSE(set.Contains(L""));
}

} // namespace
