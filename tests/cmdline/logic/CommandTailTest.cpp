// The arguments the console program hands on to the window program: its own name left out as
// Windows reads it, the rest untouched.
#include "cmdline/CommandTail.h"

#include <gtest/gtest.h>

TEST(CommandTail, LeavesOutTheProgramNameAsWindowsReadsIt) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"Kavet24", L""},
        {L"Kavet24.com   D:\\Photos", L"D:\\Photos"},
        {L"\"C:\\Program Files\\Kavet24\\Kavet24.com\" \"D:\\Mes Photos\\\" /x", L"\"D:\\Mes Photos\\\" /x"},
        {L"\"C:\\Program Files\\Kavet24\\Kavet24\"\t a  b", L"a  b"},
        {L"\"C:\\unclosed name", L""},
    };
    for (const auto& [line, tail] : cases)
        EXPECT_EQ(CommandTail(line), tail) << line;
}
