// Icon indexes from the shell, per extension.
#include "app/FileIconCache.h"

#include "base/Locale.h"

#include <windows.h>
#include <shellapi.h>

namespace {

int ShellIconIndex(const std::wstring& path, bool byNameOnly) {
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    if (byNameOnly)
        flags |= SHGFI_USEFILEATTRIBUTES;
    if (!::SHGetFileInfoW(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags))
        return 0;
    return info.iIcon;
}

} // namespace

bool FileIconCache::HasOwnIcon(const std::wstring& ext) {
    return ext == L".exe" || ext == L".ico" || ext == L".lnk" || ext == L".cur" || ext == L".ani" ||
           ext == L".scr";
}

int FileIconCache::IconIndex(const std::wstring& fullName) {
    const size_t slash = fullName.find_last_of(L"\\:");
    const size_t dot = fullName.find_last_of(L'.');
    const std::wstring ext = (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
                                 ? std::wstring()
                                 : CurrentLocale().ToLower(std::wstring_view(fullName).substr(dot));
    if (HasOwnIcon(ext))
        return ShellIconIndex(fullName, false);
    auto it = byExtension_.find(ext);
    if (it != byExtension_.end())
        return it->second;
    const int index = ShellIconIndex(fullName, true);
    byExtension_.emplace(ext, index);
    return index;
}
