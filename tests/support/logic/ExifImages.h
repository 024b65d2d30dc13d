// Small JPEG and TIFF images made byte for byte, holding the Exif tags a test asks for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ExifTag {
    uint16_t Id;
    std::string Text; // written with a NUL after it
};

// A TIFF image whose first directory holds `first` and points to an Exif directory holding `exif`.
std::string Tiff(bool bigEndian, const std::vector<ExifTag>& first, const std::vector<ExifTag>& exif);
// A JPEG file carrying `tiff` as its Exif segment.
std::string Jpeg(const std::string& tiff);
