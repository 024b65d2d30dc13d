// Reading a folder's dates before a rename in it and writing back those the rename moved.
#include "operations/FolderStampKeeper.h"

#include "base/FileNameParts.h"
#include "base/FileTimeTicks.h"
#include "base/Handles.h"
#include "operations/ApiPath.h"

#include <windows.h>

FolderStampKeeper::FolderStampKeeper(const std::wstring& path)
    : folder_(SplitFileName(path).Folder), before_(PlatformFileTimeReader(folder_)) {}

bool FolderStampKeeper::PutBack() const {
    if (!before_)
        return false;
    const std::optional<FileStamps> now = PlatformFileTimeReader(folder_);
    if (!now)
        return false;
    const bool writeMoved = FileTimeTicks(now->LastWrite) != FileTimeTicks(before_->LastWrite);
    const bool accessMoved = FileTimeTicks(now->LastAccess) != FileTimeTicks(before_->LastAccess);
    if (!writeMoved && !accessMoved)
        return true;
    // Shared with everyone: the program's folder watch and the shell may hold the folder open.
    const FileHandle folder(::CreateFileW(ApiPath(folder_).c_str(), FILE_WRITE_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return folder && ::SetFileTime(folder.Get(), nullptr, accessMoved ? &before_->LastAccess : nullptr,
                                   writeMoved ? &before_->LastWrite : nullptr) != FALSE;
}
