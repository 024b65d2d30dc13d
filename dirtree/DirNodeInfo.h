// The record each real folder node of the directory tree carries: its path in the tree's form and
// as the disk spells it, and whether its subfolders were read. Owned by its node; the shell
// objects go with it.
#pragma once

#include "base/Handles.h"

#include <shlobj.h>

#include <string>

struct TDirNodeInfo {
    // Upper-cased by the locale and ending with "\" ("C:\" for a root).
    std::wstring Path;
    // The same folder as the file system spells it (the stored letter case, or as the owner gave
    // it), ending with "\". Every file-system and shell access goes through it, so that reaching a
    // folder never depends on a case-blind search of its parent.
    std::wstring DiskPath;
    bool Read = false;
    // The owner's data from its folder enumeration; never used by the tree.
    void* Data = nullptr;
    // Filled while the share overlay is shown: the folder's own shell folder and item identifier.
    ComPtr<IShellFolder> ShellFolder;
    ::ItemIdList ItemIdList;
};
