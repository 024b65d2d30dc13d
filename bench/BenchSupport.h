// What the benchmarks share: a clock in seconds and the data folder they are given.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// A command-line argument in the process's code page (a "Z:\..." path from the benchmark runner).
inline std::wstring Widen(const char* text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length) : 0, L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    if (!wide.empty())
        wide.pop_back();
    return wide;
}

// The system's temporary folder, for a run without a data folder.
inline std::wstring TempFolder() {
    const DWORD size = ::GetTempPathW(0, nullptr);
    std::wstring path(size, L'\0');
    path.resize(::GetTempPathW(size, path.data()));
    return path;
}
