// Sorting the listing by each of its eight keys, both ways, and the full path of an entry.
#include "listing/FileListing.h"
#include "base/FixedLocale.h"

#include <gtest/gtest.h>

#include <algorithm>
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
            names.emplace_back(listing[i].Name);
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

// Entries with equal keys end where std::sort leaves them when it compares the entries by the key
// alone, as the list has always sorted: a sort that broke ties another way (by position, or
// stably) would reorder rows that the user sees unchanged between two versions.
class FileListingTies : public testing::TestWithParam<int> {
protected:
    // More entries than one storage block, each key taking few values.
    static constexpr int kCount = 5000;
    void Fill(TFileListing& listing) {
        listing.Reset(L"C:\\DATA");
        names.clear();
        dosNames.clear();
        for (int i = 0; i < kCount; ++i) {
            names.push_back(L"n" + std::to_wstring(i));
            dosNames.push_back(L"D" + std::to_wstring(i % 10));
        }
        for (int i = 0; i < kCount; ++i) {
            TFileObject e;
            e.Name = names[i];
            e.DosName = dosNames[i];
            e.TypeName = listing.KeepTypeName(std::to_wstring(i % 4), i % 4 == 0 ? L"Texte" : L"Image");
            e.Size = i * 7919 % 13;
            e.Created = i * 31 % 5 + 0.5;
            e.Modified = -(i % 6);
            e.Accessed = i % 2;
            e.Attributes = i % 3 == 0 ? 0x21u : 0x20u;
            listing.Add(e);
        }
    }
    // The names in the order std::sort gives the entries, compared by the key alone.
    std::vector<std::wstring> Expected(const TFileListing& listing, int key, bool ascending) {
        std::vector<TFileObject> copies;
        for (size_t i = 0; i < listing.Count(); ++i)
            copies.push_back(listing[i]);
        std::vector<const TFileObject*> entries;
        for (const TFileObject& entry : copies)
            entries.push_back(&entry);
        auto compare = [&](const TFileObject* a, const TFileObject* b) {
            switch (key) {
            case TFileListing::kSize:
                return a->Size < b->Size;
            case TFileListing::kCreated:
                return a->Created < b->Created;
            case TFileListing::kModified:
                return a->Modified < b->Modified;
            case TFileListing::kAccessed:
                return a->Accessed < b->Accessed;
            case TFileListing::kDosName:
                return french.CompareNoCase(a->DosName, b->DosName) < 0;
            case TFileListing::kAttributes:
                return a->Attributes < b->Attributes;
            default:
                return french.CompareNoCase(a->TypeName, b->TypeName) < 0;
            }
        };
        std::sort(entries.begin(), entries.end(), [&](const TFileObject* a, const TFileObject* b) {
            return ascending ? compare(a, b) : compare(b, a);
        });
        std::vector<std::wstring> result;
        for (const TFileObject* e : entries)
            result.emplace_back(e->Name);
        return result;
    }
    static std::vector<std::wstring> Names(const TFileListing& listing) {
        std::vector<std::wstring> result;
        for (size_t i = 0; i < listing.Count(); ++i)
            result.emplace_back(listing[i].Name);
        return result;
    }
    std::vector<std::wstring> names;
    std::vector<std::wstring> dosNames;
};

TEST_P(FileListingTies, EqualKeysEndWhereStdSortLeavesThem) {
    for (bool ascending : {true, false}) {
        TFileListing listing;
        Fill(listing);
        const auto expected = Expected(listing, GetParam(), ascending);
        listing.Sort(GetParam(), ascending, french);
        EXPECT_EQ(Names(listing), expected) << (ascending ? "ascending" : "descending");
    }
}

INSTANTIATE_TEST_SUITE_P(KeysWithTies, FileListingTies,
                         testing::Values(TFileListing::kSize, TFileListing::kCreated, TFileListing::kModified,
                                         TFileListing::kAccessed, TFileListing::kDosName,
                                         TFileListing::kAttributes, TFileListing::kType));

TEST(FileListing, KeepsItsOwnCopyOfTheNames) {
    TFileListing listing;
    listing.Reset(L"C:\\");
    std::wstring name = L"rapport.txt";
    std::wstring dosName = L"RAPPOR~1.TXT";
    TFileObject e;
    e.Name = name;
    e.DosName = dosName;
    listing.Add(e);
    e.DosName = e.Name; // no short name: the long one stands in
    listing.Add(e);
    name.assign(name.size(), L'?');
    dosName.assign(dosName.size(), L'?');
    EXPECT_EQ(listing[0].Name, L"rapport.txt");
    EXPECT_EQ(listing[0].DosName, L"RAPPOR~1.TXT");
    EXPECT_EQ(listing[1].DosName, L"rapport.txt");
    EXPECT_EQ(listing.FullName(1), L"C:\\rapport.txt");
}

TEST(FileListing, LongNamesAndIconsStayWithTheirEntriesThroughSorts) {
    // A name as long as a path may be, short names present and missing, and icons set row by row:
    // after a sort each row still shows its own entry's texts, stamps and icon.
    TFileListing listing;
    listing.Reset(L"C:\\DATA");
    const std::wstring longest(32767 - 8, L'm');
    const std::vector<std::wstring> names = {L"c.txt", longest, L"a long name.text", L"b"};
    const std::vector<std::wstring> dosNames = {L"", L"MMMMMM~1", L"ALONGN~1.TEX", L"b"};
    for (size_t i = 0; i < names.size(); ++i) {
        TFileObject e;
        e.Name = names[i];
        e.DosName = dosNames[i];
        e.TypeName = listing.KeepTypeName(std::to_wstring(i % 2), i % 2 ? L"Texte" : L"Fichier");
        e.Size = static_cast<int64_t>(i) << 33;
        e.Modified = 40000.5 + static_cast<double>(i);
        listing.Add(e);
    }
    for (size_t row = 0; row < listing.Count(); ++row)
        listing.SetIconIndex(row, static_cast<int32_t>(10 + row));
    listing.Sort(TFileListing::kName, true, french);
    const std::vector<size_t> order = {2, 3, 0, 1}; // a long, b, c, mmm...
    ASSERT_EQ(listing.Count(), order.size());
    for (size_t row = 0; row < order.size(); ++row) {
        const size_t i = order[row];
        const TFileObject e = listing[row];
        EXPECT_EQ(e.Name, names[i]) << "row " << row;
        EXPECT_EQ(e.DosName, dosNames[i].empty() ? names[i] : dosNames[i]) << "row " << row;
        EXPECT_EQ(e.TypeName, i % 2 ? L"Texte" : L"Fichier") << "row " << row;
        EXPECT_EQ(e.Size, static_cast<int64_t>(i) << 33) << "row " << row;
        EXPECT_EQ(e.Modified, 40000.5 + static_cast<double>(i)) << "row " << row;
        EXPECT_EQ(e.IconIndex, static_cast<int32_t>(10 + i)) << "row " << row;
    }
    EXPECT_EQ(listing.FullName(3), L"C:\\DATA\\" + longest);
    EXPECT_THROW(listing[4], std::out_of_range);
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
