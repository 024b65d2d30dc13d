// The journal lines' check computed bit by bit, apart from the reader's table: tests and the fuzz
// target seal hand-made lines with it, so that a fault in the table cannot hide itself.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// The CRC-32 (the polynomial of zip and PNG) of the bytes, as 8 lower-case hexadecimal digits.
inline std::string Crc32Hex(std::string_view bytes) {
    uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(~crc));
    return hex;
}
