// Keys packed one after another.
#include "listing/SortKeyStore.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

void SortKeyStore::Add(std::wstring_view text, const Locale& locale) {
    scratch_.clear();
    locale.AppendSortKey(text, scratch_);
    const size_t length = scratch_.size();
    if (blocks_.empty() || blockEnds_.back() + length > capacity_) {
        if (blocks_.size() >> (32 - kOffsetBits))
            throw std::length_error("sort keys full");
        blockSize_ = blockSize_ == 0 ? kFirstBlock : std::min(blockSize_ * 2, kLargestBlock);
        // A key longer than a block (a name of thousands of characters) gets a block of its own.
        capacity_ = std::max(blockSize_, length);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(capacity_));
        blockEnds_.push_back(0);
    }
    size_t& used = blockEnds_.back();
    std::memcpy(blocks_.back().get() + used, scratch_.data(), length);
    if (count_ == places_.size() * kPlacesPerBlock)
        places_.push_back(std::make_unique_for_overwrite<uint32_t[]>(kPlacesPerBlock));
    places_[count_ >> kPlaceBits][count_ & (kPlacesPerBlock - 1)] =
        static_cast<uint32_t>((blocks_.size() - 1) << kOffsetBits | used);
    used += length;
    ++count_;
}

void SortKeyStore::Clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    blockEnds_.clear();
    blockEnds_.shrink_to_fit();
    places_.clear();
    places_.shrink_to_fit();
    scratch_.clear();
    scratch_.shrink_to_fit();
    blockSize_ = 0;
    capacity_ = 0;
    count_ = 0;
}
