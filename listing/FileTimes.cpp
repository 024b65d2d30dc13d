// Time-zone conversion of file stamps through the system's rules.
#include "listing/FileTimes.h"

#include "base/ApiPath.h"
#include "base/FileTimeTicks.h"
#include "base/Handles.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

namespace {

std::optional<StampClock> g_forcedClock;

constexpr int64_t kTicksPerMinute = 60ll * 10000000;
// Offsets change only at transitions, which fall on quarter hours in every zone; so the offset
// found for one stamp holds for its whole quarter hour.
constexpr uint64_t kTicksPerQuarterHour = 15 * kTicksPerMinute;

std::optional<CivilTime> Civil(uint64_t ticks) {
    const FILETIME ft = FileTimeOfTicks(ticks);
    SYSTEMTIME st{};
    if (!::FileTimeToSystemTime(&ft, &st))
        return std::nullopt;
    return CivilTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

// The ticks of a civil time read as if it were UTC.
std::optional<uint64_t> CivilTicks(const CivilTime& c) {
    // The platform's record starts in 1601; the day count rejects impossible dates.
    if (c.Year < 1601 || !EncodeDateTime(c))
        return std::nullopt;
    const SYSTEMTIME st{
        static_cast<WORD>(c.Year),   static_cast<WORD>(c.Month),      0,
        static_cast<WORD>(c.Day),    static_cast<WORD>(c.Hour),       static_cast<WORD>(c.Minute),
        static_cast<WORD>(c.Second), static_cast<WORD>(c.Millisecond)};
    FILETIME ft{};
    if (!::SystemTimeToFileTime(&st, &ft))
        return std::nullopt;
    return FileTimeTicks(ft);
}

// The instant at which a local clock time falls under an offset east of UTC, in minutes; none
// before 1601.
std::optional<uint64_t> Shifted(uint64_t localTicks, int64_t offsetMinutes) {
    const int64_t utc = static_cast<int64_t>(localTicks) - offsetMinutes * kTicksPerMinute;
    return utc < 0 ? std::nullopt : std::optional<uint64_t>(static_cast<uint64_t>(utc));
}

bool KeepsLocalTime(const std::wstring& fileSystem) {
    // "FAT", "FAT32" and the like.
    return (fileSystem.size() >= 3 &&
            ::CompareStringOrdinal(fileSystem.c_str(), 3, L"FAT", 3, TRUE) == CSTR_EQUAL) ||
           ::CompareStringOrdinal(fileSystem.c_str(), -1, L"exFAT", -1, TRUE) == CSTR_EQUAL;
}

} // namespace

StampClock VolumeStampClock(const std::wstring& path) {
    if (g_forcedClock)
        return *g_forcedClock;
    // Asked through a handle: asking by the volume's root reads the volume itself, which needs
    // rights the program may not have (and Wine complains of it on every call).
    const FileHandle item(::CreateFileW(ApiPath(path).c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    wchar_t fileSystem[MAX_PATH + 1] = {};
    if (!item || !::GetVolumeInformationByHandleW(item.Get(), nullptr, 0, nullptr, nullptr, nullptr,
                                                  fileSystem, MAX_PATH + 1))
        return StampClock::Utc;
    return KeepsLocalTime(fileSystem) ? StampClock::Local : StampClock::Utc;
}

ScopedVolumeStampClock::ScopedVolumeStampClock(StampClock clock) : previous_(g_forcedClock) {
    g_forcedClock = clock;
}

ScopedVolumeStampClock::~ScopedVolumeStampClock() {
    g_forcedClock = previous_;
}

struct LocalTimeConverter::Rules {
    StampClock clock = StampClock::Utc;
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    bool haveZone = false;
    std::map<int, std::optional<TIME_ZONE_INFORMATION>> byYear;
    std::unordered_map<uint64_t, int64_t> offsetByQuarter;

    // The year's rules; null when the system has none, and then its current rules apply.
    const TIME_ZONE_INFORMATION* Year(int year) {
        auto [it, added] = byYear.try_emplace(year);
        if (added && haveZone) {
            TIME_ZONE_INFORMATION tzi{};
            if (::GetTimeZoneInformationForYear(static_cast<USHORT>(year), &zone, &tzi))
                it->second = tzi;
        }
        return it->second ? &*it->second : nullptr;
    }
};

LocalTimeConverter::LocalTimeConverter(StampClock clock) : rules_(std::make_unique<Rules>()) {
    rules_->clock = clock;
    rules_->haveZone = ::GetDynamicTimeZoneInformation(&rules_->zone) != TIME_ZONE_ID_INVALID;
}

LocalTimeConverter::~LocalTimeConverter() = default;

std::optional<CivilTime> LocalTimeConverter::ToLocal(uint64_t utcTicks) {
    FILETIME ft = FileTimeOfTicks(utcTicks);
    if (rules_->clock == StampClock::Local) {
        FILETIME local{};
        if (!::FileTimeToLocalFileTime(&ft, &local))
            return std::nullopt;
        return Civil(FileTimeTicks(local));
    }
    const uint64_t quarter = utcTicks / kTicksPerQuarterHour;
    if (auto known = rules_->offsetByQuarter.find(quarter); known != rules_->offsetByQuarter.end())
        return Civil(utcTicks + static_cast<uint64_t>(known->second));
    SYSTEMTIME utc{};
    if (!::FileTimeToSystemTime(&ft, &utc))
        return std::nullopt;
    SYSTEMTIME local{};
    FILETIME localFt{};
    if (!::SystemTimeToTzSpecificLocalTime(rules_->Year(utc.wYear), &utc, &local) ||
        !::SystemTimeToFileTime(&local, &localFt))
        return std::nullopt;
    const uint64_t localTicks = FileTimeTicks(localFt);
    rules_->offsetByQuarter.emplace(quarter, static_cast<int64_t>(localTicks - utcTicks));
    return Civil(localTicks);
}

std::optional<uint64_t> LocalTimeConverter::ToUtc(const CivilTime& local) {
    const std::optional<uint64_t> localTicks = CivilTicks(local);
    if (!localTicks)
        return std::nullopt;
    if (rules_->clock == StampClock::Local) {
        const FILETIME localFt = FileTimeOfTicks(*localTicks);
        FILETIME utc{};
        if (!::LocalFileTimeToFileTime(&localFt, &utc))
            return std::nullopt;
        return FileTimeTicks(utc);
    }
    const std::optional<std::vector<int64_t>> offsets = OffsetsOf(local.Year);
    if (!offsets)
        return std::nullopt;
    // An offset fits when the instant it gives shows the same local time. The larger offset gives
    // the earlier instant: with two fits (clocks gone back) it is the first occurrence. With none
    // (clocks gone forward) the smaller one is the offset in force before the change.
    for (auto offset = offsets->rbegin(); offset != offsets->rend(); ++offset) {
        const std::optional<uint64_t> utc = Shifted(*localTicks, *offset);
        if (utc && ToLocal(*utc) == local)
            return utc;
    }
    return Shifted(*localTicks, offsets->front());
}

LocalTimeKind LocalTimeConverter::KindOf(const CivilTime& local) {
    const std::optional<uint64_t> localTicks = CivilTicks(local);
    const std::optional<std::vector<int64_t>> offsets =
        rules_->clock == StampClock::Utc && localTicks ? OffsetsOf(local.Year) : std::nullopt;
    if (!offsets)
        return LocalTimeKind::Once;
    int fits = 0;
    for (const int64_t offset : *offsets) {
        const std::optional<uint64_t> utc = Shifted(*localTicks, offset);
        fits += utc && ToLocal(*utc) == local ? 1 : 0;
    }
    return fits == 0 ? LocalTimeKind::Skipped : fits > 1 ? LocalTimeKind::Repeated : LocalTimeKind::Once;
}

std::optional<std::vector<int64_t>> LocalTimeConverter::OffsetsOf(int yearNumber) {
    TIME_ZONE_INFORMATION current{};
    const TIME_ZONE_INFORMATION* year = rules_->Year(yearNumber);
    if (!year) {
        if (::GetTimeZoneInformation(&current) == TIME_ZONE_ID_INVALID)
            return std::nullopt;
        year = &current;
    }
    // Standard time, and summer time when the year has one.
    std::vector<int64_t> offsets{-static_cast<int64_t>(year->Bias + year->StandardBias)};
    if (year->DaylightDate.wMonth != 0)
        offsets.push_back(-static_cast<int64_t>(year->Bias + year->DaylightBias));
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}
