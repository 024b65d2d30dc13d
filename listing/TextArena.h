// Texts kept together in a few large blocks until cleared: a folder's file names then cost their
// characters and nothing more, where a string of their own would each cost a heap block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class TextArena {
public:
    // A copy of the text, which stays where it is until Clear.
    std::wstring_view Keep(std::wstring_view text);
    // Copies of both texts, the second right after the first, named by a 32-bit place rather than
    // a pointer: an entry that keeps many names saves half its pointer's size on a 64-bit build.
    uint32_t KeepPair(std::wstring_view first, std::wstring_view second);
    // `length` characters from `start` characters past `place`.
    std::wstring_view View(uint32_t place, size_t start, size_t length) const {
        return {blocks_[place >> kOffsetBits].get() + (place & kOffsetMask) + start, length};
    }
    void Clear();

private:
    // Blocks double from small to a cap, so a small folder costs little and a large one wastes at
    // most the tail of each block; nothing ever moves, so the views handed out stay valid. Offsets
    // within a block fit the low bits of a place, the block's number the high ones.
    static constexpr size_t kFirstBlock = 256;
    static constexpr unsigned kOffsetBits = 16;
    static constexpr uint32_t kOffsetMask = (uint32_t{1} << kOffsetBits) - 1;
    static constexpr size_t kLargestBlock = size_t{1} << kOffsetBits;
    static constexpr size_t kMostBlocks = size_t{1} << (32 - kOffsetBits);

    // Room for `length` characters; its place.
    uint32_t Take(size_t length);

    std::vector<std::unique_ptr<wchar_t[]>> blocks_;
    size_t used_ = 0;
    size_t left_ = 0;
    size_t blockSize_ = kFirstBlock / 2;
};
