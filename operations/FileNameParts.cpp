// Path text helpers of the per-file operations.
#include "operations/FileNameParts.h"

FileNameParts SplitFileName(std::wstring_view path) {
    const size_t last = path.find_last_of(L"\\/:");
    if (last == std::wstring_view::npos)
        return {std::wstring(), std::wstring(path)};
    return {std::wstring(path.substr(0, last + 1)), std::wstring(path.substr(last + 1))};
}

namespace {

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

} // namespace

std::wstring ExtendedLengthPath(std::wstring_view fullPath) {
    if (StartsWith(fullPath, L"\\\\?\\") || StartsWith(fullPath, L"\\\\.\\") ||
        StartsWith(fullPath, L"\\??\\"))
        return std::wstring(fullPath);
    if (fullPath.size() >= 3 && IsDriveLetter(fullPath[0]) && fullPath[1] == L':' && fullPath[2] == L'\\')
        return L"\\\\?\\" + std::wstring(fullPath);
    if (fullPath.size() > 2 && StartsWith(fullPath, L"\\\\"))
        return L"\\\\?\\UNC\\" + std::wstring(fullPath.substr(2));
    return std::wstring(fullPath);
}

std::wstring CaseBlindPattern(std::wstring_view name) {
    std::wstring pattern;
    pattern.reserve(name.size());
    for (wchar_t c : name) {
        const bool asciiLetter = (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
        const bool wildcard = c == L'*' || c == L'?' || c == L'<' || c == L'>' || c == L'"';
        pattern += (c >= 0x80 || asciiLetter || wildcard) ? L'?' : c;
    }
    return pattern;
}
