// Fuzz target: reading the camera of a photo from any bytes must end quickly, never read past the
// source's size, and give names without NUL or the spaces around them. Input starting with "H" gets
// a `ftyp` box naming a HEIF brand, and "J" a JPEG's Exif segment around the rest.
#include "readers/CameraName.h"
#include "readers/PhotoDate.h"
#include "fuzz/FuzzBytes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool Clean(const std::string& name) {
    return name.find('\0') == std::string::npos && !name.starts_with(' ') && !name.ends_with(' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.starts_with('H'))
        bytes = std::string("\0\0\0\x10"
                            "ftypheic\0\0\0\0",
                            16) +
                bytes.substr(1);
    else if (bytes.starts_with('J') && bytes.size() < 0xFFF0) {
        const size_t length = bytes.size() - 1 + 8;
        bytes = std::string("\xFF\xD8\xFF\xE1", 4) + static_cast<char>(length >> 8) +
                static_cast<char>(length & 0xFF) + std::string("Exif\0\0", 6) + bytes.substr(1);
    }
    FuzzBytes source(bytes);
    if (const std::optional<ExifCamera> camera = ReadPhotoCamera(source)) {
        if (!Clean(camera->Make) || !Clean(camera->Model) || (camera->Make.empty() && camera->Model.empty()))
            std::abort();
        if (!CameraMatches(*camera, CameraNameOf(*camera)))
            std::abort();
    }
    return 0;
}
