// Time-zone conversion of file stamps through the system's rules for each date.
#include "listing/FileTimes.h"

#include <windows.h>

#include <map>
#include <unordered_map>

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

struct LocalTimeConverter::YearRules {
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    bool haveZone = false;
    std::map<int, std::optional<TIME_ZONE_INFORMATION>> byYear;
    // Offsets change only at transitions, which fall on quarter hours in every zone; so the offset
    // found for one stamp holds for its whole quarter hour.
    std::unordered_map<uint64_t, int64_t> offsetByQuarter;
};

namespace {

constexpr uint64_t kTicksPerQuarterHour = 15ull * 60 * 10000000;

std::optional<CivilTime> Civil(uint64_t ticks) {
    FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME st{};
    if (!::FileTimeToSystemTime(&ft, &st))
        return std::nullopt;
    return CivilTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

} // namespace

LocalTimeConverter::LocalTimeConverter() : rules_(new YearRules) {
    rules_->haveZone = ::GetDynamicTimeZoneInformation(&rules_->zone) != TIME_ZONE_ID_INVALID;
}

LocalTimeConverter::~LocalTimeConverter() {
    delete rules_;
}

std::optional<CivilTime> LocalTimeConverter::ToLocal(uint64_t utcTicks) {
    const uint64_t quarter = utcTicks / kTicksPerQuarterHour;
    if (auto known = rules_->offsetByQuarter.find(quarter); known != rules_->offsetByQuarter.end())
        return Civil(utcTicks + static_cast<uint64_t>(known->second));
    FILETIME ft{static_cast<DWORD>(utcTicks & 0xFFFFFFFFu), static_cast<DWORD>(utcTicks >> 32)};
    SYSTEMTIME utc{};
    if (!::FileTimeToSystemTime(&ft, &utc))
        return std::nullopt;
    auto [it, added] = rules_->byYear.try_emplace(utc.wYear);
    if (added && rules_->haveZone) {
        TIME_ZONE_INFORMATION tzi{};
        if (::GetTimeZoneInformationForYear(utc.wYear, &rules_->zone, &tzi))
            it->second = tzi;
    }
    SYSTEMTIME local{};
    const TIME_ZONE_INFORMATION* zone = it->second ? &*it->second : nullptr;
    FILETIME localFt{};
    if (!::SystemTimeToTzSpecificLocalTime(zone, &utc, &local) || !::SystemTimeToFileTime(&local, &localFt))
        return std::nullopt;
    const uint64_t localTicks = (static_cast<uint64_t>(localFt.dwHighDateTime) << 32) | localFt.dwLowDateTime;
    rules_->offsetByQuarter.emplace(quarter, static_cast<int64_t>(localTicks - utcTicks));
    return Civil(localTicks);
}
