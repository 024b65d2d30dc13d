// Cut-to-fit writing into a fixed text buffer.
#include "listctrl/TextBuffer.h"

#include <algorithm>

TextBuffer::TextBuffer(wchar_t* buffer, size_t capacity)
    : buffer_(capacity > 0 ? buffer : nullptr), capacity_(buffer ? capacity : 0) {}

void TextBuffer::Clear() {
    length_ = 0;
    if (Writable())
        buffer_[0] = L'\0';
}

void TextBuffer::Assign(std::wstring_view text) {
    Clear();
    Append(text);
}

void TextBuffer::Append(std::wstring_view text) {
    if (!Writable())
        return;
    const size_t room = capacity_ - 1 - length_;
    const size_t count = std::min(room, text.size());
    std::copy_n(text.data(), count, buffer_ + length_);
    length_ += count;
    buffer_[length_] = L'\0';
}
