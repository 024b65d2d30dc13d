// The dates of the folder a file is renamed in. Renaming a file moves its folder's modification
// time (and, on some systems, its access time), which no batch asks for: a change of letter case
// and its undo read them before the rename and put back what moved.
#pragma once

#include "operations/FileStamping.h"

#include <optional>
#include <string>

class FolderStampKeeper {
public:
    // Reads the dates of the folder holding the file at `path` (a full path).
    explicit FolderStampKeeper(const std::wstring& path);

    // Puts back the folder's modification and access times that moved since; true when nothing
    // moved or it is put back, false when it could not be (the folder's dates unreadable at first
    // included).
    bool PutBack() const;

private:
    std::wstring folder_;
    std::optional<FileStamps> before_;
};
