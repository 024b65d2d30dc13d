// UTF-8 and the program's wide text, one code point at a time: wchar_t is UTF-16 on Windows
// (surrogate pairs) and UTF-32 natively, and the undo journal is read and written on both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The code point at `pos` in `text`, moving `pos` past it. A surrogate that is not half of a pair
// comes back as itself, as Windows file names may hold one.
char32_t NextWideCodePoint(std::wstring_view text, size_t& pos);
// The code point as one or two wide code units; a value no wchar_t can hold is not appended.
bool AppendWide(std::wstring& out, char32_t codePoint);

// The UTF-8 sequence at `pos`, moving `pos` past it; none for a malformed, overlong, surrogate or
// out-of-range sequence, and `pos` then stays put.
std::optional<char32_t> NextUtf8CodePoint(std::string_view bytes, size_t& pos);
// A code point as UTF-8, surrogates included; one above U+10FFFF becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

// Whole texts; a lone surrogate becomes U+FFFD, as UTF-8 cannot carry it.
std::string Utf8FromWide(std::wstring_view text);
// None when the bytes are not well-formed UTF-8.
std::optional<std::wstring> WideFromUtf8(std::string_view bytes);
