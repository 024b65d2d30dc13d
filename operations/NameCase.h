// The three letter-case forms a file name can be given, as pure text work on the long name
// (extension included), so that the rules are the same whatever case mapping the caller supplies.
#pragma once

#include "base/Locale.h"

#include <functional>
#include <string>
#include <string_view>

enum class NameCase {
    Upper,      // "MON FICHIER.TXT"
    Lower,      // "mon fichier.txt"
    FirstUpper, // "Mon fichier.txt": the first character upper, every other one lower
};

// A whole-text case mapping; it must keep the text's length.
using CaseMap = std::function<std::wstring(std::wstring_view)>;

std::wstring ConvertNameCase(std::wstring_view name, NameCase form, const CaseMap& upper,
                             const CaseMap& lower);
std::wstring ConvertNameCase(std::wstring_view name, NameCase form, const Locale& locale);
