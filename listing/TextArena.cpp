// Texts kept together in a few large blocks.
#include "listing/TextArena.h"

#include <algorithm>

std::wstring_view TextArena::Keep(std::wstring_view text) {
    if (text.empty())
        return {};
    if (text.size() > left_) {
        blockSize_ = std::min(blockSize_ * 2, kLargestBlock);
        // A text longer than any block gets a block of its own size.
        const size_t size = std::max(blockSize_, text.size());
        blocks_.push_back(std::make_unique_for_overwrite<wchar_t[]>(size));
        next_ = blocks_.back().get();
        left_ = size;
    }
    wchar_t* kept = next_;
    std::copy(text.begin(), text.end(), kept);
    next_ += text.size();
    left_ -= text.size();
    return {kept, text.size()};
}

void TextArena::Clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    next_ = nullptr;
    left_ = 0;
    blockSize_ = kFirstBlock / 2;
}
