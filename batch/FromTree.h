// "Copier les dates d'une autre arborescence": each file and folder of a tree takes the stamps of
// the one at the same relative path in another tree, as after a copy that did not keep them. The
// other tree is walked once into a table by relative path; the disk is not asked per file.
#pragma once

#include "batch/BatchWork.h"
#include "journal/JournalledWork.h"
#include "listing/FolderTree.h"
#include "operations/FileStamping.h"
#include "operations/Stamp.h"

#include <optional>
#include <string>
#include <vector>

// Why a folder cannot give its stamps to the tree being dated.
enum class OtherTreeProblem {
    NotFound, // missing, unreadable, or a file
    Same,     // the folder being dated itself
    Inside,   // one of its subfolders
};
struct OtherTreeCheck {
    // In full and spelt as stored, when it can give them.
    std::optional<std::wstring> Folder;
    OtherTreeProblem Problem = OtherTreeProblem::NotFound;
};
// The folder `typed` names, checked against `dated`, the folder whose tree is to be dated.
OtherTreeCheck CheckOtherTree(const std::wstring& dated, const std::wstring& typed);
// The problem in words: a full sentence for the window, a short phrase for the command line.
std::wstring OtherTreeProblemSentence(OtherTreeProblem problem, const std::wstring& typed);
std::wstring OtherTreeProblemPhrase(OtherTreeProblem problem, const std::wstring& typed);

// The batch's entries below `folder`: the files through `mask`, then every subfolder, deepest
// first, so that a folder is dated once nothing inside it changes any more. The folder itself is
// left as it is.
struct TreeTargets {
    BatchFiles Files;
    size_t FileCount = 0;
    size_t FolderCount = 0;
    // Subfolders that could not be read, and links to folders, left out (relative).
    std::vector<std::wstring> Unreadable;
    std::vector<std::wstring> Links;
    // `watch` stopped the walk: nothing is to be dated.
    bool Stopped = false;
};
TreeTargets CollectTreeTargets(const std::wstring& folder, const std::wstring& mask,
                               FolderWalkWatch* watch = nullptr);

// Each entry's stamps of `chosen` to its counterpart's under `otherFolder` (full, as stored). An
// entry without a counterpart of its kind is refused ("aucun fichier correspondant"), as is a
// file whose counterpart differs in size, unless `evenIfSizeDiffers`. The other tree is walked on
// the first plan.
JournalledWork::Planner PlanFromTree(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                     const std::wstring& otherFolder, StampSet chosen,
                                     bool evenIfSizeDiffers);
