// Reading a folder into the listing: one directory enumeration, the mask, the FAT reduction of
// the stamps, and the shell's type name asked once per extension.
#include "listing/FileListing.h"

#include "listing/FileTimes.h"
#include "base/ApiPath.h"
#include "base/FileTimeTicks.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"

#include <shellapi.h>
#include <windows.h>

#include <cwchar>
#include <unordered_map>

namespace {

TDateTime ListingTime(LocalTimeConverter& converter, const FILETIME& ft) {
    return ListingDateTime(converter.ToLocal(FileTimeTicks(ft)));
}

// "*" matches every name and "*.*" every name with a dot, whatever the case: no need to lower
// each name for the usual masks.
class QuickMatch {
public:
    explicit QuickMatch(const TMaskList& patterns)
        : all_(patterns.count(L"*") != 0), dotted_(patterns.count(L"*.*") != 0) {}
    bool Matches(const wchar_t* name) const {
        return all_ || (dotted_ && std::wcschr(name, L'.') != nullptr);
    }

private:
    bool all_;
    bool dotted_;
};

// The type name depends only on the extension when the shell is asked by name, so one call per
// extension gives every file its name.
std::wstring ExtensionKey(std::wstring_view name, const Locale& locale) {
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring_view::npos ? std::wstring(L"") : locale.ToLower(name.substr(dot));
}

std::wstring ShellTypeName(const std::wstring& path, DWORD attributes) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(path.c_str(), attributes, &info, sizeof(info),
                          SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES))
        return {};
    return info.szTypeName;
}

} // namespace

int TFileListing::ReadFolder(const std::wstring& folder, const std::wstring& mask) {
    Reset(folder);
    const Locale& locale = CurrentLocale();
    const TMaskList patterns = ParseMask(mask, locale);
    const std::wstring base = WithTrailingBackslash(folder);

    const QuickMatch quick(patterns);
    LocalTimeConverter converter(VolumeStampClock(folder));
    // Type names by the extension exactly as written, before any case mapping.
    std::unordered_map<std::wstring, std::wstring_view> typeByRawExtension;
    std::wstring rawExtension;
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW(ApiPath(base + L"*.*").c_str(), FindExInfoStandard, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return 0;
    do {
        if (data.cFileName[0] == L'.' || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (!quick.Matches(data.cFileName) && !MatchesMask(data.cFileName, patterns, locale))
            continue;
        TFileObject entry;
        entry.Name = data.cFileName;
        entry.DosName = data.cAlternateFileName[0] ? std::wstring_view(data.cAlternateFileName) : entry.Name;
        entry.Created = ListingTime(converter, data.ftCreationTime);
        entry.Modified = ListingTime(converter, data.ftLastWriteTime);
        entry.Accessed = ListingTime(converter, data.ftLastAccessTime);
        entry.Size =
            static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        entry.Attributes = data.dwFileAttributes;
        const size_t dot = entry.Name.find_last_of(L'.');
        // Reused for every file, so that looking a known extension up allocates nothing.
        rawExtension.assign(entry.Name.substr(dot == std::wstring_view::npos ? entry.Name.size() : dot));
        auto known = typeByRawExtension.find(rawExtension);
        if (known != typeByRawExtension.end()) {
            entry.TypeName = known->second;
        } else {
            const std::wstring key = ExtensionKey(entry.Name, locale);
            const std::wstring* kept = FindTypeName(key);
            entry.TypeName =
                kept ? std::wstring_view(*kept)
                     : KeepTypeName(key, ShellTypeName(base + data.cFileName, data.dwFileAttributes));
            typeByRawExtension.emplace(rawExtension, entry.TypeName);
        }
        Add(entry);
    } while (::FindNextFileW(find.Get(), &data));
    return static_cast<int>(Count());
}
