// The mask matcher used by the folder listing.
#include "listing/MaskSearch.h"

#include <vector>

TMaskList ParseMask(std::wstring_view mask, const Locale& locale) {
    TMaskList patterns;
    if (mask.empty()) {
        patterns.insert(L"*");
        return patterns;
    }
    size_t start = 0;
    while (start < mask.size()) {
        size_t end = mask.find(L';', start);
        if (end == std::wstring_view::npos)
            end = mask.size();
        patterns.insert(locale.ToLower(mask.substr(start, end - start)));
        start = end + 1;
    }
    return patterns;
}

bool MatchesMask(std::wstring_view name, const TMaskList& patterns, const Locale& locale) {
    if (patterns.empty())
        return true;
    std::wstring lowered = locale.ToLower(name);
    if (lowered.find(L'.') == std::wstring::npos)
        lowered += L'.';
    for (const std::wstring& pattern : patterns) {
        if (MatchPattern(lowered, pattern))
            return true;
    }
    return false;
}

namespace {

std::vector<std::wstring_view> Tokens(std::wstring_view pattern) {
    std::vector<std::wstring_view> tokens;
    size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] == L'*' || pattern[i] == L'?') {
            tokens.push_back(pattern.substr(i, 1));
            ++i;
            continue;
        }
        size_t j = i;
        while (j < pattern.size() && pattern[j] != L'*' && pattern[j] != L'?')
            ++j;
        tokens.push_back(pattern.substr(i, j - i));
        i = j;
    }
    return tokens;
}

} // namespace

bool MatchPattern(std::wstring_view name, std::wstring_view pattern) {
    const bool hasWildcard = pattern.find_first_of(L"*?") != std::wstring_view::npos;
    if (pattern == L"*" || (pattern == L"*.*" && name.find(L'.') != std::wstring_view::npos))
        return true;
    if (!hasWildcard && pattern == name)
        return true;
    if (pattern.empty())
        return false;

    const std::vector<std::wstring_view> tokens = Tokens(pattern);
    const size_t length = name.size();
    size_t p = 0; // the next unmatched position; `length` means the whole name is matched
    bool star = false;
    for (size_t t = 0; t < tokens.size(); ++t) {
        const std::wstring_view token = tokens[t];
        if (token == L"?") {
            ++p;
            if (p > length)
                return false;
        } else if (token == L"*") {
            star = true;
        } else if (star) {
            const std::wstring_view rest = name.substr(p);
            if (t + 1 == tokens.size()) {
                // The last literal is bound to the end of the name.
                const bool endsWith =
                    rest.size() >= token.size() && rest.substr(rest.size() - token.size()) == token;
                if (!endsWith)
                    return false;
                p = length;
            } else {
                const size_t found = rest.find(token);
                if (found == std::wstring_view::npos)
                    return false;
                p += found + token.size();
            }
            star = false;
        } else {
            if (name.substr(p, token.size()) != token)
                return false;
            p += token.size();
        }
    }
    return star || p == length;
}
