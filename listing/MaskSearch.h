// File-name masks: patterns separated by ";" with "*" and "?", matched without regard to case.
// The matcher is the program's own (not the platform's wildcard matching), with its known habits:
// a literal after a star binds to its first occurrence, a blank after ";" belongs to the next
// pattern, and a name without extension is matched with a final dot.
#pragma once

#include "base/Locale.h"

#include <set>
#include <string>
#include <string_view>

// The lowered patterns of a mask, sorted, without duplicates.
using TMaskList = std::set<std::wstring>;

TMaskList ParseMask(std::wstring_view mask, const Locale& locale = CurrentLocale());
bool MatchesMask(std::wstring_view name, const TMaskList& patterns, const Locale& locale = CurrentLocale());
// Both texts already lowered.
bool MatchPattern(std::wstring_view name, std::wstring_view pattern);
