// Encoding and checking the hand-over block: every unit is copied byte by byte, so that a block at
// an odd address or of an odd size is refused rather than read out of bounds.
#include "app/PathHandOver.h"

#include <cstring>

namespace {

// The longest path Windows opens, in UTF-16 units.
constexpr size_t kMaxPathUnits = 32767;

void AppendUnit(std::vector<uint8_t>& out, uint16_t unit) {
    out.push_back(static_cast<uint8_t>(unit & 0xFF));
    out.push_back(static_cast<uint8_t>(unit >> 8));
}

} // namespace

std::vector<uint8_t> EncodePathHandOver(const std::vector<std::wstring>& paths) {
    std::vector<uint8_t> out;
    for (const std::wstring& path : paths) {
        for (const wchar_t c : path)
            AppendUnit(out, static_cast<uint16_t>(c));
        AppendUnit(out, 0);
    }
    AppendUnit(out, 0);
    return out;
}

std::optional<std::vector<std::wstring>> DecodePathHandOver(uint64_t tag, const void* data, size_t size) {
    if (tag != kPathHandOverTag || data == nullptr || size < 4 || size % 2 != 0 ||
        size > kPathHandOverMaxBytes)
        return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(data);
    const size_t units = size / 2;
    const auto unitAt = [bytes](size_t i) {
        return static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    };
    // The list ends with an empty path, and with it the block: nothing may follow.
    if (unitAt(units - 1) != 0 || unitAt(units - 2) != 0)
        return std::nullopt;
    std::vector<std::wstring> paths;
    std::wstring path;
    for (size_t i = 0; i + 1 < units; ++i) {
        const uint16_t unit = unitAt(i);
        if (unit != 0) {
            if (path.size() == kMaxPathUnits)
                return std::nullopt;
            path.push_back(static_cast<wchar_t>(unit));
            continue;
        }
        // An empty path before the end would end the list early: not a block we wrote.
        if (path.empty())
            return std::nullopt;
        paths.push_back(std::move(path));
        path.clear();
    }
    return paths;
}
