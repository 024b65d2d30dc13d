// File times (UTC, 100-ns ticks from 1601) to and from local civil time: one converter for both
// directions, so that a stamp written at a clock time shows that clock time when listed.
#pragma once

#include "listing/DateTime.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// How a volume keeps its stamps.
enum class StampClock {
    // NTFS and most others: the instant itself, in UTC.
    Utc,
    // The FAT family: the local clock time. The system turns the UTC stamp it is given into local
    // time with the offset in force at the moment of writing, and back with the offset in force
    // at the moment of reading, whatever the date of the stamp.
    Local,
};

// The clock of the volume holding `path` (a file or a folder); UTC when it cannot be told.
StampClock VolumeStampClock(const std::wstring& path);

// Makes VolumeStampClock answer `clock` for every path during one scope. Wine keeps every stamp
// in UTC, so this is how the rules of a FAT volume are reached there.
class ScopedVolumeStampClock {
public:
    explicit ScopedVolumeStampClock(StampClock clock);
    ~ScopedVolumeStampClock();
    ScopedVolumeStampClock(const ScopedVolumeStampClock&) = delete;
    ScopedVolumeStampClock& operator=(const ScopedVolumeStampClock&) = delete;

private:
    std::optional<StampClock> previous_;
};

enum class LocalTimeKind {
    Once,
    // Skipped when the clocks go forward.
    Skipped,
    // Occurring twice when the clocks go back.
    Repeated,
};

// Converts the stamps of one volume both ways.
//
// On a UTC volume each date is converted with the time-zone rules of its own year (the dynamic
// time zone), so a stamp of a year whose rules differ from today's (the United States before
// 2007) shows the clock time it was written with. Near a change of offset, a local time is read
// with the offset in force before the change:
// - a time that does not exist (skipped when the clocks go forward) lands as far after the change
//   as it was named after its start: 02:30 on a day that jumps from 02:00 to 03:00 is 03:30;
// - a time that occurs twice (when the clocks go back) is its first occurrence, in summer time.
//
// On a local-time volume both directions use the offset in force now, the system's own rule for
// such a volume: the disk then keeps exactly the clock time written, and it shows unchanged
// whatever the season at the moment of writing or of reading.
//
// The rules of each year are read from the system once, so that a folder of many stamps is
// converted quickly.
class LocalTimeConverter {
public:
    explicit LocalTimeConverter(StampClock clock = StampClock::Utc);
    ~LocalTimeConverter();
    LocalTimeConverter(const LocalTimeConverter&) = delete;
    LocalTimeConverter& operator=(const LocalTimeConverter&) = delete;

    std::optional<CivilTime> ToLocal(uint64_t utcTicks);
    // Fails on an impossible date-time and on one before 1601.
    std::optional<uint64_t> ToUtc(const CivilTime& local);
    // How often `local` occurs on its day: ToUtc's rule for a skipped or a repeated time is worth
    // telling the user. Always once on a local-time volume, which keeps the clock time itself.
    LocalTimeKind KindOf(const CivilTime& local);

private:
    // The offsets east of UTC, in minutes, that the year of `local` uses, smallest first.
    std::optional<std::vector<int64_t>> OffsetsOf(int year);

    struct Rules;
    std::unique_ptr<Rules> rules_;
};
