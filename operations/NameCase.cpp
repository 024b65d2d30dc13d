// Letter-case forms of a file name.
#include "operations/NameCase.h"

namespace {

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The length, in UTF-16 units, of the first character: a surrogate pair stays whole.
size_t FirstCharacterLength(std::wstring_view text) {
    if (text.size() >= 2 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]))
        return 2;
    return text.empty() ? 0 : 1;
}

} // namespace

std::wstring ConvertNameCase(std::wstring_view name, NameCase form, const CaseMap& upper,
                             const CaseMap& lower) {
    switch (form) {
    case NameCase::Upper:
        return upper(name);
    case NameCase::Lower:
        return lower(name);
    case NameCase::FirstUpper: {
        const size_t first = FirstCharacterLength(name);
        return upper(name.substr(0, first)) + lower(name.substr(first));
    }
    }
    return std::wstring(name);
}

std::wstring ConvertNameCase(std::wstring_view name, NameCase form, const Locale& locale) {
    return ConvertNameCase(
        name, form, [&](std::wstring_view text) { return locale.ToUpper(text); },
        [&](std::wstring_view text) { return locale.ToLower(text); });
}
