// Mask parsing and matching on any text: no crash, no undefined behaviour, and "*" matches all.
#include "base/FixedLocale.h"
#include "listing/MaskSearch.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FixedLocale locale;
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    const size_t split = text.find(L'|');
    const std::wstring mask = text.substr(0, split);
    const std::wstring name = split == std::wstring::npos ? L"file.txt" : text.substr(split + 1);
    const TMaskList patterns = ParseMask(mask, locale);
    MatchesMask(name, patterns, locale);
    for (const auto& pattern : patterns)
        MatchPattern(name, pattern);
    if (!MatchesMask(name, ParseMask(L"*", locale), locale))
        std::abort();
    return 0;
}
