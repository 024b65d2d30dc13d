// The system folder's alias for a 32-bit program on 64-bit Windows: which paths take it.
#include "base/SystemFolderPath.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const wchar_t* given;
    const wchar_t* expected;
};

TEST(UnredirectedPath, OnlyTheSystemFolderAndWhatItHoldsTakeTheAlias) {
    const Case cases[] = {
        {L"C:\\Windows\\System32\\f.txt", L"C:\\Windows\\Sysnative\\f.txt"},
        {L"c:\\WINDOWS\\system32\\drivers\\etc\\hosts", L"C:\\Windows\\Sysnative\\drivers\\etc\\hosts"},
        {L"C:\\Windows\\System32", L"C:\\Windows\\Sysnative"},
        {L"C:\\Windows\\System32\\", L"C:\\Windows\\Sysnative\\"},
        {L"C:\\Windows\\System32\\*", L"C:\\Windows\\Sysnative\\*"},
        {L"\\\\?\\C:\\Windows\\System32\\f.txt", L"\\\\?\\C:\\Windows\\Sysnative\\f.txt"},
        {L"C:\\Windows\\System32x\\f.txt", L"C:\\Windows\\System32x\\f.txt"},
        {L"C:\\Windows\\SysWOW64\\f.txt", L"C:\\Windows\\SysWOW64\\f.txt"},
        {L"C:\\Windows\\f.txt", L"C:\\Windows\\f.txt"},
        {L"D:\\Windows\\System32\\f.txt", L"D:\\Windows\\System32\\f.txt"},
        {L"C:\\Windows\\Syst", L"C:\\Windows\\Syst"},
        {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnredirectedPath(c.given, L"C:\\Windows\\system32\\", L"C:\\Windows\\Sysnative"),
                  c.expected)
            << c.given;
}

TEST(UnredirectedPath, NoSystemFolderLeavesEveryPathAlone) {
    EXPECT_EQ(UnredirectedPath(L"C:\\Windows\\System32\\f.txt", L"", L"C:\\Windows\\Sysnative"),
              L"C:\\Windows\\System32\\f.txt");
}

} // namespace
