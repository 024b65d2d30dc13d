// What the window shows for paths that come from Explorer, a drop or the command line: the first
// path's folder with the named files selected, or a folder given alone opened. Paths in other
// folders are counted, to say in the status bar that they were left out. Platform-free.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct GivenPath {
    std::wstring Path;
    bool IsFolder = false;
};

struct FolderSelection {
    // The folder to show, without a trailing "\" except at a drive's root ("C:\").
    std::wstring Folder;
    // The names to select in it, as given; empty when the folder alone was asked for.
    std::vector<std::wstring> Names;
    // Paths outside Folder, left out.
    size_t LeftOut = 0;
};

// None when no path is given.
std::optional<FolderSelection> SelectionOfPaths(const std::vector<GivenPath>& paths);

// "3 fichiers d'autres dossiers laissés de côté"; empty for none.
std::wstring LeftOutNote(size_t count);
