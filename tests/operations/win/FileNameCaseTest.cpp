// Letter-case renames on real files: the examples, names in other scripts, read-only files, a
// folder holding two names that differ only in case, and deep paths.
#include "operations/FileNameCase.h"

#include "support/win/OperationFiles.h"
#include "support/win/TempFolder.h"
#include "base/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Operation = FileOutcome (*)(const std::wstring&);

struct Case {
    const wchar_t* Before;
    Operation Run;
    const wchar_t* After;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << "case change of a " << std::wstring(c.Before).size() << "-character name";
}

// Names the instances after their operation, since the file names are not identifiers.
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    const Operation run = info.param.Run;
    const char* operation = run == FileNameMaj ? "Maj" : run == FileNameMin ? "Min" : "MajMin";
    return operation + std::to_string(info.index);
}

class FileNameCaseTest : public testing::Test {
protected:
    std::vector<std::wstring> Names() const { return NamesIn(folder_.Path()); }

    TempFolder folder_;
};

class CaseExamples : public FileNameCaseTest, public testing::WithParamInterface<Case> {};

TEST_P(CaseExamples, FileBearsTheNewNameOnDiskWithItsContents) {
    const Case& c = GetParam();
    const std::wstring path = folder_.MakeFile(c.Before, "payload");

    ASSERT_TRUE(c.Run(path));

    // Read back from the folder itself: the platform may answer to either letter case.
    EXPECT_EQ(Names(), std::vector<std::wstring>{c.After});
    EXPECT_EQ(ReadContents(folder_ / c.After), "payload");
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CaseExamples,
    testing::Values(Case{L"mon FICHIER.Txt", FileNameMaj, L"MON FICHIER.TXT"},
                    Case{L"mon FICHIER.Txt", FileNameMin, L"mon fichier.txt"},
                    Case{L"mon FICHIER.Txt", FileNameMajMin, L"Mon fichier.txt"},
                    Case{L"\u00e9t\u00e9 2010.DOC", FileNameMaj, L"\u00c9T\u00c9 2010.DOC"},
                    Case{L"\u00e9t\u00e9 2010.DOC", FileNameMin, L"\u00e9t\u00e9 2010.doc"},
                    Case{L"\u00e9t\u00e9 2010.DOC", FileNameMajMin, L"\u00c9t\u00e9 2010.doc"},
                    Case{L"1er essai.TXT", FileNameMajMin, L"1er essai.txt"},
                    Case{L"aBC.TXT", FileNameMajMin, L"Abc.txt"},
                    Case{L"Fichier.txt", FileNameMaj, L"FICHIER.TXT"},
                    Case{L"\u0391\u0392\u0393.txt", FileNameMin, L"\u03b1\u03b2\u03b3.txt"},
                    Case{L"\u0391\u0392\u0393.txt", FileNameMaj, L"\u0391\u0392\u0393.TXT"},
                    Case{L"\u0391\u0392\u0393.txt", FileNameMajMin, L"\u0391\u03b2\u03b3.txt"},
                    Case{L"\u65e5\u672c\u8a9e.TXT", FileNameMajMin, L"\u65e5\u672c\u8a9e.txt"},
                    Case{L"\u03b1\u03b2\u03b3.txt", FileNameMajMin, L"\u0391\u03b2\u03b3.txt"},
                    Case{L"\u65e5\u672c\u8a9e.TXT", FileNameMin, L"\u65e5\u672c\u8a9e.txt"},
                    Case{L"\u65e5\u672c\u8a9e.txt", FileNameMaj, L"\u65e5\u672c\u8a9e.TXT"},
                    Case{L"\U0001F600 f\u00eate.TXT", FileNameMajMin, L"\U0001F600 f\u00eate.txt"}),
    CaseName);

TEST_F(FileNameCaseTest, NameAlreadyInTheWantedCaseStaysAndSucceeds) {
    const std::wstring path = folder_.MakeFile(L"deja.txt", "same");
    EXPECT_TRUE(FileNameMin(path));
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"deja.txt"});
    EXPECT_EQ(ReadContents(path), "same");
}

