// Version resources of program files.
#include "app/ModuleVersion.h"

#include "base/ModulePath.h"

#include <windows.h>

#include <vector>

std::optional<FileVersion> ReadFileVersion(const std::wstring& path) {
    if (path.empty())
        return std::nullopt;
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0)
        return std::nullopt;
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return FileVersion::FromWords(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::wstring LoadedModulePath(const std::wstring& moduleName) {
    HMODULE module = ::GetModuleHandleW(moduleName.c_str());
    if (!module)
        return {};
    return ModuleFileName(module);
}

bool ComCtlCheckPasses() {
    return ComCtlVersionSufficient(ReadFileVersion(LoadedModulePath(L"COMCTL32.DLL")));
}
