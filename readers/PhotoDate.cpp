// Telling the kind of file by its first bytes and handing it to the reader of that kind.
#include "readers/PhotoDate.h"

#include "readers/ExifDate.h"
#include "readers/HeifDate.h"
#include "readers/IsoBoxes.h"
#include "readers/SourceReader.h"
#include "readers/VideoDate.h"

#include <algorithm>
#include <span>
#include <string>

namespace {

enum class MediaKind { Jpeg, Tiff, Heif, Video };

// The brands a file declares in `ftyp`: the major one, then the compatible ones.
constexpr std::string_view kHeifBrands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx",
                                            "mif1", "mif2", "msf1", "avif", "avis", "avio"};
constexpr std::string_view kVideoBrands[] = {"isom", "iso2", "iso3", "iso4", "iso5", "iso6", "mp41",
                                             "mp42", "qt  ", "M4V ", "M4VH", "M4VP", "avc1", "mmp4",
                                             "MSNV", "XAVC", "f4v ", "dash", "CAEP", "3gp",  "3g2"};
// The top-level boxes an old QuickTime file may start with, having no `ftyp`.
constexpr std::string_view kQuickTimeBoxes[] = {"moov", "mdat", "wide", "free", "skip", "pnot"};
// A `ftyp` box lists a few brands; more than this is not one.
constexpr uint64_t kMostBrands = 64;

bool IsOneOf(std::string_view brand, std::span<const std::string_view> known) {
    // "3gp4", "3gp5", "3g2a"...: the family is named by its first three characters.
    return std::any_of(known.begin(), known.end(),
                       [&](std::string_view k) { return k.size() == 3 ? brand.starts_with(k) : brand == k; });
}

std::optional<MediaKind> BrandKind(std::string_view brand) {
    if (IsOneOf(brand, kHeifBrands))
        return MediaKind::Heif;
    if (IsOneOf(brand, kVideoBrands))
        return MediaKind::Video;
    return std::nullopt;
}

// The major brand decides when it is known; else the first known compatible one, HEIF before
// video, since an image file may list a video brand as well.
std::optional<MediaKind> FileTypeKind(SourceReader& reader, const Box& ftyp) {
    const uint64_t length = ftyp.End - ftyp.Contents;
    if (length < 8)
        return std::nullopt;
    const std::optional<std::string_view> major = reader.Exact(ftyp.Contents, 4);
    if (!major)
        return std::nullopt;
    if (auto kind = BrandKind(*major))
        return kind;
    std::optional<MediaKind> found;
    for (uint64_t i = 0; i < std::min((length - 8) / 4, kMostBrands); ++i) {
        const std::optional<std::string_view> brand = reader.Exact(ftyp.Contents + 8 + 4 * i, 4);
        const std::optional<MediaKind> kind = brand ? BrandKind(*brand) : std::nullopt;
        if (kind == MediaKind::Heif)
            return kind;
        if (kind && !found)
            found = kind;
    }
    return found;
}

std::optional<MediaKind> KindOf(SourceReader& reader) {
    const std::string head(reader.AtMost(0, 8));
    if (head.starts_with("\xFF\xD8"))
        return MediaKind::Jpeg;
    if (head.starts_with(std::string_view("II*\0", 4)) || head.starts_with(std::string_view("MM\0*", 4)))
        return MediaKind::Tiff;
    BoxWalker walker(reader);
    const std::optional<Box> first = walker.At(0, reader.Size());
    if (!first)
        return std::nullopt;
    if (first->Type == BoxType("ftyp"))
        return FileTypeKind(reader, *first);
    const std::string_view type = std::string_view(head).substr(4, 4);
    if (std::find(std::begin(kQuickTimeBoxes), std::end(kQuickTimeBoxes), type) != std::end(kQuickTimeBoxes))
        return MediaKind::Video;
    return std::nullopt;
}

} // namespace

std::variant<TakenDate, NoPhotoDate> ReadPhotoDate(ByteSource& source) {
    SourceReader reader(source);
    const std::optional<MediaKind> kind = KindOf(reader);
    std::optional<TakenDate> date;
    if (kind) {
        BoxWalker walker(reader);
        switch (*kind) {
        case MediaKind::Jpeg:
            reader.Limit(kExifBytesRead);
            date = ReadJpegDate(reader);
            break;
        case MediaKind::Tiff:
            date = ReadTiffDate(reader, 0, reader.Size());
            break;
        case MediaKind::Heif:
            date = ReadHeifDate(walker);
            break;
        case MediaKind::Video:
            date = ReadVideoDate(walker);
            break;
        }
    }
    if (date)
        return *date;
    if (reader.Failed())
        return NoPhotoDate::Unreadable;
    return kind ? NoPhotoDate::NoDateWritten : NoPhotoDate::NotRecognised;
}

std::optional<ExifCamera> ReadPhotoCamera(ByteSource& source) {
    SourceReader reader(source);
    BoxWalker walker(reader);
    switch (KindOf(reader).value_or(MediaKind::Video)) {
    case MediaKind::Jpeg:
        reader.Limit(kExifBytesRead);
        return ReadJpegCamera(reader);
    case MediaKind::Tiff:
        return ReadTiffCamera(reader, 0, reader.Size());
    case MediaKind::Heif:
        return ReadHeifCamera(walker);
    case MediaKind::Video:
        break;
    }
    return std::nullopt;
}
