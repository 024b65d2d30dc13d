// Keys packed one after another, each behind its length.
#include "listing/SortKeyStore.h"

#include <algorithm>
#include <cstring>

void SortKeyStore::Add(std::wstring_view text, const Locale& locale) {
    scratch_.clear();
    locale.AppendSortKey(text, scratch_);
    // A key this long would take a name of tens of thousands of characters; its start still sorts.
    const size_t length = std::min<size_t>(scratch_.size(), 0xFFFF);
    const size_t needed = 2 + length;
    if (blocks_.empty() || used_ + needed > blockSize_) {
        blockSize_ = blockSize_ == 0 ? kFirstBlock : std::min(blockSize_ * 2, kLargestBlock);
        blockSize_ = std::max(blockSize_, needed);
        blocks_.push_back(std::make_unique<char[]>(blockSize_));
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    at[0] = static_cast<char>(length & 0xFF);
    at[1] = static_cast<char>(length >> 8);
    std::memcpy(at + 2, scratch_.data(), length);
    where_.push_back(static_cast<uint32_t>((blocks_.size() - 1) << kOffsetBits | used_));
    used_ += needed;
}

std::string_view SortKeyStore::Key(size_t number) const {
    const uint32_t place = where_[number];
    const char* at = blocks_[place >> kOffsetBits].get() + (place & (kLargestBlock - 1));
    const size_t length =
        static_cast<unsigned char>(at[0]) | static_cast<size_t>(static_cast<unsigned char>(at[1])) << 8;
    return std::string_view(at + 2, length);
}

void SortKeyStore::Clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    where_.clear();
    where_.shrink_to_fit();
    scratch_.clear();
    scratch_.shrink_to_fit();
    blockSize_ = 0;
    used_ = 0;
}
