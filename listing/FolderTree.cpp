// A depth-first walk of a folder tree, one directory enumeration per folder.
#include "listing/FolderTree.h"

#include "base/Handles.h"
#include "base/TextHelpers.h"
#include "listing/MaskSearch.h"
#include "base/ApiPath.h"

#include <windows.h>

#include <algorithm>

namespace {

struct FolderEntries {
    std::vector<std::wstring> Files;
    std::vector<std::wstring> Folders;
};

bool ReadEntries(const std::wstring& path, const TMaskList& patterns, const Locale& locale,
                 FolderEntries& entries) {
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW(ApiPath(path + L"*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND; // an empty drive root has no entry at all
    do {
        const std::wstring_view name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != L"." && name != L".." && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                entries.Folders.emplace_back(name);
        } else if (name[0] != L'.' && MatchesMask(name, patterns, locale)) {
            entries.Files.emplace_back(name);
        }
    } while (::FindNextFileW(find.Get(), &data));
    const auto byName = [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    };
    std::sort(entries.Files.begin(), entries.Files.end(), byName);
    std::sort(entries.Folders.begin(), entries.Folders.end(), byName);
    return true;
}

} // namespace

FolderTreeFiles CollectFolderTree(const std::wstring& folder, const std::wstring& mask) {
    const Locale& locale = CurrentLocale();
    const TMaskList patterns = ParseMask(mask, locale);
    const std::wstring root = WithTrailingBackslash(folder);
    FolderTreeFiles found;
    // A stack rather than recursion: a tree may be thousands of folders deep.
    std::vector<std::wstring> pending{L""};
    while (!pending.empty()) {
        const std::wstring relative = std::move(pending.back());
        pending.pop_back();
        FolderEntries entries;
        if (!ReadEntries(root + relative, patterns, locale, entries)) {
            found.Unreadable.push_back(StripTrailingBackslashes(relative));
            continue;
        }
        if (!entries.Files.empty())
            ++found.Folders;
        for (const std::wstring& file : entries.Files)
            found.Names.push_back(relative + file);
        for (auto it = entries.Folders.rbegin(); it != entries.Folders.rend(); ++it)
            pending.push_back(relative + *it + L'\\');
    }
    return found;
}
