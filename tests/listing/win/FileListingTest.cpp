// Reading real folders: which files are listed, their sizes, stamps and names.
#include "listing/DateTime.h"
#include "listing/FileListing.h"
#include "listing/FixedLocale.h"

#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class ReadFolder : public testing::Test {
protected:
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (size_t i = 0; i < listing.Count(); ++i)
            names.push_back(listing[i].Name);
        std::sort(names.begin(), names.end());
        return names;
    }
    const TFileObject& Entry(const std::wstring& name) const {
        for (size_t i = 0; i < listing.Count(); ++i)
            if (listing[i].Name == name)
                return listing[i];
        throw std::runtime_error("not listed");
    }
    void SetModified(const std::wstring& path, const FILETIME& ft) {
        HANDLE h = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(::SetFileTime(h, nullptr, nullptr, &ft));
        ::CloseHandle(h);
    }
    CivilTime Modified(const std::wstring& name) const { return DecodeDateTime(Entry(name).Modified); }

    TempFolder folder;
    TFileListing listing;
};

TEST_F(ReadFolder, SkipsDotFilesAndFolders) {
    folder.MakeFolder(L"sub");
    folder.MakeFolder(L"other.txt");
    folder.MakeFile(L".hidden-by-dot");
    EXPECT_EQ(listing.ReadFolder(folder.Path(), L"*.*"), 0);
    EXPECT_EQ(listing.Count(), 0u);
    EXPECT_EQ(listing.TotalSize(), 0);
}

TEST_F(ReadFolder, ListsHiddenAndSystemFilesThatMatch) {
    folder.MakeFile(L"h.txt", "ab", FILE_ATTRIBUTE_HIDDEN);
    folder.MakeFile(L"s.txt", "abc", FILE_ATTRIBUTE_SYSTEM);
    folder.MakeFile(L"plain.doc", "abcd");
    EXPECT_EQ(listing.ReadFolder(folder.Path(), L"*.TXT"), 2);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"h.txt", L"s.txt"}));
    EXPECT_TRUE(Entry(L"h.txt").Attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(listing.TotalSize(), 5);
    EXPECT_EQ(listing.Folder(), folder.Path());
    EXPECT_EQ(Entry(L"s.txt").IconIndex, -1);
}

TEST_F(ReadFolder, MissingFolderGivesAnEmptyListing) {
    folder.MakeFile(L"a.txt");
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(listing.ReadFolder(folder / L"nowhere", L"*.*"), 0);
    EXPECT_EQ(listing.Count(), 0u);
    EXPECT_EQ(listing.TotalSize(), 0);
}

TEST_F(ReadFolder, SizesBeyondFourGigabytesAreExact) {
    const std::wstring path = folder.MakeFile(L"big.bin", "");
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 5LL * 1024 * 1024 * 1024 + 3;
    ASSERT_TRUE(::SetFilePointerEx(h, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(h));
    ::CloseHandle(h);
    listing.ReadFolder(folder.Path(), L"");
    EXPECT_EQ(Entry(L"big.bin").Size, 5LL * 1024 * 1024 * 1024 + 3);
    EXPECT_EQ(listing.TotalSize(), 5LL * 1024 * 1024 * 1024 + 3);
}

TEST_F(ReadFolder, OddSecondsShowAsTheEvenSecondBelow) {
    // 10:15:33 local time in winter (UTC+1 under TZ=Europe/Paris) is 09:15:33 UTC.
    SetModified(folder.MakeFile(L"a.txt"), UtcFileTime(2021, 1, 15, 9, 15, 33));
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(Modified(L"a.txt"), (CivilTime{2021, 1, 15, 10, 15, 32, 0}));
}

TEST_F(ReadFolder, StampsBefore1980ShowTheZeroDate) {
    SetModified(folder.MakeFile(L"old.txt"), UtcFileTime(1975, 6, 1, 12, 0, 0));
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(Entry(L"old.txt").Modified, kZeroDate);
}

TEST_F(ReadFolder, LocalTimeFollowsTheRulesOfTheStampsOwnDate) {
    // Under TZ=Europe/Paris: 15 June 10:00 is 08:00 UTC (summer), 15 January 10:00 is 09:00 UTC.
    SetModified(folder.MakeFile(L"summer.txt"), UtcFileTime(2021, 6, 15, 8, 0, 0));
    SetModified(folder.MakeFile(L"winter.txt"), UtcFileTime(2021, 1, 15, 9, 0, 0));
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(Modified(L"summer.txt"), (CivilTime{2021, 6, 15, 10, 0, 0, 0}));
    EXPECT_EQ(Modified(L"winter.txt"), (CivilTime{2021, 1, 15, 10, 0, 0, 0}));
}

TEST_F(ReadFolder, NamesOutsideTheAnsiCodePageComeThroughIntact) {
    const std::vector<std::wstring> names = {L"日本語.txt", L"Ελληνικά.txt", L"emoji-\U0001F600.txt"};
    for (const auto& n : names)
        folder.MakeFile(n);
    EXPECT_EQ(listing.ReadFolder(folder.Path(), L"*.TXT"), 3);
    auto expected = names;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(listing.FullName(0).substr(0, folder.Path().size() + 1), folder.Path() + L"\\");
}

TEST_F(ReadFolder, ShortNameFallsBackToTheLongName) {
    folder.MakeFile(L"a long file name.text");
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_FALSE(Entry(L"a long file name.text").DosName.empty());
}

TEST_F(ReadFolder, FilesOfOneExtensionShareOneTypeName) {
    folder.MakeFile(L"a.txt");
    folder.MakeFile(L"b.TXT");
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(Entry(L"a.txt").TypeName, Entry(L"b.TXT").TypeName);
    EXPECT_EQ(Entry(L"a.txt").TypeName.data(), Entry(L"b.TXT").TypeName.data());
}

TEST_F(ReadFolder, SortByNameAfterReading) {
    folder.MakeFile(L"beta");
    folder.MakeFile(L"Alpha");
    folder.MakeFile(L"gamma");
    listing.ReadFolder(folder.Path(), L"*.*");
    listing.Sort(TFileListing::kName, true);
    EXPECT_EQ(listing[0].Name, L"Alpha");
    EXPECT_EQ(listing[2].Name, L"gamma");
    listing.Sort(TFileListing::kName, false);
    EXPECT_EQ(listing[0].Name, L"gamma");
    EXPECT_EQ(listing[2].Name, L"Alpha");
}

} // namespace
