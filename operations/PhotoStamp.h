// "Date de prise de vue": the stamp a photo or video file gets from the date it was taken, as the
// file itself records it (Exif data, a HEIF's Exif item, a video's movie header). A date that is an
// exact instant is kept as such; a camera's local clock reading is taken as this computer's local
// time.
#pragma once

#include "operations/FileOutcome.h"
#include "operations/FileStamping.h"
#include "readers/ExifDate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The UTC stamp of the date the photo or video at `path` was taken, as its volume can hold it;
// none, with the reason in `why`, when the file cannot be read, is of no kind a date is read from,
// holds no such date, or its volume cannot hold it.
std::optional<uint64_t> PhotoTakenStamp(const FileStamping& stamping, const std::wstring& path,
                                        FileOutcome& why);

// The same stamp, with what the preview and the report tell of it besides: the camera's clock time
// skipped or repeated that day by a change of offset.
struct TakenStamp {
    uint64_t Stamp = 0;
    std::vector<std::wstring> Remarks;
    // The date as the file holds it: the camera's clock reading, or an exact instant in UTC.
    TakenDate Taken;
};
std::optional<TakenStamp> PhotoTakenStampTold(const FileStamping& stamping, const std::wstring& path,
                                              FileOutcome& why);

// The camera the photo at `path` names in its Exif data; none, with the reason in `why` ("aucun
// appareil indiqué", or why the file cannot be read), when there is none.
std::optional<ExifCamera> PhotoCamera(const std::wstring& path, FileOutcome& why);
