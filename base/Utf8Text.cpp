// UTF-8 <-> wide text conversion, strict on reading so that damaged bytes are never taken as text.
#include "base/Utf8Text.h"

namespace {

constexpr bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

char32_t NextWideCodePoint(std::wstring_view text, size_t& pos) {
    // Through uint32_t: wchar_t is signed on some systems.
    const auto unit = static_cast<char32_t>(static_cast<uint32_t>(text[pos++]));
    if constexpr (sizeof(wchar_t) == 2) {
        if (IsHighSurrogate(unit) && pos < text.size()) {
            const auto next = static_cast<char32_t>(static_cast<uint16_t>(text[pos]));
            if (IsLowSurrogate(next)) {
                ++pos;
                return 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
            }
        }
    }
    return unit;
}

bool AppendWide(std::wstring& out, char32_t codePoint) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (codePoint > 0x10FFFF)
            return false;
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
            return true;
        }
    }
    out.push_back(static_cast<wchar_t>(codePoint));
    return true;
}

std::optional<char32_t> NextUtf8CodePoint(std::string_view bytes, size_t& pos) {
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    size_t length = 0;
    char32_t codePoint = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (bytes.size() - pos < length)
        return std::nullopt;
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[pos + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < least || codePoint > 0x10FFFF || IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint))
        return std::nullopt;
    pos += length;
    return codePoint;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF)
        c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string Utf8FromWide(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = NextWideCodePoint(text, pos);
        AppendUtf8(out, IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF ? 0xFFFD : c);
    }
    return out;
}

std::optional<std::wstring> WideFromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        const auto c = NextUtf8CodePoint(bytes, pos);
        if (!c)
            return std::nullopt;
        AppendWide(out, *c);
    }
    return out;
}
