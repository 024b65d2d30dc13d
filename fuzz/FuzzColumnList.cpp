// libFuzzer target for the stored column lists: any "Order" or "Sizes" text from the registry
// must give a permutation of the columns, or widths for exactly the columns, and never crash.
#include "listctrl/ColumnList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int count = data[0] % 17;
    std::wstring text;
    for (size_t i = 1; i + 1 < size; i += 2)
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));

    const auto order = ColumnOrderFromText(text, count);
    if (!IsColumnPermutation(order, count))
        std::abort();

    std::vector<int> current(static_cast<size_t>(count), 50);
    if (const auto widths = ColumnSizesFromText(text, current)) {
        if (widths->size() != current.size())
            std::abort();
        for (int width : *widths)
            if (width < 0)
                std::abort();
    }
    if (SplitColumnList(text, static_cast<size_t>(count)).size() > static_cast<size_t>(count))
        std::abort();
    const auto parsed = ParseDecimalInteger(text);
    if (parsed && ParseDecimalInteger(std::to_wstring(*parsed)) != parsed)
        std::abort();
    return 0;
}
