// The raw command line split into arguments as Windows programs do (CommandLineToArgvW's rules),
// but for one case: the "%~dp0" and "D:\Mes Photos\" folders of batch files end in a backslash
// before their closing quote, which those rules read as a literal quote. Platform-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The arguments after the program's own name in `commandLine` (as GetCommandLineW gives it).
// Spaces and tabs separate arguments; a quoted part keeps them, and "" inside one is a quote;
// 2n backslashes before a quote give n and the quote opens or closes a quoted part; 2n+1 give n
// and a literal quote; other backslashes are kept. Except: inside a quoted part, a backslash-quote
// followed by a space, a tab or the end is a backslash and the closing quote, since a quote is
// never part of a path.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);
