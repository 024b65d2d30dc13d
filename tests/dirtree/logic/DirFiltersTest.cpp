// Which folders and drives the directory tree shows, and how drive roots are captioned.
#include "dirtree/DirFilters.h"
#include "base/FixedLocale.h"

#include <gtest/gtest.h>

#include <map>

TEST(IsBelowRecycleBin, RecycleFolderItselfIsNotBelowIt) {
    EXPECT_FALSE(IsBelowRecycleBin(L"C:\\RECYCLED\\"));
    EXPECT_FALSE(IsBelowRecycleBin(L"C:\\RECYCLER\\"));
    EXPECT_FALSE(IsBelowRecycleBin(L"C:\\A\\B\\Recycled\\"));
}

TEST(IsBelowRecycleBin, AnyFolderBelowARecycleFolderIsBelowIt) {
    EXPECT_TRUE(IsBelowRecycleBin(L"C:\\RECYCLED\\X\\"));
    EXPECT_TRUE(IsBelowRecycleBin(L"C:\\recycler\\S-1-5\\"));
    EXPECT_TRUE(IsBelowRecycleBin(L"D:\\Data\\Recycled\\Deep\\Deeper\\"));
}

TEST(IsBelowRecycleBin, NamesThatOnlyStartLikeARecycleFolderAreNot) {
    EXPECT_FALSE(IsBelowRecycleBin(L"C:\\RecycledStuff\\Inner\\"));
    EXPECT_FALSE(IsBelowRecycleBin(L"C:\\MyRecycled\\Inner\\"));
    EXPECT_FALSE(IsBelowRecycleBin(L"C:\\"));
}

TEST(AttrAcceptedBy, AllAcceptsEverything) {
    const TDirTypes all{TDirType::dtAll};
    for (uint32_t attr : {0x10u, 0x12u, 0x14u, 0x30u, 0x16u})
        EXPECT_TRUE(AttrAcceptedBy(attr, all)) << attr;
}

TEST(AttrAcceptedBy, NormalOnlyRejectsHiddenSystemAndArchive) {
    const TDirTypes normal{TDirType::dtNormal};
    EXPECT_TRUE(AttrAcceptedBy(0x10, normal));
    EXPECT_TRUE(AttrAcceptedBy(0x11, normal)); // read-only takes no part
    EXPECT_FALSE(AttrAcceptedBy(0x12, normal));
    EXPECT_FALSE(AttrAcceptedBy(0x14, normal));
    EXPECT_FALSE(AttrAcceptedBy(0x30, normal));
}

TEST(AttrAcceptedBy, HiddenOnlyShowsHiddenFoldersAndNotPlainOnes) {
    const TDirTypes hidden{TDirType::dtHidden};
    EXPECT_TRUE(AttrAcceptedBy(0x12, hidden));
    EXPECT_FALSE(AttrAcceptedBy(0x10, hidden));
    EXPECT_FALSE(AttrAcceptedBy(0x16, hidden)); // hidden and system needs dtSystem too
}

TEST(AttrAcceptedBy, EachSpecialBitNeedsItsOwnValue) {
    const TDirTypes set{TDirType::dtNormal, TDirType::dtHidden, TDirType::dtSystem};
    EXPECT_TRUE(AttrAcceptedBy(0x16, set));
    EXPECT_FALSE(AttrAcceptedBy(0x32, set));
    EXPECT_TRUE(AttrAcceptedBy(0x32, set.With(TDirType::dtArchive)));
    EXPECT_FALSE(AttrAcceptedBy(0x10, TDirTypes{TDirType::dtReadOnly}));
}

TEST(FilterDrives, KeepsOnlyAllowedKindsAndRootlessDrives) {
    const std::map<wchar_t, unsigned> kinds{
        {L'A', kDriveRemovable}, {L'C', kDriveFixed},   {L'D', kDriveCDRom},   {L'E', kDriveNoRootDir},
        {L'N', kDriveRemote},    {L'R', kDriveRamDisk}, {L'U', kDriveUnknown}, {L'X', 9}};
    uint32_t mask = 0;
    for (const auto& [letter, kind] : kinds)
        mask |= uint32_t{1} << (letter - L'A');
    const TDriveTypes noCD = kAllDriveTypes.Without(TDriveType::drtCDRom);
    const uint32_t kept = FilterDrives(mask, noCD, [&](wchar_t l) { return kinds.at(l); });
    EXPECT_EQ(kept, mask & ~(uint32_t{1} << 3));
    const uint32_t fixedOnly =
        FilterDrives(mask, TDriveTypes{TDriveType::drtFixed}, [&](wchar_t l) { return kinds.at(l); });
    EXPECT_EQ(fixedOnly, (1u << 2) | (1u << 4) | (1u << (L'X' - L'A')));
}

TEST(DriveCaptionText, LabelLetterOrLetterAlone) {
    EXPECT_EQ(DriveCaptionText(L'd', std::wstring(L"DATA")), L"DATA (D:)");
    EXPECT_EQ(DriveCaptionText(L'D', std::wstring()), L" (D:)");
    EXPECT_EQ(DriveCaptionText(L'a', std::nullopt), L"(A:)");
}

TEST(IsPlainFolder, OnlyFoldersWithoutAnIconOfTheirOwnArePlain) {
    EXPECT_TRUE(IsPlainFolder(kAttrDirectory));
    EXPECT_TRUE(IsPlainFolder(kAttrDirectory | kAttrHidden | kAttrArchive));
    EXPECT_FALSE(IsPlainFolder(kAttrDirectory | 0x1)) << "read-only: desktop.ini may give an icon";
    EXPECT_FALSE(IsPlainFolder(kAttrDirectory | kAttrSystem));
    EXPECT_FALSE(IsPlainFolder(kAttrDirectory | 0x400)) << "junction or mount point";
    EXPECT_FALSE(IsPlainFolder(kAttrDirectory | 0x1000)) << "offline";
    EXPECT_FALSE(IsPlainFolder(kAttrDirectory | 0x400000)) << "cloud placeholder";
}
