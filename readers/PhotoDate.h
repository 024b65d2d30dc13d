// The date a photo was taken, read from the photo's bytes wherever they come from: the file on
// disk in the program, memory in the tests. Turning it into a stamp is the caller's business.
#pragma once

#include "readers/ByteSource.h"
#include "readers/ExifDate.h"

#include <variant>

// Why a file gave no date: its bytes could not be read, it is neither a JPEG nor a TIFF, or it is
// one and holds no valid date where a camera writes it.
enum class NoPhotoDate { Unreadable, NotJpegOrTiff, NoDateWritten };

// The date the photo in `source` was taken, or why there is none. The file's kind is told by its
// first bytes, not by its name. A camera writes its Exif data first, within 64 KiB: most files are
// read no further than that, and only a photo whose date is not found there is read further, up
// to kExifBytesRead.
std::variant<ExifDate, NoPhotoDate> ReadPhotoDate(ByteSource& source);
