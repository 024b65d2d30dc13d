// The image builders of the tests.
#include "support/logic/ExifImages.h"

std::string Tiff(bool bigEndian, const std::vector<ExifTag>& first, const std::vector<ExifTag>& exif) {
    std::string out = bigEndian ? std::string("MM\0*", 4) : std::string("II*\0", 4);
    std::string values;
    const auto put = [&](std::string& to, uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            to += static_cast<char>(value >> 8 * (bigEndian ? size - 1 - i : i));
    };
    const auto entry = [&](uint32_t id, uint32_t type, size_t count) {
        put(out, id, 2);
        put(out, type, 2);
        put(out, static_cast<uint32_t>(count), 4);
    };
    const uint32_t exifAt = 8 + 6 + 12 * static_cast<uint32_t>(first.size() + 1);
    const uint32_t valuesAt = exifAt + 6 + 12 * static_cast<uint32_t>(exif.size());
    put(out, 8, 4);
    for (const auto* tags : {&first, &exif}) {
        put(out, static_cast<uint32_t>(tags->size() + (tags == &first)), 2);
        for (const ExifTag& tag : *tags) {
            const std::string value = tag.Text + '\0';
            entry(tag.Id, 2, value.size());
            if (value.size() <= 4) {
                out += value + std::string(4 - value.size(), '\0');
            } else {
                put(out, valuesAt + static_cast<uint32_t>(values.size()), 4);
                values += value;
            }
        }
        if (tags == &first) {
            entry(0x8769, 4, 1);
            put(out, exifAt, 4);
        }
        put(out, 0, 4);
    }
    return out + values;
}

std::string Jpeg(const std::string& tiff) {
    const size_t length = tiff.size() + 8;
    return std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0\xFF\xFF\xE1", 23) +
           static_cast<char>(length >> 8) + static_cast<char>(length) + std::string("Exif\0\0", 6) + tiff +
           std::string("\xFF\xDA\x00\x02\xFF\xD9", 6);
}
