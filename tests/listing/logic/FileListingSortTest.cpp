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
        // Every key gives its own order of the four entries, so a sort on the wrong field shows;
        // names and short names mix letter case, so a sort that did not ignore it shows too.
        Add(L"beta.txt", L"ABETA~1.TXT", L"Texte", 100, 4, 3, 3, 0x02);
        Add(L"Alpha.doc", L"ALPHA.DOC", L"Microsoft Word", 300, 2, 4, 1, 0x20);
        Add(L"gamma", L"gamma", L"Fichier", 200, 3, 1, 2, 0x21);
        Add(L"Delta.ini", L"ZDELTA~1.INI", L"Paramètres de configuration", 400, 1, 2, 4, 0x01);
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

INSTANTIATE_TEST_SUITE_P(AllKeys, FileListingSortByKey,
                         testing::Values(SortCase{1, {L"Alpha.doc", L"beta.txt", L"Delta.ini", L"gamma"}},
                                         SortCase{2, {L"beta.txt", L"gamma", L"Alpha.doc", L"Delta.ini"}},
                                         SortCase{3, {L"Delta.ini", L"Alpha.doc", L"gamma", L"beta.txt"}},
                                         SortCase{4, {L"gamma", L"Delta.ini", L"beta.txt", L"Alpha.doc"}},
                                         SortCase{5, {L"Alpha.doc", L"gamma", L"beta.txt", L"Delta.ini"}},
                                         SortCase{6, {L"beta.txt", L"Alpha.doc", L"gamma", L"Delta.ini"}},
                                         SortCase{7, {L"Delta.ini", L"beta.txt", L"Alpha.doc", L"gamma"}},
                                         SortCase{8, {L"gamma", L"Alpha.doc", L"Delta.ini", L"beta.txt"}}));

TEST_F(FileListingSort, AnUnknownKeyLeavesTheOrder) {
    const auto before = Names();
    listing.Sort(0, true, french);
    listing.Sort(9, true, french);
    EXPECT_EQ(Names(), before);
}

TEST_F(FileListingSort, SortingKeepsEachEntryWhole) {
    listing.Sort(TFileListing::kSize, true, french);
    EXPECT_EQ(listing[0].Name, L"beta.txt");
    EXPECT_EQ(listing[0].DosName, L"ABETA~1.TXT");
    EXPECT_EQ(listing[0].TypeName, L"Texte");
    EXPECT_EQ(listing[0].Attributes, 0x02u);
    EXPECT_EQ(listing.TotalSize(), 1000);
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
