// The media file builders of the tests.
#include "support/logic/MediaFiles.h"

std::string BigEndian(uint64_t value, int size) {
    std::string out;
    for (int i = size - 1; i >= 0; --i)
        out += static_cast<char>(value >> 8 * i);
    return out;
}

std::string IsoBox(std::string_view type, std::string_view contents) {
    return BigEndian(8 + contents.size(), 4) + std::string(type) + std::string(contents);
}

std::string FullBox(std::string_view type, int version, std::string_view contents) {
    return IsoBox(type, BigEndian(static_cast<uint64_t>(version) << 24, 4) + std::string(contents));
}

std::string FileType(std::string_view brand) {
    return IsoBox("ftyp", std::string(brand) + BigEndian(0, 4) + "isom");
}

std::string MovieHeader(int version, uint64_t seconds) {
    const int size = version == 1 ? 8 : 4;
    // Creation and modification times, time scale, duration, then the rest left zero.
    return FullBox("mvhd", version,
                   BigEndian(seconds, size) + BigEndian(seconds + 60, size) + BigEndian(1000, 4) +
                       BigEndian(5000, size) + std::string(80, '\0'));
}

std::string CreationDateMeta(std::string_view date, bool full) {
    const std::string other = "com.apple.quicktime.make";
    const std::string creation = "com.apple.quicktime.creationdate";
    const std::string keys = FullBox("keys", 0,
                                     BigEndian(2, 4) + BigEndian(8 + other.size(), 4) + "mdta" + other +
                                         BigEndian(8 + creation.size(), 4) + "mdta" + creation);
    const auto item = [](uint32_t key, std::string_view text) {
        return IsoBox(BigEndian(key, 4),
                      IsoBox("data", BigEndian(1, 4) + BigEndian(0, 4) + std::string(text)));
    };
    const std::string children = FullBox("hdlr", 0, std::string(4, '\0') + "mdta" + std::string(13, '\0')) +
                                 keys + IsoBox("ilst", item(1, "Apple") + item(2, date));
    return full ? FullBox("meta", 0, children) : IsoBox("meta", children);
}

std::string Video(std::string_view brand, const std::string& movie, size_t mediaBytes) {
    return FileType(brand) + IsoBox("mdat", std::string(mediaBytes, 'm')) + IsoBox("moov", movie);
}

std::string Heif(std::string_view brand, const std::string& tiff, bool exifMarker, int ilocVersion,
                 bool wideFields) {
    const std::string payload =
        exifMarker ? BigEndian(6, 4) + std::string("Exif\0\0", 6) + tiff : BigEndian(0, 4) + tiff;
    const auto infe = [](uint16_t id, std::string_view type) {
        return FullBox("infe", 2, BigEndian(id, 2) + BigEndian(0, 2) + std::string(type) + '\0');
    };
    const std::string iinf = FullBox("iinf", 0, BigEndian(2, 2) + infe(1, "hvc1") + infe(2, "Exif"));
    const int idSize = ilocVersion < 2 ? 2 : 4;
    const bool withIndex = wideFields && ilocVersion > 0;
    const int fieldSize = wideFields ? 8 : 4;
    // The item's offset is not known until the `meta` box's size is: the `iloc` has a fixed size,
    // so it is built twice.
    const auto build = [&](uint64_t exifAt) {
        const auto item = [&](uint32_t id, uint64_t offset, uint64_t length) {
            // With a base offset, the extent's offset counts from 16 bytes before the item.
            return BigEndian(id, idSize) + (ilocVersion > 0 ? BigEndian(0, 2) : "") + BigEndian(0, 2) +
                   (wideFields ? BigEndian(offset - 16, 4) : "") + BigEndian(1, 2) +
                   (withIndex ? BigEndian(0, 4) : "") + BigEndian(wideFields ? 16 : offset, fieldSize) +
                   BigEndian(length, fieldSize);
        };
        const uint64_t sizes = wideFields ? 0x8840 | (withIndex ? 4 : 0) : 0x4400;
        const std::string iloc = FullBox("iloc", ilocVersion,
                                         BigEndian(sizes, 2) + BigEndian(2, idSize) + item(1, 16, 0) +
                                             item(2, exifAt, payload.size()));
        return FileType(brand) +
               FullBox("meta", 0,
                       FullBox("hdlr", 0, std::string(4, '\0') + "pict" + std::string(13, '\0')) + iinf +
                           iloc);
    };
    const std::string head = build(16);
    return build(head.size() + 8) + IsoBox("mdat", payload);
}