TEST_F(FileNameCaseTest, ReadOnlyFileIsRenamedAndReadOnlyAgain) {
    const std::wstring path =
        folder_.MakeFile(L"lecture.txt", "x", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const DWORD before = ::GetFileAttributesW(path.c_str());

    ASSERT_TRUE(FileNameMaj(path));

    EXPECT_EQ(Names(), std::vector<std::wstring>{L"LECTURE.TXT"});
    EXPECT_EQ(::GetFileAttributesW((folder_ / L"LECTURE.TXT").c_str()), before);
    EXPECT_NE(before & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(FileNameCaseTest, MissingFileFailsAndNothingIsCreated) {
    EXPECT_FALSE(FileNameMaj(folder_ / L"absent.txt"));
    EXPECT_FALSE(FileNameMajMin(folder_ / L"absent.txt"));
    EXPECT_TRUE(Names().empty());
}

TEST_F(FileNameCaseTest, PathInAnotherCaseRenamesTheFileAsStored) {
    folder_.MakeFile(L"Rapport.doc", "r");
    ASSERT_TRUE(FileNameMin(folder_ / L"RAPPORT.DOC"));
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"rapport.doc"});
}

TEST_F(FileNameCaseTest, TwoFilesDifferingOnlyInCaseAreBothLeftIntact) {
    const std::wstring lower = folder_ / L"abc.txt";
    const std::wstring upper = folder_ / L"ABC.TXT";
    ASSERT_TRUE(MakeExactCaseFile(lower, "lower"));
    if (!MakeExactCaseFile(upper, "upper"))
        GTEST_SKIP() << "this folder cannot hold two names that differ only in case";
    ASSERT_EQ(Names().size(), 2u);

    const FileOutcome twin = FileNameMaj(lower);
    EXPECT_EQ(twin.Why(), Failure::CaseTwin);
    EXPECT_EQ(twin.Detail(), L"« ABC.TXT »");
    EXPECT_FALSE(FileNameMin(upper));
    EXPECT_FALSE(FileNameMajMin(lower));

    std::vector<std::wstring> names = Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"ABC.TXT", L"abc.txt"}));
    EXPECT_EQ(ReadContents(lower), "lower");
    EXPECT_EQ(ReadContents(upper), "upper");
}

TEST_F(FileNameCaseTest, FileBeyondTheOldPathLimitIsRenamed) {
    const std::wstring root = folder_ / std::wstring(50, L'e');
    std::wstring deep = folder_.Path();
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(50, L'e');
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    const std::wstring path = deep + L"\\Long Name.txt";
    ASSERT_TRUE(MakeExactCaseFile(L"\\\\?\\" + path, "deep"));
    ASSERT_GT(path.size(), 260u);

    const bool renamed = FileNameMaj(path).Done();
    const std::vector<std::wstring> names = NamesIn(L"\\\\?\\" + deep);
    DeleteTree(L"\\\\?\\" + root);

    EXPECT_TRUE(renamed);
    EXPECT_EQ(names, std::vector<std::wstring>{L"LONG NAME.TXT"});
}

TEST(SystemCaseMapping, MapsAccentedGreekAndCyrillicLettersAndKeepsTheLength) {
    EXPECT_EQ(SystemUpper(L"\u00e9t\u00e9 \u03b1\u03b2\u03b3 \u0436 1-a.b"),
              L"\u00c9T\u00c9 \u0391\u0392\u0393 \u0416 1-A.B");
    EXPECT_EQ(SystemLower(L"\u00c9T\u00c9 \u0391\u0392\u0393 \u0416 1-A.B"),
              L"\u00e9t\u00e9 \u03b1\u03b2\u03b3 \u0436 1-a.b");
    EXPECT_EQ(SystemUpper(L"\u65e5\U0001F600"), L"\u65e5\U0001F600");
}

} // namespace
