// Time-zone conversion of file stamps through the system's rules for each date.
#include "listing/FileTimes.h"

#include <windows.h>

std::optional<CivilTime> FileTimeToLocalCivil(uint64_t utcTicks) {
    FILETIME ft{static_cast<DWORD>(utcTicks & 0xFFFFFFFFu), static_cast<DWORD>(utcTicks >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!::FileTimeToSystemTime(&ft, &utc))
        return std::nullopt;
    if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::nullopt;
    return CivilTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                     local.wMilliseconds};
}

std::optional<uint64_t> LocalCivilToFileTime(const CivilTime& c) {
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(c.Year);
    local.wMonth = static_cast<WORD>(c.Month);
    local.wDay = static_cast<WORD>(c.Day);
    local.wHour = static_cast<WORD>(c.Hour);
    local.wMinute = static_cast<WORD>(c.Minute);
    local.wSecond = static_cast<WORD>(c.Second);
    local.wMilliseconds = static_cast<WORD>(c.Millisecond);
    SYSTEMTIME utc{};
    FILETIME ft{};
    if (!::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !::SystemTimeToFileTime(&utc, &ft))
        return std::nullopt;
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}
