// The files of a folder and of all its subfolders that a mask lets through, for an operation that
// reaches into the subfolders. Links and junctions to folders are not followed: they may lead out
// of the tree, or back into it without end.
#pragma once

#include <cstddef>
#include <cstdint>
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
    // The walk was stopped before its end (FolderWalkWatch::GoOn): the lists above are partial.
    bool Stopped = false;
};

// Watches a walk from outside: told after each folder read, it can end the walk there. One call
// per folder, none per file, so that watching costs the walk nothing that counts.
class FolderWalkWatch {
public:
    // The files taken and the folders read so far; false ends the walk.
    virtual bool GoOn(size_t files, size_t folders) = 0;

protected:
    ~FolderWalkWatch() = default;
};

// Names starting with a dot are left out, as the listing leaves them out of a folder. At a
// volume's root, the system's folders ("System Volume Information", "$RECYCLE.BIN") are not
// entered.
FolderTreeFiles CollectFolderTree(const std::wstring& folder, const std::wstring& mask,
                                  FolderWalkWatch* watch = nullptr);

// The files of the folder alone, by the same rules, in name order; none when it cannot be read.
std::optional<std::vector<std::wstring>> CollectFolderFiles(const std::wstring& folder,
                                                            const std::wstring& mask);

// One file or folder as the walk found it: its size and UTC stamps (100 ns ticks) come with the
// enumeration, so that a whole tree is known without one look at each entry.
struct TreeEntry {
    std::wstring Name; // relative to the folder walked
    bool Folder = false;
    uint64_t Size = 0;
    uint64_t Creation = 0;
    uint64_t LastAccess = 0;
    uint64_t LastWrite = 0;
};

struct FolderTreeEntries {
    // The files through the mask, in the order CollectFolderTree gives them.
    std::vector<TreeEntry> Files;
    // Every subfolder entered (the folder walked itself aside), each before its own subfolders.
    std::vector<TreeEntry> Folders;
    std::vector<std::wstring> Unreadable;
    std::vector<std::wstring> Links;
    // The watch stopped the walk: what was found is only part of the tree.
    bool Stopped = false;
};

// The same walk as CollectFolderTree, keeping the folders and what the enumeration tells of each
// entry.
FolderTreeEntries CollectFolderTreeEntries(const std::wstring& folder, const std::wstring& mask,
                                           FolderWalkWatch* watch = nullptr);
