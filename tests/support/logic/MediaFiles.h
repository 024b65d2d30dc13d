// Small MP4, MOV and HEIF files made byte for byte: boxes, a movie header with its creation time,
// a QuickTime creation date, and a HEIF file carrying Exif data as an item.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A box: its 32-bit size, its type and `contents`.
std::string IsoBox(std::string_view type, std::string_view contents);
// A box whose contents start with a version and 24 bits of flags (0).
std::string FullBox(std::string_view type, int version, std::string_view contents);
// `value` in `size` big-endian bytes.
std::string BigEndian(uint64_t value, int size);

// A `ftyp` box with the major brand `brand` and "isom" compatible.
std::string FileType(std::string_view brand);
// A movie header of version 0 or 1 whose creation time is `seconds` from 1904.
std::string MovieHeader(int version, uint64_t seconds);
// A `meta` box naming `com.apple.quicktime.creationdate` as its second key, with `date` as its
// value; QuickTime's own (no version and flags) unless `full`.
std::string CreationDateMeta(std::string_view date, bool full);
// A video: `ftyp` with `brand`, a `mdat` of `mediaBytes`, then `moov` holding `movie`.
std::string Video(std::string_view brand, const std::string& movie, size_t mediaBytes = 100);

// A HEIF file with major brand `brand` whose Exif item, listed second in `iinf` and located by an
// `iloc` of `ilocVersion`, holds `tiff`: after the 4-byte offset 0 to it, or, with `exifMarker`,
// after the offset 6 and "Exif\0\0". With `wideFields`, `iloc` gives each item a 4-byte base offset,
// and 8-byte extent offsets and lengths after a 4-byte extent index (versions 1 and 2).
std::string Heif(std::string_view brand, const std::string& tiff, bool exifMarker, int ilocVersion = 0,
                 bool wideFields = false);
