// The raw command line split into arguments: Windows' rules, and the folder of a batch file whose
// backslash comes just before the closing quote.
#include "cmdline/CommandLineSplit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Args = std::vector<std::wstring>;

TEST(CommandLineSplit, FollowsWindowsRulesButClosesAFolderBeforeItsQuote) {
    const std::pair<const wchar_t*, Args> cases[] = {
        // The program's name, quoted or not, backslashes and all, is left out.
        {L"Kavet24.exe", {}},
        {L"\"C:\\Program Files\\Kavet24.exe\"  /zero\t a.jpg ", {L"/zero", L"a.jpg"}},
        {L"C:\\K\\Kavet24.exe \"\" x", {L"", L"x"}},
        // Quotes keep spaces, may open and close inside an argument, and "" inside them is a quote.
        {L"k \"/date:2025-03-30 23:22:33\" /mask:\"*.a b\"c",
         {L"/date:2025-03-30 23:22:33", L"/mask:*.a bc"}},
        {L"k \"a \"\"b\"\" c\"", {L"a \"b\" c"}},
        {L"k \"open to the end", {L"open to the end"}},
        // Backslashes: kept unless before a quote; 2n give n and a delimiter, 2n+1 give n and a quote.
        {L"k \\\\srv\\share\\ a\\\\\\\\\"b c\"", {L"\\\\srv\\share\\", L"a\\\\b c"}},
        {L"k a\\\"b \"x\\\"y\" \\\"", {L"a\"b", L"x\"y", L"\""}},
        // The folder idiom: \" then a blank or the end closes the quote after a backslash.
        {L"k /exif /stamps:cm \"D:\\Mes Photos\\\" /recurse",
         {L"/exif", L"/stamps:cm", L"D:\\Mes Photos\\", L"/recurse"}},
        {L"k \"Z:\\tmp\\run dir\\\"", {L"Z:\\tmp\\run dir\\"}},
        {L"k \"D:\\a\\\\\\\"\tb", {L"D:\\a\\\\", L"b"}},
        {L"k \"D:\\a\\\\\" b", {L"D:\\a\\", L"b"}},
    };
    for (const auto& [line, args] : cases)
        EXPECT_EQ(SplitCommandLine(line), args) << line;
}
