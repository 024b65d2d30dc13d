// Conversion of raw registry value bytes into texts and integers.
#include "base/RegistryData.h"

#include <cstring>

std::optional<std::wstring> TextFromRegistryData(uint32_t type, const uint8_t* data, size_t size) {
    if (type != kRegText && type != kRegExpandText)
        return std::nullopt;
    std::wstring text;
    const size_t units = data ? size / 2 : 0;
    text.reserve(units);
    for (size_t i = 0; i < units; ++i) {
        // Little-endian UTF-16 as the platform stores it, whatever the host's byte order.
        const auto unit = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
        if (unit == L'\0')
            break;
        text.push_back(unit);
    }
    return text;
}

std::optional<int32_t> IntegerFromRegistryData(uint32_t type, const uint8_t* data, size_t size) {
    if (type != kRegDword || !data || size != 4)
        return std::nullopt;
    const uint32_t raw = static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
                         (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
    int32_t value = 0;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

std::optional<bool> BoolFromRegistryData(uint32_t type, const uint8_t* data, size_t size) {
    const auto value = IntegerFromRegistryData(type, data, size);
    if (!value)
        return std::nullopt;
    return *value != 0;
}
