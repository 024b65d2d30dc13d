// System facts read from Windows.
#include "listing/Systeme.h"

#include "base/FileNameParts.h"
#include "base/ModulePath.h"
#include "base/TextHelpers.h"

#include <windows.h>
#include <shellapi.h>

bool IsModernSystem() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    bool forced = false;
    if (arguments) {
        forced = count > 1 && IsNoVersionArgument(arguments[1]);
        ::LocalFree(arguments);
    }
    if (forced)
        return true;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    if (!::GetVersionExW(&info))
        return false;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
}

std::wstring ExecutableFolder() {
    return StripTrailingBackslashes(SplitFileName(ModuleFileName()).Folder);
}
