// A file time as one 64-bit count of 100-ns ticks from 1601 (UTC), and back.
#pragma once

#include <windows.h>

#include <cstdint>

inline uint64_t FileTimeTicks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

inline FILETIME FileTimeOfTicks(uint64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}
