// Turns the raw bytes of a registry value into the text or integer its reader expects. Kept free of
// the platform so that any stored garbage (odd sizes, missing terminators, other types) is tested
// and fuzzed natively; a value that does not fit gives no result and the caller keeps its default.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The registry value types the program reads (the platform's REG_SZ, REG_EXPAND_SZ, REG_DWORD).
constexpr uint32_t kRegText = 1;
constexpr uint32_t kRegExpandText = 2;
constexpr uint32_t kRegDword = 4;

// The text of a REG_SZ or REG_EXPAND_SZ value, not expanded, up to its first NUL (a missing
// terminator is tolerated, a dangling odd byte ignored); nothing for any other type.
std::optional<std::wstring> TextFromRegistryData(uint32_t type, const uint8_t* data, size_t size);

// The signed value of a REG_DWORD of exactly four bytes; nothing for any other type or size.
std::optional<int32_t> IntegerFromRegistryData(uint32_t type, const uint8_t* data, size_t size);

// A boolean is any non-zero REG_DWORD (5 reads as true); a boolean stored as text gives nothing.
std::optional<bool> BoolFromRegistryData(uint32_t type, const uint8_t* data, size_t size);
