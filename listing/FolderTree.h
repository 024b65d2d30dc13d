// The files of a folder and of all its subfolders that a mask lets through, for an operation that
// reaches into the subfolders. Links and junctions to folders are not followed: they may lead out
// of the tree, or back into it without end.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct FolderTreeFiles {
    // Relative to the folder walked ("photos\\2024\\img.jpg"): each folder's files in name order,
    // before those of its subfolders.
    std::vector<std::wstring> Names;
    // How many folders hold at least one of them, the folder walked included.
    size_t Folders = 0;
    // Subfolders that could not be read (relative, as above), left out.
    std::vector<std::wstring> Unreadable;
    // Every subfolder walked (relative, without its final separator), the folder walked left out:
    // the folders an operation that dates folders reaches.
    std::vector<std::wstring> Reached;
    // Links, junctions and mount points to folders (relative, as above), not followed.
    std::vector<std::wstring> Links;
};

// Names starting with a dot are left out, as the listing leaves them out of a folder. At a
// volume's root, the system's folders ("System Volume Information", "$RECYCLE.BIN") are not
// entered.
FolderTreeFiles CollectFolderTree(const std::wstring& folder, const std::wstring& mask);

// The files of the folder alone, by the same rules, in name order; none when it cannot be read.
std::optional<std::vector<std::wstring>> CollectFolderFiles(const std::wstring& folder,
                                                            const std::wstring& mask);
