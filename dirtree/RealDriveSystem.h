// The drive seam over the real system: kernel32 for drives and volumes, shell32 for icons and
// display names.
#pragma once

#include "dirtree/DriveSystem.h"

class RealDriveSystem : public DriveSystem {
public:
    uint32_t LogicalDrives() override;
    unsigned DriveKind(wchar_t letter) override;
    std::optional<VolumeInfo> Volume(wchar_t letter) override;
    std::optional<ShellItemInfo> ShellItem(const std::wstring& path) override;
    std::optional<int> OpenIconIndex(const std::wstring& path) override;
    std::optional<int> PlainFolderIcon(bool open) override;
};
