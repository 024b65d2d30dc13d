// The file a loaded module (or the program itself) was loaded from.
#pragma once

#include <windows.h>

#include <string>

// The module's full path; the program's own with no module; empty when Windows cannot tell.
std::wstring ModuleFileName(HMODULE module = nullptr);
