// A depth-first walk of a folder tree, one directory enumeration per folder.
#include "listing/FolderTree.h"

#include "base/ApiPath.h"
#include "base/FileTimeTicks.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"
#include "listing/FolderTreeRules.h"
#include "listing/MaskSearch.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <utility>

namespace {

// Leaf names here: the walk makes them relative.
struct FolderEntries {
    std::vector<TreeEntry> Files;
    std::vector<TreeEntry> Folders;
    std::vector<std::wstring> Links;
};

TreeEntry EntryOf(std::wstring_view name, const WIN32_FIND_DATAW& data) {
    return TreeEntry{std::wstring(name),
                     (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                     (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                     FileTimeTicks(data.ftCreationTime),
                     FileTimeTicks(data.ftLastAccessTime),
                     FileTimeTicks(data.ftLastWriteTime)};
}

// The tag of a reparse point, asked of the folder itself when the enumeration gave none.
uint32_t ReparseTag(const std::wstring& path, const WIN32_FIND_DATAW& data) {
    if (data.dwReserved0 != 0)
        return data.dwReserved0;
    const FileHandle folder(::CreateFileW(
        ApiPath(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    FILE_ATTRIBUTE_TAG_INFO info{};
    if (!folder || !::GetFileInformationByHandleEx(folder.Get(), FileAttributeTagInfo, &info, sizeof(info)))
        return 0;
    return info.ReparseTag;
}

bool IsVolumeRoot(const std::wstring& folder) {
    if (IsVolumeRootPath(folder))
        return true;
    // A volume mounted in a folder is a root too.
    std::wstring volume(folder.size() + 2, L'\0');
    if (!::GetVolumePathNameW(ApiPath(folder).c_str(), volume.data(), static_cast<DWORD>(volume.size())))
        return false;
    volume.resize(std::wcslen(volume.c_str()));
    return ::CompareStringOrdinal(StripTrailingBackslashes(volume).c_str(), -1,
                                  StripTrailingBackslashes(ApiPath(folder)).c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool ReadEntries(const std::wstring& path, const TMaskList& patterns, const Locale& locale, bool atVolumeRoot,
                 FolderEntries& entries) {
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW(ApiPath(path + L"*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND; // an empty drive root has no entry at all
    do {
        const std::wstring_view name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name == L"." || name == L"..")
                continue;
            const bool reparsePoint = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            switch (WalkOfSubfolder(name, reparsePoint,
                                    reparsePoint ? ReparseTag(path + data.cFileName, data) : 0,
                                    atVolumeRoot)) {
            case SubfolderWalk::Enter:
                entries.Folders.push_back(EntryOf(name, data));
                break;
            case SubfolderWalk::SkipLink:
                entries.Links.emplace_back(name);
                break;
            case SubfolderWalk::SkipSystem:
                break;
            }
        } else if (name[0] != L'.' && MatchesMask(name, patterns, locale)) {
            entries.Files.push_back(EntryOf(name, data));
        }
    } while (::FindNextFileW(find.Get(), &data));
    const auto byName = [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    };
    const auto entryByName = [&byName](const TreeEntry& a, const TreeEntry& b) {
        return byName(a.Name, b.Name);
    };
    std::sort(entries.Files.begin(), entries.Files.end(), entryByName);
    std::sort(entries.Folders.begin(), entries.Folders.end(), entryByName);
    std::sort(entries.Links.begin(), entries.Links.end(), byName);
    return true;
}

// Walks the tree below `folder` depth first, in name order, reading each folder once. Before each
// folder the watch is told the counts `counts` gives from the number of folders read so far;
// `take` gets each folder read, by its path relative to `folder` with a trailing backslash ("" for
// `folder` itself), and its entries. False when the watch stopped the walk.
template <class Counts, class Take>
bool WalkTree(const std::wstring& folder, const std::wstring& mask, FolderWalkWatch* watch,
              const Counts& counts, std::vector<std::wstring>& unreadable, std::vector<std::wstring>& links,
              const Take& take) {
    const Locale& locale = CurrentLocale();
    const TMaskList patterns = ParseMask(mask, locale);
    const std::wstring root = WithTrailingBackslash(folder);
    const bool rootIsVolume = IsVolumeRoot(root);
    // A stack rather than recursion: a tree may be thousands of folders deep.
    std::vector<std::wstring> pending{L""};
    for (size_t foldersRead = 0; !pending.empty(); ++foldersRead) {
        const auto [files, folders] = counts(foldersRead);
        if (watch && !watch->GoOn(files, folders))
            return false;
        const std::wstring relative = std::move(pending.back());
        pending.pop_back();
        FolderEntries entries;
        if (!ReadEntries(root + relative, patterns, locale, rootIsVolume && relative.empty(), entries)) {
            unreadable.push_back(StripTrailingBackslashes(relative));
            continue;
        }
        for (const std::wstring& link : entries.Links)
            links.push_back(relative + link);
        for (auto it = entries.Folders.rbegin(); it != entries.Folders.rend(); ++it)
            pending.push_back(relative + it->Name + L'\\');
        take(relative, entries);
    }
    return true;
}

} // namespace

FolderTreeFiles CollectFolderTree(const std::wstring& folder, const std::wstring& mask,
                                  FolderWalkWatch* watch) {
    FolderTreeFiles found;
    const auto counts = [&found](size_t foldersRead) { return std::pair(found.Names.size(), foldersRead); };
    found.Stopped = !WalkTree(folder, mask, watch, counts, found.Unreadable, found.Links,
                              [&found](const std::wstring& relative, FolderEntries& entries) {
                                  if (!relative.empty())
                                      found.Reached.push_back(StripTrailingBackslashes(relative));
                                  if (!entries.Files.empty())
                                      ++found.Folders;
                                  for (const TreeEntry& file : entries.Files)
                                      found.Names.push_back(relative + file.Name);
                              });
    return found;
}

std::optional<std::vector<std::wstring>> CollectFolderFiles(const std::wstring& folder,
                                                            const std::wstring& mask) {
    const Locale& locale = CurrentLocale();
    FolderEntries entries;
    if (!ReadEntries(WithTrailingBackslash(folder), ParseMask(mask, locale), locale, false, entries))
        return std::nullopt;
    std::vector<std::wstring> names;
    names.reserve(entries.Files.size());
    for (TreeEntry& file : entries.Files)
        names.push_back(std::move(file.Name));
    return names;
}

FolderTreeEntries CollectFolderTreeEntries(const std::wstring& folder, const std::wstring& mask,
                                           FolderWalkWatch* watch) {
    FolderTreeEntries found;
    const auto counts = [&found](size_t) { return std::pair(found.Files.size(), found.Folders.size()); };
    found.Stopped =
        !WalkTree(folder, mask, watch, counts, found.Unreadable, found.Links,
                  [&found](const std::wstring& relative, FolderEntries& entries) {
                      for (TreeEntry& file : entries.Files) {
                          file.Name.insert(0, relative);
                          found.Files.push_back(std::move(file));
                      }
                      for (auto it = entries.Folders.rbegin(); it != entries.Folders.rend(); ++it) {
                          it->Name.insert(0, relative);
                          found.Folders.push_back(std::move(*it));
                      }
                  });
    return found;
}
