// File times (UTC, 100-ns ticks from 1601) to and from local civil time, with the time-zone rules
// in force at the date converted, so that a stamp shows the same clock time in winter and summer.
#pragma once

#include "listing/DateTime.h"

#include <cstdint>
#include <optional>

std::optional<CivilTime> FileTimeToLocalCivil(uint64_t utcTicks);
std::optional<uint64_t> LocalCivilToFileTime(const CivilTime& local);
