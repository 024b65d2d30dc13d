// The date a photo was taken, as its camera wrote it in the Exif data of a JPEG or a TIFF file, or
// of the Exif item of a HEIF file, so that the file can be stamped with it; and the camera that
// took it, so that a camera's clock can be put right on its photos alone.
#pragma once

#include "readers/SourceReader.h"
#include "readers/TakenDate.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How far into a JPEG its Exif segment is looked for: it comes first, and is at most 64 KiB.
constexpr size_t kExifBytesRead = 1 << 20;

// The date in the TIFF structure ("II*\0" or "MM\0*", either byte order) lying at
// [start, start + length) of `reader`: DateTimeOriginal, else DateTimeDigitized, each with its
// sub-seconds and offset; DateTime only when the file has neither of the first two at all, since
// editing software rewrites it. A date with an offset ("+02:00", "+0200", "Z") is the exact instant
// in UTC; one without is local time. Directories are read where the offsets say, however far.
std::optional<TakenDate> ReadTiffDate(SourceReader& reader, uint64_t start, uint64_t length);

// The same date from a JPEG (SOI, then segments; the Exif data is in an APP1 segment starting
// "Exif\0\0"), whose segments are walked within the first kExifBytesRead.
std::optional<TakenDate> ReadJpegDate(SourceReader& reader);

// The date from a JPEG or TIFF file held in memory, whole or only its beginning.
std::optional<TakenDate> ReadExifDate(std::string_view bytes);

// The camera's maker and model as the first directory names them (Make 0x010F, Model 0x0110),
// each up to its first NUL, without the spaces cameras pad with; either may be empty.
struct ExifCamera {
    std::string Make;
    std::string Model;
    bool operator==(const ExifCamera&) const = default;
};
// The camera of the TIFF structure at [start, start + length), of a JPEG's Exif segment, and of a
// JPEG or TIFF file in memory; none when the structure names neither maker nor model.
std::optional<ExifCamera> ReadTiffCamera(SourceReader& reader, uint64_t start, uint64_t length);
std::optional<ExifCamera> ReadJpegCamera(SourceReader& reader);
std::optional<ExifCamera> ReadExifCamera(std::string_view bytes);

// Whether a file name's extension is one of the kinds a date is read from, in any case: .jpg .jpeg
// .jpe .tif .tiff .heic .heif .hif .avif .mp4 .mov .m4v .3gp .3g2.
bool MayHoldExifDate(std::wstring_view fileName);
