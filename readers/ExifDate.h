// The date a photo was taken, as its camera wrote it in the Exif data at the start of a JPEG or
// TIFF file, so that the file can be stamped with it. Bytes in, date out: the caller reads the file.
#pragma once

#include "listing/DateTime.h"

#include <cstddef>
#include <optional>
#include <string_view>

// Which of the file's dates was found: DateTimeOriginal, DateTimeDigitized or DateTime.
enum class ExifDateSource { Original, Digitized, Modified };

struct ExifDate {
    CivilTime Local;                  // the camera's clock reading; milliseconds are always 0
    std::optional<int> OffsetMinutes; // the camera's offset from UTC for that date, when written
    ExifDateSource Source = ExifDateSource::Original;

    bool operator==(const ExifDate&) const = default;
};

// The most of a file's beginning worth reading: an Exif segment is at most 64 KiB and comes first.
constexpr size_t kExifBytesRead = 1 << 20;

// The date a photo was taken, from the start of a JPEG (SOI, then segments; the Exif data is in
// an APP1 segment starting "Exif\0\0") or a TIFF file ("II*\0" or "MM\0*"), in either byte order:
// DateTimeOriginal, else DateTimeDigitized, else DateTime, each with its own offset when valid.
// None when the bytes hold no such valid date. `bytes` may be only the beginning of the file.
std::optional<ExifDate> ReadExifDate(std::string_view bytes);

// Whether a file name's extension is one the reader knows: .jpg .jpeg .jpe .tif .tiff, any case.
bool MayHoldExifDate(std::wstring_view fileName);
