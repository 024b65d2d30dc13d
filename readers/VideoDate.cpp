// The walk to the video's dates: `moov`, then its `mvhd`, and its `meta` boxes (QuickTime's own,
// or the one inside `udta`), where `keys` numbers the item names and `ilst` holds the values by
// those numbers.
#include "readers/VideoDate.h"

#include <string>

namespace {

constexpr uint64_t kSeconds1904To1970 = 2082844800;
constexpr std::string_view kCreationKey = "com.apple.quicktime.creationdate";
// A creation date's text is some 30 characters; anything much longer is not one.
constexpr size_t kMostDateText = 64;
constexpr uint32_t kMostKeys = 1000;

std::optional<TakenDate> MovieHeaderDate(BoxWalker& walker, const Box& moov) {
    const std::optional<Box> mvhd = walker.FindIn(moov, BoxType("mvhd"));
    if (!mvhd)
        return std::nullopt;
    SourceReader& reader = walker.Reader();
    const std::optional<uint64_t> version = reader.BigEndian(mvhd->Contents, 1);
    if (!version || *version > 1)
        return std::nullopt;
    const int size = *version == 1 ? 8 : 4;
    if (mvhd->End - mvhd->Contents < 4 + uint64_t(size))
        return std::nullopt;
    const std::optional<uint64_t> seconds = reader.BigEndian(mvhd->Contents + 4, size);
    if (!seconds || *seconds <= kSeconds1904To1970)
        return std::nullopt;
    const std::optional<CivilTime> utc = CivilOfUnixSeconds(*seconds - kSeconds1904To1970);
    if (!utc)
        return std::nullopt;
    return TakenDate{*utc, true, DateSource::MovieHeader};
}

// Where a `meta` box's children start: the ISO one has a version and flags first, QuickTime's
// goes straight to its first child, whose size is never zero.
uint64_t MetaChildren(SourceReader& reader, const Box& meta) {
    const std::optional<uint64_t> first = reader.BigEndian(meta.Contents, 4);
    return first && *first == 0 ? meta.Contents + 4 : meta.Contents;
}

// The 1-based number `keys` gives the creation date's name, if it names it.
std::optional<uint32_t> CreationKey(BoxWalker& walker, const Box& keys) {
    SourceReader& reader = walker.Reader();
    const std::optional<uint64_t> count = reader.BigEndian(keys.Contents + 4, 4);
    if (!count)
        return std::nullopt;
    uint64_t at = keys.Contents + 8;
    for (uint32_t index = 1; index <= std::min<uint64_t>(*count, kMostKeys); ++index) {
        const std::optional<uint64_t> size = at + 8 <= keys.End ? reader.BigEndian(at, 4) : std::nullopt;
        if (!size || *size < 8 || *size > keys.End - at)
            return std::nullopt;
        if (*size - 8 == kCreationKey.size()) {
            const std::optional<std::string_view> name = reader.Exact(at + 8, kCreationKey.size());
            if (name && *name == kCreationKey)
                return index;
        }
        at += *size;
    }
    return std::nullopt;
}

std::optional<TakenDate> CreationDate(BoxWalker& walker, const Box& meta) {
    SourceReader& reader = walker.Reader();
    const uint64_t children = MetaChildren(reader, meta);
    const std::optional<Box> keys = walker.Find(children, meta.End, BoxType("keys"));
    const std::optional<uint32_t> key = keys ? CreationKey(walker, *keys) : std::nullopt;
    const std::optional<Box> list = key ? walker.Find(children, meta.End, BoxType("ilst")) : std::nullopt;
    const std::optional<Box> item = list ? walker.FindIn(*list, *key) : std::nullopt;
    const std::optional<Box> data = item ? walker.FindIn(*item, BoxType("data")) : std::nullopt;
    // The data box: a type indicator and a locale, 4 bytes each, then the text.
    if (!data || data->End - data->Contents < 8)
        return std::nullopt;
    const std::string text(reader.AtMost(
        data->Contents + 8,
        static_cast<size_t>(std::min<uint64_t>(data->End - data->Contents - 8, kMostDateText))));
    const std::optional<CivilTime> utc = ParseQuickTimeDate(text);
    if (!utc)
        return std::nullopt;
    return TakenDate{*utc, true, DateSource::QuickTimeCreation};
}

} // namespace

std::optional<CivilTime> ParseQuickTimeDate(std::string_view text) {
    if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    CivilTime local{DigitsAt(text, 0, 4),
                    DigitsAt(text, 5, 2),
                    DigitsAt(text, 8, 2),
                    DigitsAt(text, 11, 2),
                    DigitsAt(text, 14, 2),
                    DigitsAt(text, 17, 2),
                    0};
    size_t pos = 19;
    if (pos < text.size() && text[pos] == '.') {
        size_t digits = 0;
        for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits)
            if (digits < 3)
                local.Millisecond = local.Millisecond * 10 + (text[pos] - '0');
        if (digits == 0)
            return std::nullopt;
        for (; digits < 3; ++digits)
            local.Millisecond *= 10;
    }
    std::string_view zone = text.substr(pos);
    while (!zone.empty() && (zone.back() == '\0' || zone.back() == ' '))
        zone.remove_suffix(1);
    const std::optional<int> offset = ParseUtcOffset(zone);
    if (!offset)
        return std::nullopt;
    if (!EncodeDateTime(local))
        return std::nullopt;
    return UtcOf(local, *offset);
}

std::optional<TakenDate> ReadVideoDate(BoxWalker& walker) {
    const std::optional<Box> moov = walker.Find(0, walker.Reader().Size(), BoxType("moov"));
    if (!moov)
        return std::nullopt;
    if (const std::optional<Box> meta = walker.FindIn(*moov, BoxType("meta")))
        if (auto date = CreationDate(walker, *meta))
            return date;
    if (const std::optional<Box> udta = walker.FindIn(*moov, BoxType("udta")))
        if (const std::optional<Box> meta = walker.FindIn(*udta, BoxType("meta")))
            if (auto date = CreationDate(walker, *meta))
                return date;
    return MovieHeaderDate(walker, *moov);
}
