// The date a photo or a video was taken, read from the file's bytes wherever they come from: the
// file on disk in the program, memory in the tests. Turning it into a stamp is the caller's business.
#pragma once

#include "readers/ByteSource.h"
#include "readers/ExifDate.h"
#include "readers/TakenDate.h"

#include <variant>

// Why a file gave no date: its bytes could not be read, it is of no kind whose date is read, or
// it is one and holds no valid date where a camera writes it.
enum class NoPhotoDate { Unreadable, NotRecognised, NoDateWritten };

// The date the photo or video in `source` was taken, or why there is none. The file's kind is told
// by its bytes, not by its name: JPEG (SOI), TIFF ("II*\0", "MM\0*"), or an ISO base media file
// whose `ftyp` brands say HEIF (heic, heix, mif1, msf1, avif...) or video (isom, mp41, mp42,
// "qt  ", "M4V ", 3gp...), or an old QuickTime file starting with one of its own top-level boxes. Only the
// parts that hold dates are read: a JPEG's first segments, a TIFF's directories, a HEIF's `meta` box and Exif
// item, a video's `moov` headers.
std::variant<TakenDate, NoPhotoDate> ReadPhotoDate(ByteSource& source);

// The camera a JPEG, TIFF or HEIF photo names in its Exif data, the kind told as above; none for
// any other file, or a photo that names no camera.
std::optional<ExifCamera> ReadPhotoCamera(ByteSource& source);
