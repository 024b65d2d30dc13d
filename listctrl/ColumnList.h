// The text form of the stored column layout ("2,0,1" for the display order, "80,120,60" for the
// widths) and the rules that turn a stored text back into an order and widths the list accepts.
// Platform-free, fuzzed: the text comes from the registry and may hold anything.
#pragma once

#include "base/TextHelpers.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Each value followed by ",", the last "," left out: {0, 1, 2} -> "0,1,2".
std::wstring FormatColumnList(const std::vector<int>& values);

// The entries of a stored list: cut at each ",", at most maxEntries, the last one taking the rest
// up to the next ","; an empty text or an empty rest ends the list.
std::vector<std::wstring_view> SplitColumnList(std::wstring_view text, size_t maxEntries);

// True when order holds each of 0 .. count - 1 exactly once.
bool IsColumnPermutation(const std::vector<int>& order, int count);

// The display order to apply for a stored "Order" text. Entries that do not convert count as 0;
// display positions the text leaves out get the missing column indexes in ascending order; a
// result that is still not a permutation of 0 .. count - 1 gives the natural order.
std::vector<int> ColumnOrderFromText(std::wstring_view text, int count);

// The widths to apply, position by position, for a stored "Sizes" text, starting from the
// current widths: an entry that does not convert, or is negative, keeps the current width. None
// when the text is empty or its first entry is -1 (nothing is applied then).
std::optional<std::vector<int>> ColumnSizesFromText(std::wstring_view text, const std::vector<int>& current);

// A stored sort column brought into 0 .. count - 1 (0 when there are no columns).
int ClampSortColumn(int column, int count);
