// From `meta` to the Exif item: `iinf` gives the item's number, `iloc` where its bytes lie. Both
// are read field by field through the box walker's reader, every field checked against its box.
#include "readers/HeifDate.h"

#include "readers/ExifDate.h"

namespace {

constexpr uint32_t kMostItems = 10000;
// Extents whose fields all have size 0 take no room: their count alone bounds the loop.
constexpr uint64_t kMostExtents = 100000;

// Fields read one after another within a box, each one within it or none.
class FieldReader {
public:
    FieldReader(SourceReader& reader, uint64_t at, uint64_t end) : reader_(reader), at_(at), end_(end) {}

    // The next big-endian number of `size` bytes (0, 1, 2, 4 or 8; 0 reads nothing and gives 0).
    std::optional<uint64_t> Next(int size) {
        if (!ok_ || size == 0)
            return ok_ ? std::optional<uint64_t>(0) : std::nullopt;
        const std::optional<uint64_t> value =
            end_ - at_ >= uint64_t(size) ? reader_.BigEndian(at_, size) : std::nullopt;
        ok_ = value.has_value();
        at_ += ok_ ? size : 0;
        return value;
    }
    bool Ok() const { return ok_; }

private:
    SourceReader& reader_;
    uint64_t at_;
    uint64_t end_;
    bool ok_ = true;
};

// The number of the first item of type `Exif`: each `infe` of version 2 or 3 holds the item's
// number (16 or 32 bits), a protection index and the item's type.
std::optional<uint32_t> ExifItem(BoxWalker& walker, const Box& iinf) {
    SourceReader& reader = walker.Reader();
    const std::optional<uint64_t> version = reader.BigEndian(iinf.Contents, 1);
    if (!version)
        return std::nullopt;
    const uint64_t entries = iinf.Contents + 4 + (*version == 0 ? 2 : 4);
    for (uint64_t at = entries; at < iinf.End;) {
        const std::optional<Box> infe = walker.At(at, iinf.End);
        if (!infe)
            return std::nullopt;
        at = infe->End;
        if (infe->Type != BoxType("infe"))
            continue;
        FieldReader fields(reader, infe->Contents, infe->End);
        const std::optional<uint64_t> infeVersion = fields.Next(1);
        fields.Next(3);
        if (!infeVersion || (*infeVersion != 2 && *infeVersion != 3))
            continue;
        const std::optional<uint64_t> id = fields.Next(*infeVersion == 2 ? 2 : 4);
        fields.Next(2);
        const std::optional<uint64_t> type = fields.Next(4);
        if (fields.Ok() && *type == BoxType("Exif"))
            return static_cast<uint32_t>(*id);
    }
    return std::nullopt;
}

struct Extent {
    uint64_t Offset = 0;
    uint64_t Length = 0; // 0: to the end of the file
};

bool ValidSize(uint64_t size) {
    return size == 0 || size == 4 || size == 8;
}

// Where the item `id` lies, when it is one extent of this file given by its offset.
std::optional<Extent> ItemExtent(SourceReader& reader, const Box& iloc, uint32_t id) {
    FieldReader fields(reader, iloc.Contents, iloc.End);
    const std::optional<uint64_t> version = fields.Next(1);
    fields.Next(3);
    const std::optional<uint64_t> sizes = fields.Next(2);
    if (!version || *version > 2 || !sizes)
        return std::nullopt;
    const int offsetSize = static_cast<int>(*sizes >> 12);
    const int lengthSize = static_cast<int>(*sizes >> 8 & 0xF);
    const int baseOffsetSize = static_cast<int>(*sizes >> 4 & 0xF);
    const int indexSize = *version == 0 ? 0 : static_cast<int>(*sizes & 0xF);
    if (!ValidSize(offsetSize) || !ValidSize(lengthSize) || !ValidSize(baseOffsetSize) ||
        !ValidSize(indexSize))
        return std::nullopt;
    const std::optional<uint64_t> count = fields.Next(*version < 2 ? 2 : 4);
    uint64_t extentsSeen = 0;
    for (uint64_t item = 0; count && item < std::min<uint64_t>(*count, kMostItems); ++item) {
        const std::optional<uint64_t> itemId = fields.Next(*version < 2 ? 2 : 4);
        const std::optional<uint64_t> method = *version == 0 ? 0 : fields.Next(2);
        const std::optional<uint64_t> reference = fields.Next(2);
        const std::optional<uint64_t> base = fields.Next(baseOffsetSize);
        const std::optional<uint64_t> extents = fields.Next(2);
        if (!fields.Ok())
            return std::nullopt;
        for (uint64_t i = 0; i < *extents; ++i) {
            if (++extentsSeen > kMostExtents)
                return std::nullopt;
            fields.Next(indexSize);
            const std::optional<uint64_t> offset = fields.Next(offsetSize);
            const std::optional<uint64_t> length = fields.Next(lengthSize);
            if (!fields.Ok())
                return std::nullopt;
            // A single extent in this file, addressed by offset, is all an Exif item is written as.
            if (*itemId == id)
                return (*method & 0xF) == 0 && *reference == 0 && *extents == 1 &&
                               *base <= UINT64_MAX - *offset
                           ? std::optional<Extent>(Extent{*base + *offset, *length})
                           : std::nullopt;
        }
    }
    return std::nullopt;
}

// Where the TIFF structure of the Exif item lies: from `Start`, `Length` bytes.
struct ExifRange {
    uint64_t Start = 0;
    uint64_t Length = 0;
};

std::optional<ExifRange> FindExifItem(BoxWalker& walker) {
    SourceReader& reader = walker.Reader();
    const std::optional<Box> meta = walker.Find(0, reader.Size(), BoxType("meta"));
    if (!meta)
        return std::nullopt;
    const uint64_t children = meta->Contents + 4;
    const std::optional<Box> iinf = walker.Find(children, meta->End, BoxType("iinf"));
    const std::optional<uint32_t> item = iinf ? ExifItem(walker, *iinf) : std::nullopt;
    const std::optional<Box> iloc = item ? walker.Find(children, meta->End, BoxType("iloc")) : std::nullopt;
    const std::optional<Extent> extent = iloc ? ItemExtent(reader, *iloc, *item) : std::nullopt;
    if (!extent || extent->Offset >= reader.Size())
        return std::nullopt;
    const uint64_t room = reader.Size() - extent->Offset;
    const uint64_t length = extent->Length == 0 ? room : std::min(extent->Length, room);
    const std::optional<uint64_t> toHeader = length >= 4 ? reader.BigEndian(extent->Offset, 4) : std::nullopt;
    if (!toHeader || *toHeader > length - 4)
        return std::nullopt;
    uint64_t tiff = extent->Offset + 4 + *toHeader;
    const uint64_t end = extent->Offset + length;
    constexpr std::string_view kExifHeader("Exif\0\0", 6);
    if (const auto marker =
            end - tiff >= kExifHeader.size() ? reader.Exact(tiff, kExifHeader.size()) : std::nullopt;
        marker && *marker == kExifHeader)
        tiff += kExifHeader.size();
    return ExifRange{tiff, end - tiff};
}

} // namespace

std::optional<TakenDate> ReadHeifDate(BoxWalker& walker) {
    const std::optional<ExifRange> exif = FindExifItem(walker);
    return exif ? ReadTiffDate(walker.Reader(), exif->Start, exif->Length) : std::nullopt;
}

std::optional<ExifCamera> ReadHeifCamera(BoxWalker& walker) {
    const std::optional<ExifRange> exif = FindExifItem(walker);
    return exif ? ReadTiffCamera(walker.Reader(), exif->Start, exif->Length) : std::nullopt;
}
