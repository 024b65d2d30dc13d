// A stamp read back after it was written, against what was asked: file systems keep less than
// they are given (FAT rounds the modification time to 2 seconds and keeps the access time to the
// day; some keep no creation time at all), and the user is told how.
#pragma once

#include "listing/DateTime.h"
#include "listing/FileTimes.h"

#include <cstdint>
#include <optional>
#include <string>

enum class StampKind { Creation, LastWrite, LastAccess };

enum class ReadBack {
    AsAsked,
    // The stamp still holds its value from before, or any value but the one asked: not kept.
    NotKept,
    // Within 2 seconds of what was asked.
    Rounded,
    // The day asked, at midnight.
    KeptToTheDay,
    // Some other value.
    Differs,
};

// Times in 100-ns ticks (UTC); the local forms tell a date kept to the day.
ReadBack CompareReadBack(StampKind kind, uint64_t asked, uint64_t before, uint64_t read,
                         const CivilTime& askedLocal, const CivilTime& readLocal);

// The report's remark for a stamp that did not read back as asked; empty for AsAsked.
std::wstring ReadBackRemark(StampKind kind, ReadBack how, const std::optional<CivilTime>& readLocal);

// The remark for a clock time asked on a day it is skipped or repeated by a change of offset,
// with the time it was written as; empty for a time that occurs once.
std::wstring ClockTimeRemark(LocalTimeKind kind, const CivilTime& asked,
                             const std::optional<CivilTime>& written);
