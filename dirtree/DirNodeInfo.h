// The record each real folder node of the directory tree carries: its path in the tree's form and
// whether its subfolders were read. Owned by its node; the shell objects go with it.
#pragma once

#include "ui/Handles.h"

#include <shlobj.h>

#include <string>

struct TDirNodeInfo {
    // Upper-cased by the locale and ending with "\" ("C:\" for a root).
    std::wstring Path;
    bool Read = false;
    // The owner's data from its folder enumeration; never used by the tree.
    void* Data = nullptr;
    // Filled while the share overlay is shown: the folder's own shell folder and item identifier.
    ComPtr<IShellFolder> ShellFolder;
    ::ItemIdList ItemIdList;
};
