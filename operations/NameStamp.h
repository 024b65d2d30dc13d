// "Date du nom de fichier": the stamp a file gets from the date its name gives, in one of the
// forms phones and applications write, or by the user's own pattern.
#pragma once

#include "operations/FileOutcome.h"
#include "operations/FileStamping.h"
#include "readers/NameDate.h"

#include <cstdint>
#include <optional>
#include <string>

struct NameStamp {
    uint64_t Stamp = 0;
    // What the report tells of the file besides: a second date in the name left unused, a clock
    // time skipped or repeated that day.
    std::vector<std::wstring> Remarks;
};

// The UTC stamp of the date in the name of the file at `path` (the last element of the path),
// found by `pattern` when there is one, else by the known forms; none, with the reason in `why`,
// when the name gives no possible date or the file's volume cannot hold it.
std::optional<NameStamp> NameDateStamp(const FileStamping& stamping, const std::wstring& path,
                                       const std::optional<NamePattern>& pattern, FileOutcome& why);
