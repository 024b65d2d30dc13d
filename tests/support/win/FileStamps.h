// The three stamps of a file or folder as stored on disk, read and written directly.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

struct DiskStamps {
    FILETIME Creation{};
    FILETIME LastAccess{};
    FILETIME LastWrite{};
};

// None when the entry cannot be opened; the name is matched with its exact letter case.
std::optional<DiskStamps> ReadStamps(const std::wstring& path);
bool WriteStamps(const std::wstring& path, const FILETIME& creation, const FILETIME& lastAccess,
                 const FILETIME& lastWrite);
bool SameTime(const FILETIME& a, const FILETIME& b);
