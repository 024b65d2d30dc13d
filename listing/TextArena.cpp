// Texts kept together in a few large blocks.
#include "listing/TextArena.h"

#include <algorithm>
#include <stdexcept>

uint32_t TextArena::Take(size_t length) {
    if (length > left_) {
        if (blocks_.size() == kMostBlocks)
            throw std::length_error("text arena full");
        blockSize_ = std::min(blockSize_ * 2, kLargestBlock);
        // A text longer than any block gets a block of its own size.
        const size_t size = std::max(blockSize_, length);
        blocks_.push_back(std::make_unique_for_overwrite<wchar_t[]>(size));
        used_ = 0;
        left_ = size;
    }
    const uint32_t place = static_cast<uint32_t>((blocks_.size() - 1) << kOffsetBits | used_);
    used_ += length;
    left_ -= length;
    return place;
}

std::wstring_view TextArena::Keep(std::wstring_view text) {
    if (text.empty())
        return {};
    const uint32_t place = Take(text.size());
    wchar_t* kept = blocks_.back().get() + (place & kOffsetMask);
    std::copy(text.begin(), text.end(), kept);
    return {kept, text.size()};
}

uint32_t TextArena::KeepPair(std::wstring_view first, std::wstring_view second) {
    const uint32_t place = Take(std::max<size_t>(first.size() + second.size(), 1));
    wchar_t* kept = blocks_.back().get() + (place & kOffsetMask);
    std::copy(second.begin(), second.end(), std::copy(first.begin(), first.end(), kept));
    return place;
}

void TextArena::Clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    used_ = 0;
    left_ = 0;
    blockSize_ = kFirstBlock / 2;
}
