// The path form handed to the file-system calls: short paths as given, long ones in the
// extended-length form, normalised first.
#include "operations/ApiPath.h"

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

} // namespace
