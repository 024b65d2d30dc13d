// The file version of a program file, read from its version resource, and the path of a library
// the process has loaded.
#pragma once

#include "app/ComCtlVersion.h"

#include <optional>
#include <string>

// Nothing when the file or its version resource is missing or unreadable.
std::optional<FileVersion> ReadFileVersion(const std::wstring& path);

// The full path of a loaded library ("COMCTL32.DLL"), or an empty text when it is not loaded.
std::wstring LoadedModulePath(const std::wstring& moduleName);

// The check made at start: the version of the common-controls library this process uses.
bool ComCtlCheckPasses();
