// The narrow seam between the directory tree and the system's drives, volumes and shell icons, so
// that tests can present drives, volumes and serial numbers the machine does not have. Folder
// enumeration does not go through here: it is tested on real folders.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct VolumeInfo {
    uint32_t Serial = 0;
    std::wstring Label;
};

struct ShellItemInfo {
    int IconIndex = 0;
    std::wstring DisplayName;
};

class DriveSystem {
public:
    virtual ~DriveSystem() = default;

    // Bit i set when drive letter 'A' + i exists.
    virtual uint32_t LogicalDrives() = 0;
    // The platform's drive kind of the letter's root (0 unknown ... 6 RAM disk, see DirFilters.h).
    virtual unsigned DriveKind(wchar_t letter) = 0;
    // The volume serial number and label of the letter's root; none when it cannot be read.
    virtual std::optional<VolumeInfo> Volume(wchar_t letter) = 0;
    // The shell's small-icon index and display name of a path; none when the shell knows nothing.
    virtual std::optional<ShellItemInfo> ShellItem(const std::wstring& path) = 0;
    // The shell's small open-state icon index of a path.
    virtual std::optional<int> OpenIconIndex(const std::wstring& path) = 0;
    // The shell's small icon index of a plain folder, closed or open, known without reading one:
    // folders without attributes of their own all share it.
    virtual std::optional<int> PlainFolderIcon(bool open) = 0;
};

// The system's own drives and shell.
std::shared_ptr<DriveSystem> SystemDrives();
