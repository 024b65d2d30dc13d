// The other tree's stamps by relative path, and the entries of the tree they date.
#include "batch/FromTree.h"

#include "base/FileTimeTicks.h"
#include "base/TextHelpers.h"
#include "batch/Planners.h"
#include "listing/FolderTree.h"
#include "operations/ApiPath.h"
#include "operations/FileNameCase.h"
#include "operations/SystemFailure.h"

#include <windows.h>

#include <memory>
#include <unordered_map>

namespace {

// The other tree's entries by their relative name, upper-cased as the file system matches names.
class OtherTreeIndex {
public:
    explicit OtherTreeIndex(std::wstring folder) : folder_(std::move(folder)) {}

    const TreeEntry* Find(const std::wstring& relative) {
        if (!walked_) {
            Walk();
            walked_ = true;
        }
        const auto found = entries_.find(SystemUpper(relative));
        return found == entries_.end() ? nullptr : &found->second;
    }

private:
    void Walk() {
        FolderTreeEntries tree = CollectFolderTreeEntries(folder_, L"*");
        entries_.reserve(tree.Files.size() + tree.Folders.size());
        for (std::vector<TreeEntry>* kind : {&tree.Files, &tree.Folders})
            for (TreeEntry& entry : *kind) {
                std::wstring key = SystemUpper(entry.Name);
                entry.Name.clear(); // the key holds it
                entries_.emplace(std::move(key), std::move(entry));
            }
    }

    std::wstring folder_;
    bool walked_ = false;
    std::unordered_map<std::wstring, TreeEntry> entries_;
};

bool IsSameOrInside(const std::wstring& folder, const std::wstring& candidate) {
    const std::wstring base = StripTrailingBackslashes(folder);
    if (candidate.size() < base.size() ||
        !EqualIgnoringCase(std::wstring_view(candidate).substr(0, base.size()), base))
        return false;
    return candidate.size() == base.size() || candidate[base.size()] == L'\\' || base.ends_with(L'\\');
}

} // namespace

OtherTreeCheck CheckOtherTree(const std::wstring& dated, const std::wstring& typed) {
    OtherTreeCheck check;
    const std::wstring full = FullPath(TrimSpaces(typed));
    const DWORD attributes = ::GetFileAttributesW(ApiPath(full).c_str());
    if (TrimSpaces(typed).empty() || attributes == INVALID_FILE_ATTRIBUTES ||
        !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return check;
    const std::wstring other = StoredCaseFolder(full);
    const std::wstring shown = StoredCaseFolder(FullPath(dated));
    if (EqualIgnoringCase(StripTrailingBackslashes(other), StripTrailingBackslashes(shown))) {
        check.Problem = OtherTreeProblem::Same;
        return check;
    }
    if (IsSameOrInside(shown, other)) {
        check.Problem = OtherTreeProblem::Inside;
        return check;
    }
    check.Folder = other;
    return check;
}

std::wstring OtherTreeProblemSentence(OtherTreeProblem problem, const std::wstring& typed) {
    switch (problem) {
    case OtherTreeProblem::NotFound:
        return L"Le dossier " + Quoted(typed) + L" est introuvable.";
    case OtherTreeProblem::Same:
        return Quoted(typed) +
               L" est le dossier affiché lui-même : choisissez le dossier d'origine de la copie.";
    case OtherTreeProblem::Inside:
        return Quoted(typed) + L" est dans le dossier affiché : ses dates ne peuvent servir à dater le "
                               L"dossier qui le contient.";
    }
    return {};
}

std::wstring OtherTreeProblemPhrase(OtherTreeProblem problem, const std::wstring& typed) {
    switch (problem) {
    case OtherTreeProblem::NotFound:
        return L"dossier introuvable " + Quoted(typed);
    case OtherTreeProblem::Same:
        return L"le dossier " + Quoted(typed) + L" est le dossier à dater lui-même";
    case OtherTreeProblem::Inside:
        return L"le dossier " + Quoted(typed) + L" est dans le dossier à dater";
    }
    return {};
}

TreeTargets CollectTreeTargets(const std::wstring& folder, const std::wstring& mask, FolderWalkWatch* watch) {
    FolderTreeEntries tree = CollectFolderTreeEntries(folder, mask, watch);
    TreeTargets targets;
    if (tree.Stopped) {
        targets.Stopped = true;
        return targets;
    }
    targets.Files.Folder = StripTrailingBackslashes(folder);
    targets.FileCount = tree.Files.size();
    targets.FolderCount = tree.Folders.size();
    targets.Unreadable = std::move(tree.Unreadable);
    targets.Links = std::move(tree.Links);
    std::vector<std::wstring>& names = targets.Files.Names;
    names.reserve(tree.Files.size() + tree.Folders.size());
    for (TreeEntry& file : tree.Files)
        names.push_back(std::move(file.Name));
    // The walk gives each folder before its subfolders: backwards, each after them.
    for (auto it = tree.Folders.rbegin(); it != tree.Folders.rend(); ++it)
        names.push_back(std::move(it->Name));
    const std::wstring base = WithTrailingBackslash(targets.Files.Folder);
    targets.Files.Paths.reserve(names.size());
    for (const std::wstring& name : names)
        targets.Files.Paths.push_back(base + name);
    return targets;
}

JournalledWork::Planner PlanFromTree(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                     const std::wstring& otherFolder, StampSet chosen,
                                     bool evenIfSizeDiffers) {
    auto index = std::make_shared<OtherTreeIndex>(otherFolder);
    return [&stamping, names, index, chosen, evenIfSizeDiffers](size_t at, const std::wstring& path) {
        PlannedFile plan;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(ApiPath(path).c_str(), GetFileExInfoStandard, &data)) {
            plan.Refusal = FailureOfLastError();
            return plan;
        }
        const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const TreeEntry* other = index->Find(names[at]);
        if (!other || other->Folder != folder) {
            plan.Refusal = FileOutcome::Failed(Failure::Other, folder ? L"aucun dossier correspondant"
                                                                      : L"aucun fichier correspondant");
            return plan;
        }
        const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (!folder && other->Size != size && !evenIfSizeDiffers) {
            plan.Refusal = FileOutcome::Failed(Failure::Other, L"taille différente");
            return plan;
        }
        const FileNow now{names[at], data.dwFileAttributes, FileTimeTicks(data.ftCreationTime),
                          FileTimeTicks(data.ftLastAccessTime), FileTimeTicks(data.ftLastWriteTime)};
        return PlanEachStamp(now, chosen, [&](const FileNow&, Stamp which, uint64_t) {
            const uint64_t given = which == Stamp::Creation    ? other->Creation
                                   : which == Stamp::LastWrite ? other->LastWrite
                                                               : other->LastAccess;
            return stamping.HoldableTicks(path, given);
        });
    };
}
