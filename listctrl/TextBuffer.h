// A writer over a caller's fixed text buffer: what does not fit is cut so that the text and its
// terminating zero always fit. The list's display handler formats cells through it, so showing
// a cell allocates nothing.
#pragma once

#include <cstddef>
#include <string_view>

class TextBuffer {
public:
    TextBuffer() = default;
    // capacity counts the terminating zero; a null buffer or capacity 0 drops every write.
    TextBuffer(wchar_t* buffer, size_t capacity);

    void Clear();
    void Assign(std::wstring_view text);
    void Append(std::wstring_view text);
    void Append(wchar_t c) { Append(std::wstring_view(&c, 1)); }

    std::wstring_view View() const { return {buffer_ ? buffer_ : L"", length_}; }
    size_t Capacity() const { return capacity_; }
    bool Writable() const { return buffer_ != nullptr && capacity_ > 0; }

private:
    wchar_t* buffer_ = nullptr;
    size_t capacity_ = 0;
    size_t length_ = 0;
};
