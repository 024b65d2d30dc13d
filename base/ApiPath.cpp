// The path form handed to the file-system calls.
#include "base/ApiPath.h"

#include "base/SystemFolderPath.h"
#include "base/TextHelpers.h"

#include <windows.h>

namespace {

// The system folder and its native alias, where Windows redirects this process's access to the
// first; none for a 64-bit process or on 32-bit Windows.
struct Redirection {
    std::wstring systemFolder;
    std::wstring nativeFolder;
};

#if !defined(_WIN64)
std::wstring SystemText(UINT(WINAPI* read)(LPWSTR, UINT)) {
    std::wstring text(MAX_PATH, L'\0');
    UINT length = read(text.data(), static_cast<UINT>(text.size()));
    if (length >= text.size()) {
        text.resize(length);
        length = read(text.data(), static_cast<UINT>(text.size()));
    }
    if (length == 0 || length >= text.size())
        return {};
    text.resize(length);
    return text;
}
#endif

Redirection FindRedirection() {
#if defined(_WIN64)
    return {};
#else
    BOOL wow64 = FALSE;
    if (!::IsWow64Process(::GetCurrentProcess(), &wow64) || !wow64)
        return {};
    const std::wstring windows = SystemText(::GetSystemWindowsDirectoryW);
    const std::wstring system = SystemText(::GetSystemDirectoryW);
    if (windows.empty() || system.empty())
        return {};
    return {system, WithTrailingBackslash(windows) + L"Sysnative"};
#endif
}

const Redirection& ProcessRedirection() {
    static const Redirection redirection = FindRedirection();
    return redirection;
}

std::wstring Unredirected(const std::wstring& path) {
    const Redirection& redirection = ProcessRedirection();
    return redirection.systemFolder.empty()
               ? path
               : UnredirectedPath(path, redirection.systemFolder, redirection.nativeFolder);
}

} // namespace

std::wstring ApiPath(const std::wstring& path) {
    // The alias may make a path one character longer: the threshold keeps that margin.
    if (path.size() < kLongPathThreshold)
        return Unredirected(path);
    // The extended form skips the system's normalisation, so normalise first ("..", "/", "\\").
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return Unredirected(path);
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return Unredirected(path);
    full.resize(length);
    return ExtendedLengthPath(Unredirected(full));
}

std::wstring FullPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return path;
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}
