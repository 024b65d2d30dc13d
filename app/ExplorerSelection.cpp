// Turning given paths into a folder and the names to select in it.
#include "app/ExplorerSelection.h"

#include "base/FileNameParts.h"
#include "base/Locale.h"
#include "base/TextHelpers.h"

namespace {

// "C:\" and "\\server\share\" keep their backslash; every other folder loses it.
std::wstring FolderForm(const std::wstring& folder) {
    std::wstring stripped = StripTrailingBackslashes(folder);
    if (stripped.size() == 2 && stripped[1] == L':')
        return stripped + L"\\";
    return stripped.empty() ? folder : stripped;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    return CurrentLocale().ToUpper(StripTrailingBackslashes(a)) ==
           CurrentLocale().ToUpper(StripTrailingBackslashes(b));
}

} // namespace

std::optional<FolderSelection> SelectionOfPaths(const std::vector<GivenPath>& paths) {
    if (paths.empty())
        return std::nullopt;
    FolderSelection selection;
    const GivenPath& first = paths.front();
    const std::wstring firstPath = StripTrailingBackslashes(first.Path);
    const FileNameParts firstParts = SplitFileName(firstPath);
    // A folder alone is opened; so is a drive's root, which has no folder above it to select it in.
    if ((first.IsFolder && paths.size() == 1) || firstParts.Name.empty() || firstParts.Folder.empty()) {
        selection.Folder = FolderForm(first.Path);
        selection.LeftOut = paths.size() - 1;
        return selection;
    }
    selection.Folder = FolderForm(firstParts.Folder);
    for (const GivenPath& given : paths) {
        const FileNameParts parts = SplitFileName(StripTrailingBackslashes(given.Path));
        if (!parts.Name.empty() && SameFolder(parts.Folder, firstParts.Folder))
            selection.Names.push_back(parts.Name);
        else
            ++selection.LeftOut;
    }
    return selection;
}

std::wstring LeftOutNote(size_t count) {
    if (count == 0)
        return {};
    if (count == 1)
        return L"1 fichier d'un autre dossier laissé de côté";
    return std::to_wstring(count) + L" fichiers d'autres dossiers laissés de côté";
}
