// The folder-attribute and drive-kind filters of the directory tree, as small sets of enumerated
// values (one bit per value, in declaration order), so that a filter reads like a list of kinds.
#pragma once

#include "base/EnumSet.h"

enum class TDirType { dtReadOnly, dtHidden, dtSystem, dtArchive, dtNormal, dtAll };
enum class TDriveType { drtUnknown, drtRemovable, drtFixed, drtRemote, drtCDRom, drtRamDisk };

using TDirTypes = EnumSet<TDirType>;
using TDriveTypes = EnumSet<TDriveType>;

inline constexpr TDriveTypes kAllDriveTypes{TDriveType::drtUnknown, TDriveType::drtRemovable,
                                            TDriveType::drtFixed,   TDriveType::drtRemote,
                                            TDriveType::drtCDRom,   TDriveType::drtRamDisk};
