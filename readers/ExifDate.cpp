// Reading the Exif dates: a walk over a JPEG's segments to the Exif one, then the two TIFF
// directories that hold the dates. The bytes come from any file on disk, so every length and
// offset is checked before it is followed, and nothing here throws.
#include "readers/ExifDate.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr uint16_t kTagMake = 0x010F;
constexpr uint16_t kTagModel = 0x0110;
constexpr uint16_t kTagDateTime = 0x0132;
constexpr uint16_t kTagExifDirectory = 0x8769;
constexpr uint16_t kTagDateTimeOriginal = 0x9003;
constexpr uint16_t kTagDateTimeDigitized = 0x9004;
constexpr uint16_t kTagOffsetTime = 0x9010;
constexpr uint16_t kTagOffsetTimeOriginal = 0x9011;
constexpr uint16_t kTagOffsetTimeDigitized = 0x9012;
constexpr uint16_t kTagSubSecTime = 0x9290;
constexpr uint16_t kTagSubSecTimeOriginal = 0x9291;
constexpr uint16_t kTagSubSecTimeDigitized = 0x9292;

constexpr uint16_t kTypeAscii = 2;
constexpr uint16_t kTypeLong = 4;
constexpr uint16_t kTypeDirectory = 13;

// A directory may claim 65,535 entries; real ones hold a few dozen.
constexpr size_t kMaxEntries = 1000;
constexpr uint64_t kEntrySize = 12;
// The longest ASCII value worth reading: a date is 20 bytes, padding included rarely more.
constexpr size_t kMostTextRead = 64;

constexpr std::string_view kLittleEndianHeader("II*\0", 4);
constexpr std::string_view kBigEndianHeader("MM\0*", 4);
constexpr std::string_view kExifHeader("Exif\0\0", 6);

constexpr uint8_t kMarkerSoi = 0xD8;
constexpr uint8_t kMarkerEoi = 0xD9;
constexpr uint8_t kMarkerSos = 0xDA;
constexpr uint8_t kMarkerApp1 = 0xE1;

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
    TiffReader(SourceReader& reader, uint64_t start, uint64_t length)
        : reader_(reader), start_(start),
          length_(std::min(length, reader.Size() - std::min(start, reader.Size()))) {
        const std::optional<std::string_view> header = Read(0, 4);
        recognised_ = header && (*header == kLittleEndianHeader || *header == kBigEndianHeader);
        bigEndian_ = header && *header == kBigEndianHeader;
    }

    bool Recognised() const { return recognised_; }
    std::optional<uint32_t> FirstDirectory() {
        if (!recognised_)
            return std::nullopt;
        return Number(4, 4);
    }

    // The entries that lie within the structure, up to kMaxEntries.
    template <class Visit> void ForEachEntry(std::optional<uint32_t> offset, Visit visit) {
        const std::optional<uint32_t> claimed = offset ? Number(*offset, 2) : std::nullopt;
        if (!claimed)
            return;
        const uint64_t first = uint64_t{*offset} + 2;
        const uint64_t within = (length_ - std::min(first, length_)) / kEntrySize;
        const size_t count = static_cast<size_t>(std::min<uint64_t>({*claimed, kMaxEntries, within}));
        // One read for the whole directory; the entries are copied out before any value is read.
        const std::optional<std::string_view> bytes = Read(first, count * kEntrySize);
        if (!bytes)
            return;
        const std::string entries(*bytes);
        for (size_t i = 0; i < count; ++i) {
            const std::string_view entry = std::string_view(entries).substr(i * kEntrySize, kEntrySize);
            visit(DirectoryEntry{static_cast<uint16_t>(Decode(entry.substr(0, 2))),
                                 static_cast<uint16_t>(Decode(entry.substr(2, 2))),
                                 Decode(entry.substr(4, 4)), first + i * kEntrySize + 8});
        }
    }

    // Empty unless the entry is an ASCII value held wholly within the structure; only its
    // beginning is read.
    std::string Ascii(const DirectoryEntry& entry) {
        if (entry.Type != kTypeAscii)
            return {};
        std::optional<uint64_t> at = entry.ValuePos;
        if (entry.Count > 4)
            at = Number(entry.ValuePos, 4);
        if (!at || *at > length_ || entry.Count > length_ - *at)
            return {};
        const std::optional<std::string_view> text = Read(*at, std::min<size_t>(entry.Count, kMostTextRead));
        return text ? std::string(*text) : std::string();
    }

    // The offset of the directory an entry points to, or none when it is not a pointer.
    std::optional<uint32_t> Pointer(const DirectoryEntry& entry) {
        if ((entry.Type != kTypeLong && entry.Type != kTypeDirectory) || entry.Count != 1)
            return std::nullopt;
        return Number(entry.ValuePos, 4);
    }

