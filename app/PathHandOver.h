// The block in which a later start of the program hands its paths to the window already open
// (WM_COPYDATA): a tag, then UTF-16 paths each ended by a zero and the list by one more zero.
// Platform-free, so that any malformed block another process may send can be tried on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The tag (WM_COPYDATA's dwData) that says the block is ours: "KV24". 32 bits, so that the 32-bit
// and the 64-bit programs hand over to each other.
inline constexpr uint64_t kPathHandOverTag = 0x4B563234u;
// Far more than Explorer ever hands a verb; a longer block is refused, never read.
inline constexpr size_t kPathHandOverMaxBytes = 4u << 20;

std::vector<uint8_t> EncodePathHandOver(const std::vector<std::wstring>& paths);
// The paths of a block with our tag; none when the tag, the size, a terminator or an empty path
// says it is not one of ours.
std::optional<std::vector<std::wstring>> DecodePathHandOver(uint64_t tag, const void* data, size_t size);
