// "Date de prise de vue": the stamp a photo file gets from the date its camera wrote in its Exif
// data. A date written with its offset from UTC is an exact instant; one without is the camera's
// local clock, taken as this computer's local time.
#pragma once

#include "operations/FileOutcome.h"
#include "operations/FileStamping.h"

#include <cstdint>
#include <optional>
#include <string>

// The UTC stamp of the date the photo at `path` was taken, as its volume can hold it; none, with
// the reason in `why`, when the file cannot be read, is neither a JPEG nor a TIFF, holds no such
// date, or its volume cannot hold it.
std::optional<uint64_t> PhotoTakenStamp(const FileStamping& stamping, const std::wstring& path,
                                        FileOutcome& why);
