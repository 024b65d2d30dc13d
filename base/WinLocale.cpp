// Separators, case mapping and collation of the user's locale.
#include "base/WinLocale.h"

#include <windows.h>

namespace {

std::wstring LocaleText(const wchar_t* locale, LCTYPE type) {
    wchar_t buffer[16] = {};
    const int length = ::GetLocaleInfoEx(locale, type, buffer, 16);
    return length > 1 ? std::wstring(buffer, static_cast<size_t>(length - 1)) : std::wstring();
}

wchar_t FirstOr(const std::wstring& text, wchar_t fallback) {
    return text.empty() ? fallback : text[0];
}

// The file system's case mapping: the invariant locale without linguistic casing, so that no
// language's own rules (the Turkish dotted and dotless i) apply to file names.
std::wstring MapCase(std::wstring_view text, DWORD flags) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int needed =
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, flags, text.data(), size, nullptr, 0, nullptr, nullptr, 0);
    if (needed <= 0)
        return std::wstring(text);
    std::wstring result(static_cast<size_t>(needed), L'\0');
    ::LCMapStringEx(LOCALE_NAME_INVARIANT, flags, text.data(), size, result.data(), needed, nullptr, nullptr,
                    0);
    return result;
}

} // namespace

WinLocale::WinLocale() : WinLocale(std::wstring()) {}

WinLocale::WinLocale(std::wstring name) : name_(std::move(name)) {
    decimal_ = FirstOr(LocaleText(Name(), LOCALE_SDECIMAL), L'.');
    thousand_ = LocaleText(Name(), LOCALE_STHOUSAND);
    date_ = FirstOr(LocaleText(Name(), LOCALE_SDATE), L'/');
    time_ = FirstOr(LocaleText(Name(), LOCALE_STIME), L':');
}

const wchar_t* WinLocale::Name() const {
    return name_.empty() ? LOCALE_NAME_USER_DEFAULT : name_.c_str();
}

std::wstring WinLocale::ToUpper(std::wstring_view text) const {
    return MapCase(text, LCMAP_UPPERCASE);
}

std::wstring WinLocale::ToLower(std::wstring_view text) const {
    return MapCase(text, LCMAP_LOWERCASE);
}

int WinLocale::CompareNoCase(std::wstring_view a, std::wstring_view b) const {
    const int result = ::CompareStringEx(Name(), NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                         b.data(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
}

std::string WinLocale::SortKey(std::wstring_view text) const {
    std::string key;
    AppendSortKey(text, key);
    return key;
}

void WinLocale::AppendSortKey(std::wstring_view text, std::string& out) const {
    if (text.empty())
        return;
    const int size = static_cast<int>(text.size());
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // Most names fit a key of a few hundred bytes: one call into a local buffer, and a second,
    // sized one only for the rare long text.
    BYTE local[512];
    int length = ::LCMapStringEx(Name(), flags, text.data(), size, reinterpret_cast<LPWSTR>(local),
                                 sizeof(local), nullptr, nullptr, 0);
    const BYTE* key = local;
    std::string large;
    if (length <= 0) {
        const int needed = ::LCMapStringEx(Name(), flags, text.data(), size, nullptr, 0, nullptr, nullptr, 0);
        if (needed <= 0)
            return;
        large.resize(static_cast<size_t>(needed));
        length = ::LCMapStringEx(Name(), flags, text.data(), size, reinterpret_cast<LPWSTR>(large.data()),
                                 needed, nullptr, nullptr, 0);
        key = reinterpret_cast<const BYTE*>(large.data());
    }
    // The key ends with a zero byte, which would make a prefix sort after a longer text.
    while (length > 0 && key[length - 1] == 0)
        --length;
    out.append(reinterpret_cast<const char*>(key), static_cast<size_t>(length));
}

const Locale& InstallUserLocale() {
    static const WinLocale user;
    return SetCurrentLocale(user);
}
