#include "support/win/FileStamps.h"

#include "base/Handles.h"

std::optional<DiskStamps> ReadStamps(const std::wstring& path) {
    // Backup semantics open folders too.
    FileHandle file(::CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_POSIX_SEMANTICS, nullptr));
    DiskStamps stamps;
    if (!file || !::GetFileTime(file.Get(), &stamps.Creation, &stamps.LastAccess, &stamps.LastWrite))
        return std::nullopt;
    return stamps;
}

bool WriteStamps(const std::wstring& path, const FILETIME& creation, const FILETIME& lastAccess,
                 const FILETIME& lastWrite) {
    FileHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_POSIX_SEMANTICS, nullptr));
    return file && ::SetFileTime(file.Get(), &creation, &lastAccess, &lastWrite);
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}
