// The arguments after the program's name, quotes and all.
#include "cmdline/CommandTail.h"

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

} // namespace

std::wstring CommandTail(std::wstring_view commandLine) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && !IsBlank(commandLine[i]))
        ++i;
    while (i < commandLine.size() && IsBlank(commandLine[i]))
        ++i;
    return std::wstring(commandLine.substr(i));
}
