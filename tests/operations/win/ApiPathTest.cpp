// The path form handed to the file-system calls: short paths as given, long ones in the
// extended-length form, normalised first; a folder spelt in its stored letter case.
#include "operations/ApiPath.h"

#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(ApiPath, ShortPathIsHandedOnAsGiven) {
    EXPECT_EQ(ApiPath(L"C:\\dir\\a.txt"), L"C:\\dir\\a.txt");
    EXPECT_EQ(ApiPath(L"relative\\a.txt"), L"relative\\a.txt");
}

TEST(ApiPath, LongPathGetsTheExtendedFormWithItsDotsResolved) {
    const std::wstring segment(60, L'x');
    const std::wstring path = L"C:\\" + segment + L"\\" + segment + L"\\..\\" + segment + L"\\" + segment +
                              L"\\" + segment + L"\\a.txt";
    const std::wstring expected =
        L"\\\\?\\C:\\" + segment + L"\\" + segment + L"\\" + segment + L"\\" + segment + L"\\a.txt";
    EXPECT_EQ(ApiPath(path), expected);
}

TEST(ApiPath, ExtendedPathIsKept) {
    const std::wstring path = L"\\\\?\\C:\\" + std::wstring(300, L'y');
    EXPECT_EQ(ApiPath(path), path);
}

TEST(StoredCaseFolder, GivesTheFolderInItsStoredLetterCase) {
    TempFolder folder;
    const std::wstring mixed = folder.MakeFolder(L"MiXeD Case");
    std::wstring upper = mixed;
    ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    const std::wstring stored = StoredCaseFolder(upper + L"\\");
    EXPECT_EQ(stored.substr(stored.size() - 11), L"\\MiXeD Case");
    EXPECT_EQ(stored.size(), mixed.size());
}

TEST(StoredCaseFolder, MissingFolderComesBackAsGiven) {
    TempFolder folder;
    EXPECT_EQ(StoredCaseFolder(folder / L"NOWHERE\\"), folder / L"NOWHERE");
}

} // namespace
