// Display forms of folder paths, resolved against the file system or the shell.
#include "dirtree/PathNames.h"

#include "base/ApiPath.h"
#include "dirtree/DirFind.h"
#include "dirtree/DirPaths.h"
#include "base/TextHelpers.h"

#include <windows.h>
#include <shellapi.h>

bool PathExists(const std::wstring& path) {
    ErrorModeGuard errorMode;
    return ::GetFileAttributesW(ApiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring GetRealFolderName(const std::wstring& folderPath) {
    ErrorModeGuard errorMode;
    std::wstring result = LastComponent(folderPath);
    TDirRec rec;
    if (DirFindFirst(RemoveBackslash(folderPath), rec) == 0)
        result = rec.Name;
    return WithTrailingBackslash(result);
}

std::wstring GetDisplayFolderName(const std::wstring& folderPath) {
    ErrorModeGuard errorMode;
    std::wstring result = LastComponent(folderPath);
    SHFILEINFOW info{};
    if (::SHGetFileInfoW(RemoveBackslash(folderPath).c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME))
        result = info.szDisplayName;
    return result + L"\\";
}

namespace {

wchar_t UpperDriveLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

} // namespace

std::wstring GetRealPathName(const std::wstring& path, bool displayNames) {
    std::wstring p = RemoveBackslash(path);
    std::wstring result = p;
    const int count = CountBackslashes(p);
    if (count > 0) {
        result = std::wstring(1, UpperDriveLetter(p[0])) + L":\\";
        AddBackslash(p);
        for (int level = 2; level <= count + 1; ++level) {
            const std::wstring piece = PathUpToLevel(p, level);
            result += displayNames ? GetDisplayFolderName(piece) : GetRealFolderName(piece);
        }
        result = RemoveBackslash(result);
    } else if (!p.empty()) {
        result[0] = UpperDriveLetter(result[0]);
    }
    return result;
}
