// Splitting the raw command line into arguments.
#include "cmdline/CommandLineSplit.h"

#include <cstddef>

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Past the program's name: it is a path, so a quote only opens or closes a part with spaces and
// backslashes are plain characters.
size_t PastProgramName(std::wstring_view line) {
    size_t pos = 0;
    bool quoted = false;
    for (; pos < line.size() && (quoted || !IsBlank(line[pos])); ++pos)
        if (line[pos] == L'"')
            quoted = !quoted;
    return pos;
}

} // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
    std::vector<std::wstring> args;
    size_t pos = PastProgramName(line);
    while (true) {
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size())
            return args;
        std::wstring arg;
        bool quoted = false;
        while (pos < line.size() && (quoted || !IsBlank(line[pos]))) {
            const wchar_t c = line[pos];
            if (c == L'\\') {
                size_t count = 0;
                while (pos < line.size() && line[pos] == L'\\')
                    ++count, ++pos;
                if (pos >= line.size() || line[pos] != L'"') {
                    arg.append(count, L'\\');
                    continue;
                }
                arg.append(count / 2, L'\\');
                if (count % 2 == 0)
                    continue; // the quote opens or closes a quoted part, below
                const bool closesFolder = quoted && (pos + 1 == line.size() || IsBlank(line[pos + 1]));
                if (closesFolder) {
                    arg += L'\\';
                    continue;
                }
                arg += L'"';
                ++pos;
            } else if (c == L'"') {
                if (quoted && pos + 1 < line.size() && line[pos + 1] == L'"') {
                    arg += L'"';
                    pos += 2;
                } else {
                    quoted = !quoted;
                    ++pos;
                }
            } else {
                arg += c;
                ++pos;
            }
        }
        args.push_back(std::move(arg));
    }
}
