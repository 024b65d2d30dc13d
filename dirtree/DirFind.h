// The folder-enumeration record of the directory tree and the two calls that fill it from the file
// system. An owner's OnFindDir handler fills the same record instead.
#pragma once

#include "base/Handles.h"

#include <windows.h>

#include <cstdint>
#include <string>

struct TDirRec {
    uint32_t Attr = 0;
    std::wstring Name;
    ::FindHandle FindHandle; // closed when the enumeration ends
    WIN32_FIND_DATAW FindData{};
    void* Data = nullptr;
};

// Starts an enumeration on the pattern; 0 on success, otherwise the system's error code.
uint32_t DirFindFirst(const std::wstring& pattern, TDirRec& rec);
// The next entry of the enumeration started by DirFindFirst; 0 on success.
uint32_t DirFindNext(TDirRec& rec);
