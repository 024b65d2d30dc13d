// Case-only renames that are checked against the folder's contents.
#include "operations/CaseRenamer.h"

#include "operations/ApiPath.h"
#include "operations/FileNameParts.h"
#include "ui/Handles.h"

#include <atomic>

namespace {

std::atomic<unsigned> g_temporaryCounter{0};

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(ApiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A name that no entry of the folder bears, in any letter case.
std::optional<std::wstring> UnusedTemporaryName(const std::wstring& folder) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = L"~kavet-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(g_temporaryCounter++) + L".tmp";
        if (NamesEqualIgnoringCase(folder, name).empty() && !Exists(folder + name))
            return name;
    }
    return std::nullopt;
}

} // namespace

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::vector<std::wstring> NamesEqualIgnoringCase(const std::wstring& folder, const std::wstring& name) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW(ApiPath(folder + CaseBlindPattern(name)).c_str(), FindExInfoBasic,
                                       &data, FindExSearchNameMatch, nullptr, 0));
    if (!find)
        return names;
    do {
        if (EqualIgnoringCase(data.cFileName, name))
            names.emplace_back(data.cFileName);
    } while (::FindNextFileW(find.Get(), &data));
    return names;
}

std::optional<std::wstring> NameOnDisk(const std::wstring& folder, const std::wstring& name) {
    std::vector<std::wstring> names = NamesEqualIgnoringCase(folder, name);
    if (names.size() != 1)
        return std::nullopt;
    return std::move(names.front());
}

CaseRenamer::CaseRenamer(MoveFunction move) : move_(std::move(move)) {}

bool CaseRenamer::PlatformMove(const std::wstring& from, const std::wstring& to) {
    // No flag: never onto an existing file, never a copy to another volume.
    return ::MoveFileExW(from.c_str(), to.c_str(), 0) != FALSE;
}

CaseRenamer::Result CaseRenamer::Rename(const std::wstring& path, const NameConverter& convert) const {
    Result result{false, path};
    const FileNameParts parts = SplitFileName(path);
    if (parts.Name.empty() || !convert || !move_)
        return result;
    // Exactly one entry may answer to the name: with two, a rename could reach the wrong file.
    const std::optional<std::wstring> oldName = NameOnDisk(parts.Folder, parts.Name);
    if (!oldName)
        return result;
    const std::wstring oldPath = parts.Folder + *oldName;
    result.Path = oldPath;
    const std::wstring newName = convert(*oldName);
    if (newName == *oldName) {
        result.Renamed = true;
        return result;
    }
    // A mapping that changed more than letter case would make a different name, which could be
    // another file's.
    if (newName.empty() || !EqualIgnoringCase(newName, *oldName))
        return result;
    const std::wstring newPath = parts.Folder + newName;
    if (!move_(ApiPath(oldPath), ApiPath(newPath)))
        return result;
    const std::optional<std::wstring> afterMove = NameOnDisk(parts.Folder, newName);
    if (!afterMove)
        return result;
    if (*afterMove == newName) {
        result = {true, newPath};
        return result;
    }
    // The platform reported success and kept the old letter case.
    std::wstring where;
    result.Renamed = MoveThroughTemporaryName(parts.Folder, *afterMove, newName, where);
    result.Path = parts.Folder + where;
    return result;
}

bool CaseRenamer::MoveThroughTemporaryName(const std::wstring& folder, const std::wstring& oldName,
                                           const std::wstring& newName, std::wstring& where) const {
    where = oldName;
    const std::optional<std::wstring> temporary = UnusedTemporaryName(folder);
    if (!temporary)
        return false;
    const std::wstring oldPath = ApiPath(folder + oldName);
    const std::wstring temporaryPath = ApiPath(folder + *temporary);
    if (!move_(oldPath, temporaryPath))
        return false;
    where = *temporary;
    if (move_(temporaryPath, ApiPath(folder + newName))) {
        const std::optional<std::wstring> now = NameOnDisk(folder, newName);
        if (now && *now == newName) {
            where = newName;
            return true;
        }
        // Yet another letter case came out: the old name is put back.
        if (now) {
            where = *now;
            if (move_(ApiPath(folder + *now), oldPath))
                where = oldName;
        }
        return false;
    }
    // The second step failed: the old name comes back.
    if (move_(temporaryPath, oldPath))
        where = oldName;
    return false;
}
