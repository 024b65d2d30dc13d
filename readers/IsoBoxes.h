// The boxes of an ISO base media file (MP4, MOV, 3GP, HEIF): each a size, a four-letter type and
// its contents, boxes nesting within boxes. The walk reads only box headers until asked for a
// box's contents, so that a reader never touches the media data.
#pragma once

#include "readers/SourceReader.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The four-letter type as a number, as it is written: 'moov' is 0x6D6F6F76.
constexpr uint32_t BoxType(std::string_view name) {
    uint32_t type = 0;
    for (const char c : name)
        type = type << 8 | static_cast<uint8_t>(c);
    return type;
}

struct Box {
    uint32_t Type = 0;
    uint64_t Start = 0;    // of its header
    uint64_t Contents = 0; // where its contents start
    uint64_t End = 0;      // just past its last byte
};

// A walk over boxes sharing one budget of boxes visited, so that a file of countless tiny boxes
// costs no more than a bounded number of reads.
class BoxWalker {
public:
    explicit BoxWalker(SourceReader& reader) : reader_(reader) {}

    SourceReader& Reader() { return reader_; }

    // The first box of `type` among those laid end to end in [begin, end): size 1 means a 64-bit
    // size follows the type, size 0 that the box runs to `end`. None when it is not there, or a box
    // before it claims less than its header or more than the room left (the walk cannot go on
    // past a box whose size is false), or the budget is spent.
    std::optional<Box> Find(uint64_t begin, uint64_t end, uint32_t type);
    std::optional<Box> FindIn(const Box& parent, uint32_t type) {
        return Find(parent.Contents, parent.End, type);
    }

    // The box starting at `at`, within [at, end).
    std::optional<Box> At(uint64_t at, uint64_t end);

private:
    SourceReader& reader_;
    int budget_ = 10000;
};
