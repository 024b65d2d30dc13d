// Folder-path string helpers.
#include "dirtree/DirPaths.h"

#include <algorithm>

int CountBackslashes(std::wstring_view s) {
    return static_cast<int>(std::count(s.begin(), s.end(), L'\\'));
}

std::wstring PathUpToLevel(std::wstring_view s, int n) {
    int seen = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\\' && ++seen == n)
            return std::wstring(s.substr(0, i + 1));
    }
    return std::wstring(s);
}

void AddBackslash(std::wstring& s) {
    if (!s.empty() && s.back() != L'\\')
        s += L'\\';
}

std::wstring RemoveBackslash(std::wstring_view s) {
    if (!s.empty() && s.back() == L'\\')
        s.remove_suffix(1);
    return std::wstring(s);
}

std::wstring LastComponent(std::wstring_view path) {
    const std::wstring trimmed = RemoveBackslash(path);
    const size_t slash = trimmed.rfind(L'\\');
    return slash == std::wstring::npos ? trimmed : trimmed.substr(slash + 1);
}

bool NameReachesItself(std::wstring_view name) {
    if (name.empty() || name.back() == L'.' || name.back() == L' ')
        return false;
    return name.find_first_of(L"*?<>\"\\/") == std::wstring_view::npos;
}

int DriveIndex(wchar_t letter) {
    if (letter >= L'A' && letter <= L'Z')
        return letter - L'A';
    if (letter >= L'a' && letter <= L'z')
        return letter - L'a';
    return -1;
}
