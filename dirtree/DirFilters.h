// The rules that decide which folders and drives the directory tree shows and how a drive root is
// captioned. They need no platform, so they are tested natively.
#pragma once

#include "dirtree/DirTypes.h"
#include "base/Locale.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Attribute bits of the platform that the filters look at.
inline constexpr uint32_t kAttrHidden = 0x2;
inline constexpr uint32_t kAttrSystem = 0x4;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;

// True when the shell shows a folder with these attributes as a plain folder: one that can carry
// its own icon (read-only or system, through its desktop.ini), a link or mount point, or a
// cloud or offline folder may look different.
bool IsPlainFolder(uint32_t attributes);

// The drive kinds the platform reports (GetDriveType).
inline constexpr unsigned kDriveUnknown = 0;
inline constexpr unsigned kDriveNoRootDir = 1;
inline constexpr unsigned kDriveRemovable = 2;
inline constexpr unsigned kDriveFixed = 3;
inline constexpr unsigned kDriveRemote = 4;
inline constexpr unsigned kDriveCDRom = 5;
inline constexpr unsigned kDriveRamDisk = 6;

// The serial a volume that cannot be read is given.
inline constexpr uint32_t kUnreadableSerial = 0xFFFFFFFFu;

// True when the folder path (ending with "\") lies below a RECYCLED or RECYCLER folder at any
// depth; the recycle folder itself is not below one.
bool IsBelowRecycleBin(std::wstring_view path, const Locale& locale = CurrentLocale());

// The folder-attribute filter.
bool AttrAcceptedBy(uint32_t attributes, TDirTypes types);

// Whether a drive of this kind gets a root; kinds the filter does not know (no root directory,
// anything else) always do.
bool DriveKindAllowed(unsigned kind, TDriveTypes types);

// The drives of the mask that the filter keeps; kindOf tells each letter's kind ('A' to 'Z').
uint32_t FilterDrives(uint32_t mask, TDriveTypes types, const std::function<unsigned(wchar_t)>& kindOf);

// The caption of a drive root from its volume label: "DATA (D:)", " (D:)" for an empty label,
// "(D:)" when the volume could not be read.
std::wstring DriveCaptionText(wchar_t letter, const std::optional<std::wstring>& label);
