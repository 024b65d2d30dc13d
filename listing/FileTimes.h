// File times (UTC, 100-ns ticks from 1601) to and from local civil time, with the time-zone rules
// in force at the date converted, so that a stamp shows the same clock time in winter and summer.
#pragma once

#include "listing/DateTime.h"

#include <cstdint>
#include <optional>

std::optional<CivilTime> FileTimeToLocalCivil(uint64_t utcTicks);

// The same conversion for many stamps in a row: the time-zone rules of each year are read from
// the system once instead of once per stamp.
class LocalTimeConverter {
public:
    LocalTimeConverter();
    ~LocalTimeConverter();
    LocalTimeConverter(const LocalTimeConverter&) = delete;
    LocalTimeConverter& operator=(const LocalTimeConverter&) = delete;

    std::optional<CivilTime> ToLocal(uint64_t utcTicks);

private:
    struct YearRules;
    YearRules* rules_; // a few years' rules; owned
};
std::optional<uint64_t> LocalCivilToFileTime(const CivilTime& local);
