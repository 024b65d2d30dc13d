// Sorting the listing by each of its eight keys, both ways, and the full path of an entry.
#include "listing/FileListing.h"
#include "listing/FixedLocale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

FixedLocale french;

class FileListingSort : public testing::Test {
protected:
    void SetUp() override {
        listing.Reset(L"C:\\DATA");
        // Each key orders the three entries differently, so a sort by the wrong key shows.
        Add(L"beta.txt", L"BETA.TXT", L"Zeta", 300, 3, 1, 2, 0x20);
        Add(L"Alpha.doc", L"ALPHA.DOC", L"Document", 100, 2, 3, 1, 0x21);
        Add(L"gamma", L"ZZZ~1", L"Fichier", 200, 1, 2, 3, 0x01);
    }
    void Add(const wchar_t* name, const wchar_t* dos, const wchar_t* type, int64_t size, double created,
             double modified, double accessed, uint32_t attributes) {
        TFileObject e;
        e.Name = name;
        e.DosName = dos;
        e.TypeName = listing.KeepTypeName(name, type);
        e.Size = size;
        e.Created = created;
        e.Modified = modified;
        e.Accessed = accessed;
        e.Attributes = attributes;
        listing.Add(std::move(e));
    }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (size_t i = 0; i < listing.Count(); ++i)
            names.push_back(listing[i].Name);
        return names;
    }
    TFileListing listing;
};

struct SortCase {
    int key;
    std::vector<std::wstring> ascending;
};

void PrintTo(const SortCase& c, std::ostream* os) {
    *os << "key " << c.key;
}

class FileListingSortByKey : public FileListingSort, public testing::WithParamInterface<SortCase> {};

TEST_P(FileListingSortByKey, OrdersAscendingThenDescending) {
    const SortCase& c = GetParam();
    listing.Sort(c.key, true, french);
    EXPECT_EQ(Names(), c.ascending);
    listing.Sort(c.key, false, french);
    EXPECT_EQ(Names(), std::vector<std::wstring>(c.ascending.rbegin(), c.ascending.rend()));
}

INSTANTIATE_TEST_SUITE_P(
    AllKeys, FileListingSortByKey,
    testing::Values(SortCase{1, {L"Alpha.doc", L"beta.txt", L"gamma"}},
                    SortCase{2, {L"Alpha.doc", L"gamma", L"beta.txt"}},
                    SortCase{3, {L"gamma", L"Alpha.doc", L"beta.txt"}},
                    SortCase{4, {L"beta.txt", L"gamma", L"Alpha.doc"}},
                    SortCase{5, {L"Alpha.doc", L"beta.txt", L"gamma"}},
                    SortCase{6, {L"Alpha.doc", L"beta.txt", L"gamma"}},
                    SortCase{7, {L"gamma", L"beta.txt", L"Alpha.doc"}},
                    SortCase{8, {L"Alpha.doc", L"gamma", L"beta.txt"}}));

TEST_F(FileListingSort, AnUnknownKeyLeavesTheOrder) {
    const auto before = Names();
    listing.Sort(0, true, french);
    listing.Sort(9, true, french);
    EXPECT_EQ(Names(), before);
}

TEST_F(FileListingSort, SortingKeepsEachEntryWhole) {
    listing.Sort(TFileListing::kSize, true, french);
    EXPECT_EQ(listing[0].Name, L"Alpha.doc");
    EXPECT_EQ(listing[0].DosName, L"ALPHA.DOC");
    EXPECT_EQ(listing[0].TypeName, L"Document");
    EXPECT_EQ(listing[0].Attributes, 0x21u);
    EXPECT_EQ(listing.TotalSize(), 600);
}

TEST(FileListing, FullNameAddsOneBackslash) {
    TFileListing listing;
    listing.Reset(L"C:\\");
    TFileObject e;
    e.Name = L"a.txt";
    listing.Add(e);
    EXPECT_EQ(listing.FullName(0), L"C:\\a.txt");
    listing.Reset(L"C:\\DATA");
    listing.Add(e);
    EXPECT_EQ(listing.FullName(0), L"C:\\DATA\\a.txt");
}

TEST(FileListing, NameSortIgnoresCaseOfAccentedLetters) {
    TFileListing listing;
    listing.Reset(L"C:\\");
    for (const wchar_t* n : {L"éz", L"ÉA", L"f"}) {
        TFileObject e;
        e.Name = n;
        listing.Add(e);
    }
    listing.Sort(TFileListing::kName, true, french);
    EXPECT_EQ(listing[0].Name, L"f"); // code-point order of the pinned locale puts é after f
    EXPECT_EQ(listing[1].Name, L"ÉA");
    EXPECT_EQ(listing[2].Name, L"éz");
}

} // namespace
