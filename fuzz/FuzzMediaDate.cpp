// Fuzz target: reading the date of a photo or video from any bytes must end quickly, never read
// past the source's size, and give only a date that exists. Input starting with "H" or "V" gets an
// `ftyp` box naming a HEIF or a video brand, so that the box walks are reached at once.
#include "readers/PhotoDate.h"
#include "fuzz/FuzzBytes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.starts_with('H') || bytes.starts_with('V'))
        bytes = std::string("\0\0\0\x10"
                            "ftyp",
                            8) +
                (bytes[0] == 'H' ? "heic" : "isom") + std::string("\0\0\0\0", 4) + bytes.substr(1);
    FuzzBytes source(bytes);
    const auto read = ReadPhotoDate(source);
    if (const TakenDate* date = std::get_if<TakenDate>(&read)) {
        const CivilTime& t = date->When;
        const bool validDay = t.Year >= 1 && t.Year <= 9999 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 &&
                              t.Day <= DaysInMonth(t.Year, t.Month);
        const bool validTime = t.Hour >= 0 && t.Hour <= 23 && t.Minute >= 0 && t.Minute <= 59 &&
                               t.Second >= 0 && t.Second <= 59 && t.Millisecond >= 0 && t.Millisecond <= 999;
        if (!validDay || !validTime)
            std::abort();
    }
    return 0;
}
