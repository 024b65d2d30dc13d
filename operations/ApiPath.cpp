// Path form for the file-system calls.
#include "operations/ApiPath.h"

#include "operations/FileNameParts.h"

#include <windows.h>

std::wstring ApiPath(const std::wstring& path) {
    if (path.size() < kLongPathThreshold)
        return path;
    // The extended form skips the system's normalisation, so normalise first ("..", "/", "\\").
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    return ExtendedLengthPath(full);
}
