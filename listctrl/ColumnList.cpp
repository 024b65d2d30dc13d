// Reading and writing the stored column lists.
#include "listctrl/ColumnList.h"

#include <algorithm>
#include <cstdint>
#include <limits>

std::wstring FormatColumnList(const std::vector<int>& values) {
    std::wstring text;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += L',';
        text += std::to_wstring(values[i]);
    }
    return text;
}

std::vector<std::wstring_view> SplitColumnList(std::wstring_view text, size_t maxEntries) {
    std::vector<std::wstring_view> entries;
    std::wstring_view rest = text;
    while (entries.size() < maxEntries && !rest.empty()) {
        const size_t comma = rest.find(L',');
        if (comma == std::wstring_view::npos) {
            entries.push_back(rest);
            rest = {};
        } else {
            entries.push_back(rest.substr(0, comma));
            rest.remove_prefix(comma + 1);
        }
    }
    return entries;
}

bool IsColumnPermutation(const std::vector<int>& order, int count) {
    if (count < 0 || order.size() != static_cast<size_t>(count))
        return false;
    std::vector<bool> seen(order.size(), false);
    for (int column : order) {
        if (column < 0 || column >= count || seen[static_cast<size_t>(column)])
            return false;
        seen[static_cast<size_t>(column)] = true;
    }
    return true;
}

std::vector<int> ColumnOrderFromText(std::wstring_view text, int count) {
    if (count <= 0)
        return {};
    std::vector<int> natural(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        natural[static_cast<size_t>(i)] = i;

    const auto entries = SplitColumnList(text, static_cast<size_t>(count));
    if (entries.empty())
        return natural;
    std::vector<int> order;
    order.reserve(static_cast<size_t>(count));
    for (auto entry : entries)
        order.push_back(ParseDecimalInteger(entry).value_or(0));
    for (int column = 0; column < count && order.size() < static_cast<size_t>(count); ++column)
        if (std::find(order.begin(), order.begin() + static_cast<ptrdiff_t>(entries.size()), column) ==
            order.begin() + static_cast<ptrdiff_t>(entries.size()))
            order.push_back(column);
    return IsColumnPermutation(order, count) ? order : natural;
}

std::optional<std::vector<int>> ColumnSizesFromText(std::wstring_view text, const std::vector<int>& current) {
    const auto entries = SplitColumnList(text, current.size());
    if (entries.empty())
        return std::nullopt;
    std::vector<int> widths = current;
    for (size_t p = 0; p < entries.size(); ++p) {
        const auto width = ParseDecimalInteger(entries[p]);
        if (!width)
            continue;
        if (p == 0 && *width == -1)
            return std::nullopt;
        if (*width >= 0)
            widths[p] = *width;
    }
    return widths;
}

int ClampSortColumn(int column, int count) {
    if (column >= count)
        column = count - 1;
    if (column < 0)
        column = 0;
    return column;
}
