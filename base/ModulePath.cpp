// The file a loaded module (or the program itself) was loaded from.
#include "base/ModulePath.h"

std::wstring ModuleFileName(HMODULE module) {
    // Long paths do not fit MAX_PATH; a filled buffer means the name was cut, so grow and ask again.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
