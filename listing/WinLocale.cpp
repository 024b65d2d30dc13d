// Separators, case mapping and collation of the user's locale.
#include "listing/WinLocale.h"

#include <windows.h>

namespace {

std::wstring LocaleText(LCTYPE type) {
    wchar_t buffer[16] = {};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 16);
    return length > 1 ? std::wstring(buffer, static_cast<size_t>(length - 1)) : std::wstring();
}

wchar_t FirstOr(const std::wstring& text, wchar_t fallback) {
    return text.empty() ? fallback : text[0];
}

std::wstring MapCase(std::wstring_view text, DWORD flags) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int needed = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), size, nullptr, 0, nullptr,
                                       nullptr, 0);
    if (needed <= 0)
        return std::wstring(text);
    std::wstring result(static_cast<size_t>(needed), L'\0');
    ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), size, result.data(), needed, nullptr, nullptr, 0);
    return result;
}

} // namespace

WinLocale::WinLocale() {
    decimal_ = FirstOr(LocaleText(LOCALE_SDECIMAL), L'.');
    thousand_ = LocaleText(LOCALE_STHOUSAND);
    date_ = FirstOr(LocaleText(LOCALE_SDATE), L'/');
    time_ = FirstOr(LocaleText(LOCALE_STIME), L':');
}

std::wstring WinLocale::ToUpper(std::wstring_view text) const {
    return MapCase(text, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING);
}

std::wstring WinLocale::ToLower(std::wstring_view text) const {
    return MapCase(text, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING);
}

int WinLocale::CompareNoCase(std::wstring_view a, std::wstring_view b) const {
    const int result = ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                         b.data(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
}

std::string WinLocale::SortKey(std::wstring_view text) const {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int needed = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), size, nullptr, 0, nullptr,
                                       nullptr, 0);
    if (needed <= 0)
        return {};
    std::string key(static_cast<size_t>(needed), '\0');
    ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), size, reinterpret_cast<LPWSTR>(key.data()), needed,
                    nullptr, nullptr, 0);
    // The key ends with a zero byte, which would make a prefix sort after a longer text.
    while (!key.empty() && key.back() == '\0')
        key.pop_back();
    return key;
}
