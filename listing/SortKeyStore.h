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
    std::string_view Key(size_t number) const;
    size_t Count() const { return where_.size(); }
    void Clear();

private:
    // Blocks double up to the largest, whose offsets fit the low bits of a key's place.
    static constexpr unsigned kOffsetBits = 18;
    static constexpr size_t kLargestBlock = size_t{1} << kOffsetBits;
    static constexpr size_t kFirstBlock = 4096;

    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t blockSize_ = 0;
    size_t used_ = 0;
    // Block number above kOffsetBits, offset below; each key starts with its length in two bytes.
    std::vector<uint32_t> where_;
    std::string scratch_;
};
