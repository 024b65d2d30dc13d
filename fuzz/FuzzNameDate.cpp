// Fuzz target: any pattern against any name, and any name through the known forms, must end
// quickly and give only a date that exists. The input is the pattern, a NUL, then the name.
#include "readers/NameDate.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void CheckDate(const std::optional<NameDate>& date) {
    if (date && !EncodeDateTime(date->When))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Each byte is one character, so that every character the forms know is reached easily.
    const std::wstring input(data, data + size);
    const size_t split = input.find(L'\0');
    const std::wstring name = split == std::wstring::npos ? input : input.substr(split + 1);
    CheckDate(FindNameDate(name));
    if (split != std::wstring::npos)
        if (const std::optional<NamePattern> pattern = ParseNamePattern(input.substr(0, split)))
            CheckDate(MatchNamePattern(*pattern, name));
    return 0;
}
