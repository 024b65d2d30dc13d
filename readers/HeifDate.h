// The date a HEIC, HEIF or AVIF photo was taken: its Exif item, found through the file's `meta`
// box, read with the same rules as a JPEG's Exif data.
#pragma once

#include "readers/ExifDate.h"
#include "readers/IsoBoxes.h"
#include "readers/TakenDate.h"

#include <optional>

// The date of the item of type `Exif` named in the top-level `meta` box's `iinf` and located by
// its `iloc` (versions 0 to 2; only items stored in this file, by offset, are read). The item
// begins with the big-endian offset from its fifth byte to the TIFF header, which "Exif\0\0" may
// precede.
std::optional<TakenDate> ReadHeifDate(BoxWalker& walker);
// The camera named in the same Exif item.
std::optional<ExifCamera> ReadHeifCamera(BoxWalker& walker);
