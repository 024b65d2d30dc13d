// Collation keys of many texts, kept by number in a few large blocks: comparing two texts is then
// a plain byte comparison, and adding a key never moves those already made (so no growing buffer
// is ever copied, which would double the memory of a large folder's keys for a moment).
#pragma once

#include "base/Locale.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class SortKeyStore {
public:
    // The key of `text`, numbered Count() before the call.
    void Add(std::wstring_view text, const Locale& locale);
    std::string_view Key(size_t number) const {
        const uint32_t place = Place(number);
        const size_t block = place >> kOffsetBits;
        const size_t start = place & (kLargestBlock - 1);
        // Keys follow one another: one ends where the next in its block starts, or at the block's
        // end. No length is stored, which saves two bytes a key.
        size_t end = blockEnds_[block];
        if (number + 1 < count_) {
            const uint32_t next = Place(number + 1);
            if (next >> kOffsetBits == block)
                end = next & (kLargestBlock - 1);
        }
        return std::string_view(blocks_[block].get() + start, end - start);
    }
    size_t Count() const { return count_; }
    void Clear();

private:
    // Blocks double up to the largest, whose offsets fit the low bits of a key's place.
    static constexpr unsigned kOffsetBits = 18;
    static constexpr size_t kLargestBlock = size_t{1} << kOffsetBits;
    static constexpr size_t kFirstBlock = 4096;
    // The places too are kept in fixed blocks rather than one growing array.
    static constexpr unsigned kPlaceBits = 12;
    static constexpr size_t kPlacesPerBlock = size_t{1} << kPlaceBits;

    uint32_t Place(size_t number) const {
        return places_[number >> kPlaceBits][number & (kPlacesPerBlock - 1)];
    }

    std::vector<std::unique_ptr<char[]>> blocks_;
    // How much of each block its keys fill.
    std::vector<size_t> blockEnds_;
    size_t blockSize_ = 0;
    size_t capacity_ = 0; // of the last block
    // Block number above kOffsetBits, offset below.
    std::vector<std::unique_ptr<uint32_t[]>> places_;
    size_t count_ = 0;
    std::string scratch_;
};
