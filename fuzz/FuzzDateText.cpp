// Fuzz target: reading remembered date and time texts with any picture must never misbehave and
// must give only valid values.
#include "operations/dialogs/DateText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    std::wstring picture;
    bool inPicture = false;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (c == 0 && !inPicture) {
            inPicture = true;
            continue;
        }
        (inPicture ? picture : text).push_back(c);
    }
    if (const auto date = ParseDateText(text, picture)) {
        if (date->Month < 1 || date->Month > 12 || date->Day < 1 || date->Day > 31 || date->Year < 1601)
            std::abort();
    }
    if (const auto time = ParseTimeText(text, picture, L"AM", L"PM")) {
        if (time->Hour < 0 || time->Hour > 23 || time->Minute > 59 || time->Second > 59)
            std::abort();
    }
    return 0;
}
