// Feeds arbitrary UTF-16 text to the readers of stored placement values: no input may crash them,
// and a number that comes back must be within what the text can mean.
#include "placement/PlacementText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    const auto words = PlacementWords(text);
    for (const auto& word : words)
        if (word.empty())
            std::abort();
    const FourNumbers numbers = ReadFourNumbers(text, {1, 2, 3, 4});
    // What is written back must read back the same.
    if (ReadFourNumbers(FourNumbersText(numbers), {0, 0, 0, 0}) != numbers)
        std::abort();
    DecimalOrDefault(text, 0);
    StateFromShowCmd(DecimalOrDefault(text, 0), WindowState::Normal);
    return 0;
}
