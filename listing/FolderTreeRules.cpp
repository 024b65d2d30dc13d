// The walk's choice for one subfolder.
#include "listing/FolderTreeRules.h"

namespace {

// The bit the platform's IsReparseTagNameSurrogate tests.
constexpr uint32_t kNameSurrogateBit = 0x20000000;

bool SameAsciiNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    const auto lower = [](wchar_t c) {
        return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

} // namespace

SubfolderWalk WalkOfSubfolder(std::wstring_view name, bool reparsePoint, uint32_t reparseTag,
                              bool atVolumeRoot) {
    if (atVolumeRoot &&
        (SameAsciiNoCase(name, L"System Volume Information") || SameAsciiNoCase(name, L"$RECYCLE.BIN")))
        return SubfolderWalk::SkipSystem;
    // A tag that could not be read is taken for a link: following one without end is the worse fault.
    if (reparsePoint && (reparseTag == 0 || (reparseTag & kNameSurrogateBit) != 0))
        return SubfolderWalk::SkipLink;
    return SubfolderWalk::Enter;
}

bool IsVolumeRootPath(std::wstring_view path) {
    bool share = false;
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        path.remove_prefix(8);
        share = true;
    } else if (path.starts_with(L"\\\\?\\")) {
        path.remove_prefix(4);
    } else if (path.starts_with(L"\\\\")) {
        path.remove_prefix(2);
        share = true;
    }
    while (path.ends_with(L'\\'))
        path.remove_suffix(1);
    if (!share)
        return path.size() == 2 && IsDriveLetter(path[0]) && path[1] == L':';
    // "server\share", nothing after.
    const size_t server = path.find(L'\\');
    return server != std::wstring_view::npos && server > 0 && server + 1 < path.size() &&
           path.find(L'\\', server + 1) == std::wstring_view::npos;
}
