// Splitting paths, the extended-length form and the case-blind search pattern.
#include "base/FileNameParts.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitFileName, FolderKeepsItsSeparatorAndNameKeepsItsExtension) {
    const FileNameParts parts = SplitFileName(L"C:\\Docs\\mon FICHIER.Txt");
    EXPECT_EQ(parts.Folder, L"C:\\Docs\\");
    EXPECT_EQ(parts.Name, L"mon FICHIER.Txt");
}

TEST(SplitFileName, DriveRelativePathStaysOnItsDrive) {
    // Adding a "\" here would name a file at the root instead.
    const FileNameParts parts = SplitFileName(L"D:notes.txt");
    EXPECT_EQ(parts.Folder + parts.Name, L"D:notes.txt");
    EXPECT_EQ(parts.Name, L"notes.txt");
}

TEST(SplitFileName, BareNameHasNoFolderAndTrailingSeparatorHasNoName) {
    EXPECT_EQ(SplitFileName(L"a.txt").Folder, L"");
    EXPECT_EQ(SplitFileName(L"a.txt").Name, L"a.txt");
    EXPECT_EQ(SplitFileName(L"C:\\dir\\").Name, L"");
}

TEST(SplitFileName, ExtendedAndUncPathsSplitAtTheLastSeparator) {
    EXPECT_EQ(SplitFileName(L"\\\\?\\C:\\a\\b.txt").Folder, L"\\\\?\\C:\\a\\");
    EXPECT_EQ(SplitFileName(L"\\\\srv\\share\\b.txt").Name, L"b.txt");
}

TEST(ExtendedLengthPath, DrivePathsAndUncPathsGetTheirPrefix) {
    EXPECT_EQ(ExtendedLengthPath(L"C:\\a\\b.txt"), L"\\\\?\\C:\\a\\b.txt");
    EXPECT_EQ(ExtendedLengthPath(L"\\\\srv\\share\\b.txt"), L"\\\\?\\UNC\\srv\\share\\b.txt");
}

TEST(ExtendedLengthPath, PrefixedAndPartialPathsAreUnchanged) {
    EXPECT_EQ(ExtendedLengthPath(L"\\\\?\\C:\\a"), L"\\\\?\\C:\\a");
    EXPECT_EQ(ExtendedLengthPath(L"\\\\.\\COM1"), L"\\\\.\\COM1");
    EXPECT_EQ(ExtendedLengthPath(L"a\\b.txt"), L"a\\b.txt");
    EXPECT_EQ(ExtendedLengthPath(L"C:b.txt"), L"C:b.txt");
}

TEST(CaseBlindPattern, LettersAndNonAsciiBecomeWildcardsOthersStay) {
    EXPECT_EQ(CaseBlindPattern(L"mon FICHIER.Txt"), L"??? ???????.???");
    EXPECT_EQ(CaseBlindPattern(L"1er essai (2).doc"), L"1?? ????? (2).???");
    EXPECT_EQ(CaseBlindPattern(L"\u00e9t\u00e9_9-\u65e5.txt"), L"???_9-?.???");
}

} // namespace
