// What a planned change would write, in words, for a dry run to show before anything is done:
// "modification 2025-03-30 23:22:33 → 2025-03-31 00:22:33" or "Ancien.JPG → ancien.jpg".
// Platform-free: the caller gives the conversion to local time.
#pragma once

#include "journal/Journal.h"
#include "listing/DateTime.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// A stamp's local time, or none when it has none.
using ToLocalTime = std::function<std::optional<CivilTime>(uint64_t utcTicks)>;

// "AAAA-MM-JJ hh:mm:ss", the form /date takes, whatever the user's locale; "?" for none.
std::wstring LocalStampText(const std::optional<CivilTime>& local);

// The new name when the name changes; else one part per stamp that changes, in the order
// création, modification, accès, separated by ", ".
std::wstring PlannedChangeText(const JournalFile& record, const ToLocalTime& toLocal);
