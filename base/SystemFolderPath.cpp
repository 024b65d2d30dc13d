// The system folder's alias for a 32-bit program on 64-bit Windows.
#include "base/SystemFolderPath.h"

namespace {

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Windows' own folder names are ASCII: a comparison of ASCII letters without case is enough.
bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (AsciiLower(text[i]) != AsciiLower(prefix[i]))
            return false;
    return true;
}

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

} // namespace

std::wstring UnredirectedPath(std::wstring_view path, std::wstring_view systemFolder,
                              std::wstring_view nativeFolder) {
    while (!systemFolder.empty() && IsSeparator(systemFolder.back()))
        systemFolder.remove_suffix(1);
    if (systemFolder.empty())
        return std::wstring(path);
    constexpr std::wstring_view kExtended = L"\\\\?\\";
    const size_t start = StartsWithIgnoringCase(path, kExtended) ? kExtended.size() : 0;
    const std::wstring_view rest = path.substr(start);
    if (!StartsWithIgnoringCase(rest, systemFolder))
        return std::wstring(path);
    // "System32x" is another folder; "System32", "System32\" and "System32\a" are this one.
    if (rest.size() > systemFolder.size() && !IsSeparator(rest[systemFolder.size()]))
        return std::wstring(path);
    std::wstring unredirected(path.substr(0, start));
    unredirected += nativeFolder;
    unredirected += rest.substr(systemFolder.size());
    return unredirected;
}
