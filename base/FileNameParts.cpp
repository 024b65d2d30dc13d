// Splitting paths and the case-blind search pattern.
#include "base/FileNameParts.h"

FileNameParts SplitFileName(std::wstring_view path) {
    const size_t last = path.find_last_of(L"\\/:");
    if (last == std::wstring_view::npos)
        return {std::wstring(), std::wstring(path)};
    return {std::wstring(path.substr(0, last + 1)), std::wstring(path.substr(last + 1))};
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
