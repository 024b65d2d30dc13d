// Folder and drive filters of the directory tree.
#include "dirtree/DirFilters.h"

#include <cwctype>

bool IsBelowRecycleBin(std::wstring_view path, const Locale& locale) {
    const std::wstring lower = locale.ToLower(path);
    size_t found = lower.find(L"\\recycled\\");
    if (found == std::wstring::npos)
        found = lower.find(L"\\recycler\\");
    if (found == std::wstring::npos)
        return false;
    // Anything after the recycle folder's own trailing backslash is a folder below it.
    return found + 10 < lower.size();
}

bool IsPlainFolder(uint32_t attributes) {
    constexpr uint32_t kReadOnly = 0x1;
    constexpr uint32_t kReparsePoint = 0x400;
    constexpr uint32_t kOffline = 0x1000;
    constexpr uint32_t kRecallOnOpen = 0x40000;
    constexpr uint32_t kRecallOnDataAccess = 0x400000;
    return (attributes &
            (kReadOnly | kAttrSystem | kReparsePoint | kOffline | kRecallOnOpen | kRecallOnDataAccess)) == 0;
}

bool AttrAcceptedBy(uint32_t attributes, TDirTypes types) {
    if (types.Contains(TDirType::dtAll))
        return true;
    if ((attributes & kAttrHidden) && !types.Contains(TDirType::dtHidden))
        return false;
    if ((attributes & kAttrSystem) && !types.Contains(TDirType::dtSystem))
        return false;
    if ((attributes & kAttrArchive) && !types.Contains(TDirType::dtArchive))
        return false;
    return types.Contains(TDirType::dtNormal) ||
           (attributes & (kAttrHidden | kAttrSystem | kAttrArchive)) != 0;
}

bool DriveKindAllowed(unsigned kind, TDriveTypes types) {
    switch (kind) {
    case kDriveUnknown:
        return types.Contains(TDriveType::drtUnknown);
    case kDriveRemovable:
        return types.Contains(TDriveType::drtRemovable);
    case kDriveFixed:
        return types.Contains(TDriveType::drtFixed);
    case kDriveRemote:
        return types.Contains(TDriveType::drtRemote);
    case kDriveCDRom:
        return types.Contains(TDriveType::drtCDRom);
    case kDriveRamDisk:
        return types.Contains(TDriveType::drtRamDisk);
    default:
        return true;
    }
}

uint32_t FilterDrives(uint32_t mask, TDriveTypes types, const std::function<unsigned(wchar_t)>& kindOf) {
    for (unsigned i = 0; i < 26; ++i) {
        const uint32_t bit = uint32_t{1} << i;
        if ((mask & bit) && !DriveKindAllowed(kindOf(static_cast<wchar_t>(L'A' + i)), types))
            mask &= ~bit;
    }
    return mask;
}

std::wstring DriveCaptionText(wchar_t letter, const std::optional<std::wstring>& label) {
    const wchar_t upper = static_cast<wchar_t>(std::towupper(letter));
    std::wstring drive = L"(";
    drive += upper;
    drive += L":)";
    if (!label)
        return drive;
    return *label + L" " + drive;
}
