// Reading the Exif dates: a walk over a JPEG's segments to the Exif one, then the two TIFF
// directories that hold the dates. The bytes come from any file on disk, so every length and
// offset is checked before it is followed, and nothing here throws.
#include "readers/ExifDate.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

constexpr uint16_t kTagDateTime = 0x0132;
constexpr uint16_t kTagExifDirectory = 0x8769;
constexpr uint16_t kTagDateTimeOriginal = 0x9003;
constexpr uint16_t kTagDateTimeDigitized = 0x9004;
constexpr uint16_t kTagOffsetTime = 0x9010;
constexpr uint16_t kTagOffsetTimeOriginal = 0x9011;
constexpr uint16_t kTagOffsetTimeDigitized = 0x9012;

constexpr uint16_t kTypeAscii = 2;
constexpr uint16_t kTypeLong = 4;
constexpr uint16_t kTypeDirectory = 13;

// A directory may claim 65,535 entries; real ones hold a few dozen.
constexpr size_t kMaxEntries = 1000;
constexpr uint64_t kEntrySize = 12;

constexpr std::string_view kLittleEndianHeader("II*\0", 4);
constexpr std::string_view kBigEndianHeader("MM\0*", 4);
constexpr std::string_view kExifHeader("Exif\0\0", 6);

constexpr uint8_t kMarkerSoi = 0xD8;
constexpr uint8_t kMarkerEoi = 0xD9;
constexpr uint8_t kMarkerSos = 0xDA;
constexpr uint8_t kMarkerApp1 = 0xE1;

constexpr int kMostOffsetMinutes = 14 * 60;

uint8_t ByteAt(std::string_view bytes, size_t pos) {
    return static_cast<uint8_t>(bytes[pos]);
}

struct DirectoryEntry {
    uint16_t Tag = 0;
    uint16_t Type = 0;
    uint32_t Count = 0;
    uint64_t ValuePos = 0; // the entry's 4-byte field: the value itself when it fits, else its offset
};

// A TIFF structure: a header giving the byte order and the first directory's offset, then
// directories whose offsets, like every other, count from the header. Positions are 64-bit so
// that an offset near 4 GiB cannot wrap round on a 32-bit build.
class TiffReader {
public:
    explicit TiffReader(std::string_view bytes)
        : bytes_(bytes),
          recognised_(bytes.starts_with(kLittleEndianHeader) || bytes.starts_with(kBigEndianHeader)),
          bigEndian_(bytes.starts_with(kBigEndianHeader)) {}

    bool Recognised() const { return recognised_; }
    std::optional<uint32_t> FirstDirectory() const {
        if (!recognised_ || !Has(4, 4))
            return std::nullopt;
        return Number(4, 4);
    }

    // The entries that lie within the bytes, up to kMaxEntries.
    template <class Visit> void ForEachEntry(std::optional<uint32_t> offset, Visit visit) const {
        if (!offset || !Has(*offset, 2))
            return;
        const size_t count = std::min<size_t>(Number(*offset, 2), kMaxEntries);
        for (size_t i = 0; i < count; ++i) {
            const uint64_t at = uint64_t{*offset} + 2 + i * kEntrySize;
            if (!Has(at, kEntrySize))
                return;
            visit(DirectoryEntry{static_cast<uint16_t>(Number(at, 2)),
                                 static_cast<uint16_t>(Number(at + 2, 2)), Number(at + 4, 4), at + 8});
        }
    }

    // Empty unless the entry is an ASCII value held wholly within the bytes.
    std::string_view Ascii(const DirectoryEntry& entry) const {
        if (entry.Type != kTypeAscii)
            return {};
        const uint64_t at = entry.Count <= 4 ? entry.ValuePos : Number(entry.ValuePos, 4);
        if (!Has(at, entry.Count))
            return {};
        return bytes_.substr(static_cast<size_t>(at), entry.Count);
    }

    // The offset of the directory an entry points to, or none when it is not a pointer.
    std::optional<uint32_t> Pointer(const DirectoryEntry& entry) const {
        if ((entry.Type != kTypeLong && entry.Type != kTypeDirectory) || entry.Count != 1)
            return std::nullopt;
        return Number(entry.ValuePos, 4);
    }

private:
    bool Has(uint64_t pos, uint64_t size) const {
        return pos <= bytes_.size() && size <= bytes_.size() - pos;
    }

    // The unsigned number of `size` bytes at `pos`, which the caller has checked lies within.
    uint32_t Number(uint64_t pos, int size) const {
        uint32_t value = 0;
        for (int i = 0; i < size; ++i) {
            const int shift = 8 * (bigEndian_ ? size - 1 - i : i);
            value |= uint32_t{ByteAt(bytes_, static_cast<size_t>(pos) + i)} << shift;
        }
        return value;
    }

    std::string_view bytes_;
    bool recognised_ = false;
    bool bigEndian_ = false;
};

// The text of an ASCII value: up to its first NUL, without the trailing spaces some cameras pad with.
std::string_view AsciiText(std::string_view value) {
    value = value.substr(0, value.find('\0'));
    while (value.ends_with(' '))
        value.remove_suffix(1);
    return value;
}

