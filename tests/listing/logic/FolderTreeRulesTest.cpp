// The walk's choice for each kind of subfolder, with the reparse tags Windows gives them.
#include "listing/FolderTreeRules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct SubfolderCase {
    const wchar_t* name;
    bool reparsePoint;
    uint32_t tag;
    bool atRoot;
    SubfolderWalk expected;
};

void PrintTo(const SubfolderCase& c, std::ostream* os) {
    *os << testing::PrintToString(std::wstring(c.name)) << " tag " << std::hex << c.tag
        << (c.atRoot ? " at a root" : "");
}

class SubfolderWalking : public testing::TestWithParam<SubfolderCase> {};

TEST_P(SubfolderWalking, EntersOnlyFoldersOfTheirOwn) {
    const SubfolderCase& c = GetParam();
    EXPECT_EQ(WalkOfSubfolder(c.name, c.reparsePoint, c.tag, c.atRoot), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, SubfolderWalking,
    testing::Values(SubfolderCase{L"photos", false, 0, false, SubfolderWalk::Enter},
                    SubfolderCase{L"junction", true, 0xA0000003, false, SubfolderWalk::SkipLink},
                    SubfolderCase{L"symlink", true, 0xA000000C, false, SubfolderWalk::SkipLink},
                    SubfolderCase{L"unknown", true, 0, false, SubfolderWalk::SkipLink},
                    // A cloud client's placeholder, a deduplicated folder: folders of their own.
                    SubfolderCase{L"OneDrive", true, 0x9000001A, false, SubfolderWalk::Enter},
                    SubfolderCase{L"cloud", true, 0x9000701A, false, SubfolderWalk::Enter},
                    SubfolderCase{L"dedup", true, 0x80000013, false, SubfolderWalk::Enter},
                    SubfolderCase{L"System Volume Information", false, 0, true, SubfolderWalk::SkipSystem},
                    SubfolderCase{L"$Recycle.Bin", false, 0, true, SubfolderWalk::SkipSystem},
                    SubfolderCase{L"System Volume Information", false, 0, false, SubfolderWalk::Enter},
                    SubfolderCase{L"$RECYCLE.BIN2", false, 0, true, SubfolderWalk::Enter}));

TEST(VolumeRootPath, TellsRootsFromFolders) {
    for (const wchar_t* root : {L"D:", L"d:\\", L"\\\\server\\share", L"\\\\server\\share\\", L"\\\\?\\D:\\",
                                L"\\\\?\\UNC\\server\\share"})
        EXPECT_TRUE(IsVolumeRootPath(root)) << testing::PrintToString(std::wstring(root));
    for (const wchar_t* folder : {L"D:\\Photos", L"\\\\server", L"\\\\server\\share\\a", L"\\\\?\\D:\\a",
                                  L"\\\\?\\UNC\\server", L"1:", L""})
        EXPECT_FALSE(IsVolumeRootPath(folder)) << testing::PrintToString(std::wstring(folder));
}

} // namespace
