// The start-up check of the common-controls library: its file version against the least version
// the program needs, and the warning shown when it is too old. No platform call here.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

struct FileVersion {
    uint16_t Major = 0;
    uint16_t Minor = 0;
    uint16_t Release = 0;
    uint16_t Build = 0;
    auto operator<=>(const FileVersion&) const = default;

    // From the two 32-bit halves of a version resource (most significant part in the high word).
    static FileVersion FromWords(uint32_t mostSignificant, uint32_t leastSignificant);
};

inline constexpr FileVersion kLeastComCtlVersion{4, 70, 0, 0};

// True when a version was found and is 4.70.0.0 or later, compared part by part from the major.
bool ComCtlVersionSufficient(const std::optional<FileVersion>& found);

// The warning's text, its lines separated by CR LF.
std::wstring ComCtlWarningText();
