// The command-line splitter on any text: no crash, no undefined behaviour; and arguments without
// quotes (the input split at NUL characters), each quoted, split back to themselves, both quoted by
// the rules (a final run of backslashes doubled) and as a batch file writes them (a folder's single
// final backslash left alone before the closing quote).
#include "cmdline/CommandLineSplit.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

size_t FinalBackslashes(const std::wstring& arg) {
    const size_t last = arg.find_last_not_of(L'\\');
    return last == std::wstring::npos ? arg.size() : arg.size() - last - 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    SplitCommandLine(text);

    std::vector<std::wstring> args;
    for (size_t start = 0;;) {
        const size_t end = text.find(L'\0', start);
        std::wstring arg = text.substr(start, end - start);
        std::erase(arg, L'"');
        args.push_back(arg);
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    std::wstring byRules = L"\"C:\\Program Files\\Kavet24.exe\"";
    std::wstring byBatchFile = byRules;
    bool batchFileForm = true;
    for (const std::wstring& arg : args) {
        byRules += L" \"" + arg + std::wstring(FinalBackslashes(arg), L'\\') + L"\"";
        byBatchFile += L"\t\"" + arg + L"\"";
        batchFileForm = batchFileForm && FinalBackslashes(arg) <= 1;
    }
    Check(SplitCommandLine(byRules) == args);
    if (batchFileForm)
        Check(SplitCommandLine(byBatchFile) == args);
    return 0;
}
