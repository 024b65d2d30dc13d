// Box headers: 8 bytes, or 16 with a 64-bit size. A box's size is checked against the room its
// parent leaves before it is followed, and each step moves forward by at least a header, so no
// walk can loop or leave its parent.
#include "readers/IsoBoxes.h"

namespace {

constexpr uint64_t kHeader = 8;
constexpr uint64_t kLargeHeader = 16;

} // namespace

std::optional<Box> BoxWalker::At(uint64_t at, uint64_t end) {
    if (budget_ <= 0 || at >= end || end - at < kHeader) {
        return std::nullopt;
    }
    --budget_;
    const std::optional<uint64_t> size = reader_.BigEndian(at, 4);
    const std::optional<uint64_t> type = reader_.BigEndian(at + 4, 4);
    if (!size || !type)
        return std::nullopt;
    Box box{static_cast<uint32_t>(*type), at, at + kHeader, end};
    if (*size == 1) {
        const std::optional<uint64_t> large =
            end - at >= kLargeHeader ? reader_.BigEndian(at + 8, 8) : std::nullopt;
        if (!large || *large < kLargeHeader || *large > end - at)
            return std::nullopt;
        box.Contents = at + kLargeHeader;
        box.End = at + *large;
    } else if (*size != 0) {
        if (*size < kHeader || *size > end - at)
            return std::nullopt;
        box.End = at + *size;
    }
    return box;
}

std::optional<Box> BoxWalker::Find(uint64_t begin, uint64_t end, uint32_t type) {
    for (uint64_t at = begin;;) {
        const std::optional<Box> box = At(at, end);
        if (!box)
            return std::nullopt;
        if (box->Type == type)
            return box;
        at = box->End;
    }
}
