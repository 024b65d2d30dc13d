// A platform-free locale for tests, fuzzing and the native build.
#include "base/FixedLocale.h"

#include <algorithm>
#include <cstdint>

namespace {

FixedLocale& DefaultLocale() {
    static FixedLocale locale;
    return locale;
}

const Locale* g_current = nullptr;

} // namespace

const Locale& CurrentLocale() {
    return g_current ? *g_current : DefaultLocale();
}

const Locale& SetCurrentLocale(const Locale& locale) {
    const Locale& previous = CurrentLocale();
    g_current = &locale;
    return previous;
}

FixedLocale::FixedLocale() : FixedLocale(L',', L"\u00A0", L'/', L':') {}

FixedLocale::FixedLocale(wchar_t decimal, std::wstring thousand, wchar_t date, wchar_t time)
    : decimal_(decimal), thousand_(std::move(thousand)), date_(date), time_(time) {}

wchar_t FixedLocale::UpperChar(wchar_t c) {
    if (c >= L'a' && c <= L'z')
        return static_cast<wchar_t>(c - 32);
    if (c < 0x80)
        return c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<wchar_t>(c - 32);
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A pairs upper/lower on even/odd code points, with a shifted run in the middle.
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 0) ? static_cast<wchar_t>(c - 1) : c;
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        return (c % 2 == 1) ? static_cast<wchar_t>(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return static_cast<wchar_t>(c - 32);
    if (c == 0x3C2)
        return 0x3A3;
    if (c >= 0x430 && c <= 0x44F)
        return static_cast<wchar_t>(c - 32);
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<wchar_t>(c - 80);
    return c;
}

wchar_t FixedLocale::LowerChar(wchar_t c) {
    if (c >= L'A' && c <= L'Z')
        return static_cast<wchar_t>(c + 32);
    if (c < 0x80)
        return c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<wchar_t>(c + 32);
    if (c == 0x178)
        return 0xFF;
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 1) ? static_cast<wchar_t>(c + 1) : c;
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c == 0x130 ? L'i' : c;
        return (c % 2 == 0) ? static_cast<wchar_t>(c + 1) : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return static_cast<wchar_t>(c + 32);
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<wchar_t>(c + 32);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<wchar_t>(c + 80);
    return c;
}

std::wstring FixedLocale::ToUpper(std::wstring_view text) const {
    std::wstring result(text);
    std::transform(result.begin(), result.end(), result.begin(), UpperChar);
    return result;
}

std::wstring FixedLocale::ToLower(std::wstring_view text) const {
    std::wstring result(text);
    std::transform(result.begin(), result.end(), result.begin(), LowerChar);
    return result;
}

int FixedLocale::CompareNoCase(std::wstring_view a, std::wstring_view b) const {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wchar_t x = LowerChar(a[i]);
        const wchar_t y = LowerChar(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string FixedLocale::SortKey(std::wstring_view text) const {
    // Big-endian code units of the lowered text: bytewise order equals code-point order.
    std::string key;
    key.reserve(text.size() * 2);
    for (wchar_t c : text) {
        const auto unit = static_cast<uint16_t>(LowerChar(c));
        key += static_cast<char>(unit >> 8);
        key += static_cast<char>(unit & 0xFF);
    }
    return key;
}
