// Feeds arbitrary registry value bytes, under every value type, to the conversions the settings use.
#include "base/RegistryData.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const uint32_t type = data[0] % 12; // REG_NONE .. REG_QWORD
    const uint8_t* value = data + 1;
    const size_t valueSize = size - 1;
    const auto text = TextFromRegistryData(type, value, valueSize);
    if (text && text->size() > valueSize / 2)
        std::abort();
    const auto number = IntegerFromRegistryData(type, value, valueSize);
    const auto flag = BoolFromRegistryData(type, value, valueSize);
    if (number.has_value() != flag.has_value() || (number && (*number != 0) != *flag))
        std::abort();
    return 0;
}