// The number written in text[pos, pos + count), or -1 when a character is not a digit.
int Digits(std::string_view text, size_t pos, size_t count) {
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "YYYY:MM:DD HH:MM:SS"; a blank or zeroed date, which cameras write when their clock was not
// set, fails here as an impossible one does.
std::optional<CivilTime> ParseDate(std::string_view value) {
    const std::string_view text = AsciiText(value);
    if (text.size() != 19 || text[4] != ':' || text[7] != ':' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    const CivilTime local{Digits(text, 0, 4),
                          Digits(text, 5, 2),
                          Digits(text, 8, 2),
                          Digits(text, 11, 2),
                          Digits(text, 14, 2),
                          Digits(text, 17, 2),
                          0};
    if (!EncodeDateTime(local))
        return std::nullopt;
    return local;
}

// "+HH:MM" or "-HH:MM", as minutes east of UTC; the zones of the world lie within 14 hours.
std::optional<int> ParseOffset(std::string_view value) {
    const std::string_view text = AsciiText(value);
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':')
        return std::nullopt;
    const int hours = Digits(text, 1, 2);
    const int minutes = Digits(text, 4, 2);
    if (hours < 0 || minutes < 0 || minutes > 59 || hours * 60 + minutes > kMostOffsetMinutes)
        return std::nullopt;
    return (text[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
}

struct DateTexts {
    std::string_view Original, Digitized, Modified;
    std::string_view OffsetOriginal, OffsetDigitized, OffsetModified;
};

// The first valid date in order of preference, with its own offset.
std::optional<ExifDate> ChooseDate(const DateTexts& texts) {
    const struct {
        std::string_view Date, Offset;
        ExifDateSource Source;
    } candidates[] = {
        {texts.Original, texts.OffsetOriginal, ExifDateSource::Original},
        {texts.Digitized, texts.OffsetDigitized, ExifDateSource::Digitized},
        {texts.Modified, texts.OffsetModified, ExifDateSource::Modified},
    };
    for (const auto& candidate : candidates)
        if (const auto local = ParseDate(candidate.Date))
            return ExifDate{*local, ParseOffset(candidate.Offset), candidate.Source};
    return std::nullopt;
}

// The first directory holds DateTime and the pointer to the Exif directory, which holds the rest.
// Only those two are read and the second is not searched for pointers, so a pointer leading back
// cannot make a loop.
std::optional<ExifDate> ReadTiff(std::string_view bytes) {
    const TiffReader reader(bytes);
    if (!reader.Recognised())
        return std::nullopt;
    DateTexts texts;
    std::optional<uint32_t> exifDirectory;
    reader.ForEachEntry(reader.FirstDirectory(), [&](const DirectoryEntry& entry) {
        if (entry.Tag == kTagDateTime)
            texts.Modified = reader.Ascii(entry);
        else if (entry.Tag == kTagExifDirectory)
            exifDirectory = reader.Pointer(entry);
    });
    reader.ForEachEntry(exifDirectory, [&](const DirectoryEntry& entry) {
        switch (entry.Tag) {
        case kTagDateTimeOriginal:
            texts.Original = reader.Ascii(entry);
            break;
        case kTagDateTimeDigitized:
            texts.Digitized = reader.Ascii(entry);
            break;
        case kTagOffsetTime:
            texts.OffsetModified = reader.Ascii(entry);
            break;
        case kTagOffsetTimeOriginal:
            texts.OffsetOriginal = reader.Ascii(entry);
            break;
        case kTagOffsetTimeDigitized:
            texts.OffsetDigitized = reader.Ascii(entry);
            break;
        default:
            break;
        }
    });
    return ChooseDate(texts);
}

// A JPEG's segments up to the image data: each is 0xFF, a marker and a big-endian length that
// counts itself, and any number of 0xFF fill bytes may come before a marker. A segment cut short
// by the end of the bytes is read as far as it goes.
std::optional<ExifDate> ReadJpeg(std::string_view bytes) {
    size_t pos = 2;
    while (pos < bytes.size() && ByteAt(bytes, pos) == 0xFF) {
        while (pos < bytes.size() && ByteAt(bytes, pos) == 0xFF)
            ++pos;
        if (pos >= bytes.size())
            break;
        const uint8_t marker = ByteAt(bytes, pos++);
        if (marker == kMarkerSos || marker == kMarkerEoi)
            break;
        const bool standalone = marker == 0x01 || marker == kMarkerSoi || (marker >= 0xD0 && marker <= 0xD7);
        if (standalone)
            continue;
        if (bytes.size() - pos < 2)
            break;
        const size_t length = size_t{ByteAt(bytes, pos)} << 8 | ByteAt(bytes, pos + 1);
        if (length < 2)
            break;
        const std::string_view segment = bytes.substr(pos + 2, length - 2);
        if (marker == kMarkerApp1 && segment.starts_with(kExifHeader))
            if (auto date = ReadTiff(segment.substr(kExifHeader.size())))
                return date;
        pos += length;
    }
    return std::nullopt;
}

} // namespace

std::optional<ExifDate> ReadExifDate(std::string_view bytes) {
    if (bytes.size() >= 2 && ByteAt(bytes, 0) == 0xFF && ByteAt(bytes, 1) == kMarkerSoi)
        return ReadJpeg(bytes);
    return ReadTiff(bytes);
}

bool MayHoldExifDate(std::wstring_view fileName) {
    const size_t dot = fileName.find_last_of(L".\\/");
    if (dot == std::wstring_view::npos || fileName[dot] != L'.')
        return false;
    const std::wstring_view extension = fileName.substr(dot + 1);
    for (const std::wstring_view known : {L"jpg", L"jpeg", L"jpe", L"tif", L"tiff"}) {
        const bool same = std::equal(
            extension.begin(), extension.end(), known.begin(), known.end(),
            [](wchar_t c, wchar_t lower) { return (c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c) == lower; });
        if (same)
            return true;
    }
    return false;
}
