// Drives, volumes and shell icons of the real system.
#include "dirtree/RealDriveSystem.h"

#include <windows.h>
#include <shellapi.h>

namespace {

std::wstring RootOf(wchar_t letter) {
    std::wstring root(1, letter);
    root += L":\\";
    return root;
}

} // namespace

std::shared_ptr<DriveSystem> SystemDrives() {
    static const std::shared_ptr<DriveSystem> system = std::make_shared<RealDriveSystem>();
    return system;
}

uint32_t RealDriveSystem::LogicalDrives() {
    return ::GetLogicalDrives();
}

unsigned RealDriveSystem::DriveKind(wchar_t letter) {
    return ::GetDriveTypeW(RootOf(letter).c_str());
}

std::optional<VolumeInfo> RealDriveSystem::Volume(wchar_t letter) {
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0;
    DWORD maxComponent = 0;
    DWORD flags = 0;
    if (!::GetVolumeInformationW(RootOf(letter).c_str(), label, MAX_PATH + 1, &serial, &maxComponent, &flags,
                                 fileSystem, MAX_PATH + 1))
        return std::nullopt;
    return VolumeInfo{serial, label};
}

std::optional<ShellItemInfo> RealDriveSystem::ShellItem(const std::wstring& path) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info),
                          SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON))
        return std::nullopt;
    return ShellItemInfo{info.iIcon, info.szDisplayName};
}

std::optional<int> RealDriveSystem::OpenIconIndex(const std::wstring& path) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info),
                          SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON))
        return std::nullopt;
    return info.iIcon;
}

std::optional<int> RealDriveSystem::PlainFolderIcon(bool open) {
    // From the attributes alone: the shell reads no folder for this answer.
    SHFILEINFOW info{};
    const UINT flags =
        SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (!::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags))
        return std::nullopt;
    return info.iIcon;
}
