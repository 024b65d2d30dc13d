// Texts kept together in a few large blocks until cleared: a folder's file names then cost their
// characters and nothing more, where a string of their own would each cost a heap block.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class TextArena {
public:
    // A copy of the text, which stays where it is until Clear.
    std::wstring_view Keep(std::wstring_view text);
    void Clear();

private:
    // Blocks double from small to a cap, so a small folder costs little and a large one wastes at
    // most the tail of each block; nothing ever moves, so the views handed out stay valid.
    static constexpr size_t kFirstBlock = 256;
    static constexpr size_t kLargestBlock = size_t{1} << 16;

    std::vector<std::unique_ptr<wchar_t[]>> blocks_;
    wchar_t* next_ = nullptr;
    size_t left_ = 0;
    size_t blockSize_ = kFirstBlock / 2;
};
