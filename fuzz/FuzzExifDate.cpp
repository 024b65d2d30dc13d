// Fuzz target: reading the photo date from any bytes must never misbehave and must give only a
// date that exists. Input starting with "J" is wrapped in a JPEG's Exif segment, so that the TIFF
// reading is reached through the segment walk too.
#include "readers/ExifDate.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string wrapped;
    if (bytes.starts_with('J') && bytes.size() < 0xFFF0) {
        const size_t length = bytes.size() - 1 + 8;
        wrapped = std::string("\xFF\xD8\xFF\xE1", 4) + static_cast<char>(length >> 8) +
                  static_cast<char>(length & 0xFF) + std::string("Exif\0\0", 6) +
                  std::string(bytes.substr(1));
        bytes = wrapped;
    }
    if (const auto date = ReadExifDate(bytes)) {
        const CivilTime& local = date->When;
        const bool validDay = local.Year >= 1 && local.Month >= 1 && local.Month <= 12 && local.Day >= 1 &&
                              local.Day <= DaysInMonth(local.Year, local.Month);
        const bool validTime = local.Hour >= 0 && local.Hour <= 23 && local.Minute >= 0 &&
                               local.Minute <= 59 && local.Second >= 0 && local.Second <= 59 &&
                               local.Millisecond >= 0 && local.Millisecond <= 999;
        if (!validDay || !validTime)
            std::abort();
    }
    return 0;
}