private:
    std::optional<std::string_view> Read(uint64_t pos, size_t size) {
        if (pos > length_ || size > length_ - pos)
            return std::nullopt;
        return reader_.Exact(start_ + pos, size);
    }

    std::optional<uint32_t> Number(uint64_t pos, int size) {
        const std::optional<std::string_view> bytes = Read(pos, static_cast<size_t>(size));
        if (!bytes)
            return std::nullopt;
        return Decode(*bytes);
    }

    uint32_t Decode(std::string_view bytes) const {
        uint32_t value = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const size_t shift = 8 * (bigEndian_ ? bytes.size() - 1 - i : i);
            value |= uint32_t{static_cast<uint8_t>(bytes[i])} << shift;
        }
        return value;
    }

    SourceReader& reader_;
    uint64_t start_ = 0;
    uint64_t length_ = 0;
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

// "YYYY:MM:DD HH:MM:SS"; a blank or zeroed date, which cameras write when their clock was not
// set, fails here as an impossible one does.
std::optional<CivilTime> ParseDate(std::string_view value) {
    const std::string_view text = AsciiText(value);
    if (text.size() != 19 || text[4] != ':' || text[7] != ':' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    const CivilTime local{DigitsAt(text, 0, 4),
                          DigitsAt(text, 5, 2),
                          DigitsAt(text, 8, 2),
                          DigitsAt(text, 11, 2),
                          DigitsAt(text, 14, 2),
                          DigitsAt(text, 17, 2),
                          0};
    if (!EncodeDateTime(local))
        return std::nullopt;
    return local;
}

// The fraction of a second, as digits: "5" is 500 ms, "123456" is 123 ms. None unless all digits.
std::optional<int> ParseSubSeconds(std::string_view value) {
    const std::string_view text = AsciiText(value);
    if (text.empty() || DigitsAt(text, 0, std::min<size_t>(text.size(), 9)) < 0 ||
        text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int millisecond = 0;
    for (size_t i = 0; i < 3; ++i)
        millisecond = millisecond * 10 + (i < text.size() ? text[i] - '0' : 0);
    return millisecond;
}

struct DateTexts {
    std::optional<std::string> Date;
    std::string SubSeconds, Offset;
};

std::optional<TakenDate> DateOf(const DateTexts& texts, DateSource source) {
    if (!texts.Date)
        return std::nullopt;
    std::optional<CivilTime> when = ParseDate(*texts.Date);
    if (!when)
        return std::nullopt;
    when->Millisecond = ParseSubSeconds(texts.SubSeconds).value_or(0);
    const std::optional<int> offset = ParseUtcOffset(AsciiText(texts.Offset));
    if (!offset)
        return TakenDate{*when, false, source};
    const std::optional<CivilTime> utc = UtcOf(*when, *offset);
    if (!utc)
        return std::nullopt;
    return TakenDate{*utc, true, source};
}

// The moment of the shot, else of its scan; the date of the last edit only from a file that
// does not hold either of the first two at all.
std::optional<TakenDate> ChooseDate(const DateTexts& original, const DateTexts& digitized,
                                    const DateTexts& modified) {
    if (auto date = DateOf(original, DateSource::Original))
        return date;
    if (auto date = DateOf(digitized, DateSource::Digitized))
        return date;
    if (original.Date || digitized.Date)
        return std::nullopt;
    return DateOf(modified, DateSource::Modified);
}

// The first directory holds DateTime and the pointer to the Exif directory, which holds the rest.
// Only those two are read and the second is not searched for pointers, so a pointer leading back
// cannot make a loop.
std::optional<TakenDate> ReadTiff(TiffReader& tiff) {
    if (!tiff.Recognised())
        return std::nullopt;
    DateTexts original, digitized, modified;
    std::optional<uint32_t> exifDirectory;
    tiff.ForEachEntry(tiff.FirstDirectory(), [&](const DirectoryEntry& entry) {
        if (entry.Tag == kTagDateTime)
            modified.Date = tiff.Ascii(entry);
        else if (entry.Tag == kTagExifDirectory)
            exifDirectory = tiff.Pointer(entry);
    });
    tiff.ForEachEntry(exifDirectory, [&](const DirectoryEntry& entry) {
        switch (entry.Tag) {
        case kTagDateTimeOriginal:
            original.Date = tiff.Ascii(entry);
            break;
        case kTagDateTimeDigitized:
            digitized.Date = tiff.Ascii(entry);
            break;
        case kTagOffsetTime:
            modified.Offset = tiff.Ascii(entry);
            break;
        case kTagOffsetTimeOriginal:
            original.Offset = tiff.Ascii(entry);
            break;
        case kTagOffsetTimeDigitized:
            digitized.Offset = tiff.Ascii(entry);
            break;
        case kTagSubSecTime:
            modified.SubSeconds = tiff.Ascii(entry);
            break;
        case kTagSubSecTimeOriginal:
            original.SubSeconds = tiff.Ascii(entry);
            break;
        case kTagSubSecTimeDigitized:
            digitized.SubSeconds = tiff.Ascii(entry);
            break;
        default:
            break;
        }
    });
    return ChooseDate(original, digitized, modified);
}

// A maker's or model's name: some cameras pad it with spaces on either side.
std::string TrimmedText(std::string_view value) {
    const std::string_view text = AsciiText(value);
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::optional<ExifCamera> ReadCamera(TiffReader& tiff) {
    if (!tiff.Recognised())
        return std::nullopt;
    ExifCamera camera;
    tiff.ForEachEntry(tiff.FirstDirectory(), [&](const DirectoryEntry& entry) {
        if (entry.Tag == kTagMake)
            camera.Make = TrimmedText(tiff.Ascii(entry));
        else if (entry.Tag == kTagModel)
            camera.Model = TrimmedText(tiff.Ascii(entry));
    });
    if (camera.Make.empty() && camera.Model.empty())
        return std::nullopt;
    return camera;
}

// A JPEG's segments up to the image data: each is 0xFF, a marker and a big-endian length that
// counts itself, and any number of 0xFF fill bytes may come before a marker. A segment cut short
// by the end of the bytes is read as far as it goes. `read` is given the TIFF structure of each
// Exif segment in turn, until it finds what it looks for.
template <class Found, class Read> std::optional<Found> FirstInJpegExif(SourceReader& file, Read read) {
    const uint64_t end = std::min<uint64_t>(file.Size(), kExifBytesRead);
    const auto byteAt = [&](uint64_t pos) -> int {
        const std::optional<uint64_t> value = pos < end ? file.BigEndian(pos, 1) : std::nullopt;
        return value ? static_cast<int>(*value) : -1;
    };
    uint64_t pos = 2;
    while (byteAt(pos) == 0xFF) {
        while (byteAt(pos) == 0xFF)
            ++pos;
        const int marker = byteAt(pos++);
        if (marker < 0 || marker == kMarkerSos || marker == kMarkerEoi)
            break;
        const bool standalone = marker == 0x01 || marker == kMarkerSoi || (marker >= 0xD0 && marker <= 0xD7);
        if (standalone)
            continue;
        const std::optional<uint64_t> length = pos + 2 <= end ? file.BigEndian(pos, 2) : std::nullopt;
        if (!length || *length < 2)
            break;
        if (marker == kMarkerApp1) {
            const std::string segment(
                file.AtMost(pos + 2, static_cast<size_t>(std::min(*length - 2, end - pos - 2))));
            if (segment.starts_with(kExifHeader)) {
                MemoryBytes bytes(std::string_view(segment).substr(kExifHeader.size()));
                SourceReader inSegment(bytes);
                TiffReader tiff(inSegment, 0, bytes.Size());
                if (std::optional<Found> found = read(tiff))
                    return found;
            }
        }
        pos += *length;
    }
    return std::nullopt;
}

} // namespace

std::optional<TakenDate> ReadTiffDate(SourceReader& reader, uint64_t start, uint64_t length) {
    TiffReader tiff(reader, start, length);
    return ReadTiff(tiff);
}

std::optional<TakenDate> ReadJpegDate(SourceReader& file) {
    return FirstInJpegExif<TakenDate>(file, [](TiffReader& tiff) { return ReadTiff(tiff); });
}

std::optional<TakenDate> ReadExifDate(std::string_view bytes) {
    MemoryBytes memory(bytes);
    SourceReader reader(memory);
    if (bytes.starts_with("\xFF\xD8"))
        return ReadJpegDate(reader);
    return ReadTiffDate(reader, 0, bytes.size());
}

std::optional<ExifCamera> ReadTiffCamera(SourceReader& reader, uint64_t start, uint64_t length) {
    TiffReader tiff(reader, start, length);
    return ReadCamera(tiff);
}

std::optional<ExifCamera> ReadJpegCamera(SourceReader& file) {
    return FirstInJpegExif<ExifCamera>(file, [](TiffReader& tiff) { return ReadCamera(tiff); });
}

std::optional<ExifCamera> ReadExifCamera(std::string_view bytes) {
    MemoryBytes memory(bytes);
    SourceReader reader(memory);
    if (bytes.starts_with("\xFF\xD8"))
        return ReadJpegCamera(reader);
    return ReadTiffCamera(reader, 0, bytes.size());
}

bool MayHoldExifDate(std::wstring_view fileName) {
    const size_t dot = fileName.find_last_of(L".\\/");
    if (dot == std::wstring_view::npos || fileName[dot] != L'.')
        return false;
    const std::wstring_view extension = fileName.substr(dot + 1);
    for (const std::wstring_view known : {L"jpg", L"jpeg", L"jpe", L"tif", L"tiff", L"heic", L"heif", L"hif",
                                          L"avif", L"mp4", L"mov", L"m4v", L"3gp", L"3g2"}) {
        const bool same = std::equal(
            extension.begin(), extension.end(), known.begin(), known.end(),
            [](wchar_t c, wchar_t lower) { return (c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c) == lower; });
        if (same)
            return true;
    }
    return false;
}
