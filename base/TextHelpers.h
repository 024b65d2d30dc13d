// Small texts shared by the status bar, the file list and the messages: French plurals, byte
// counts, sizes in octets, Ko, Mo or Go, a name in quotation marks, and the trailing-backslash rules
// of folder paths.
#pragma once

#include "base/Locale.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The word with "s" appended when the count is greater than 1; an empty word stays empty.
std::wstring PluralWord(std::wstring_view word, int64_t count);

// Whole units grouped by the locale's thousands separator ("1 234 567").
std::wstring ByteCountText(int64_t count, const Locale& locale = CurrentLocale());

// A value with 3 significant digits, trailing zeros dropped, in scientific notation ("1,02E03")
// when it would need more than 3 digits before the decimal separator.
std::wstring GeneralNumberText(double value, const Locale& locale = CurrentLocale());

// The status-bar size: in octets with the flag clear, in octets, Ko, Mo or Go with it set.
std::wstring SizeText(bool adaptiveUnits, int64_t size, const Locale& locale = CurrentLocale());

// "15/06/2015 10:30:02": day first and the same in every language, as the reports show a time.
std::wstring ReportDateTimeText(int year, int month, int day, int hour, int minute, int second);

// The text between French quotation marks, each with its space: "« C:\\Photos »".
std::wstring Quoted(std::wstring_view text);

// The text without its leading and trailing spaces (other blanks stay); all spaces give "".
std::wstring TrimSpaces(std::wstring_view text);

// "C:\\" gives "C:"; every trailing backslash goes.
std::wstring StripTrailingBackslashes(std::wstring_view path);
// The path followed by one backslash unless it already ends with one.
std::wstring WithTrailingBackslash(std::wstring_view path);
// The same folder, whatever the letter case and the trailing backslash.
bool SameFolderPath(std::wstring_view a, std::wstring_view b, const Locale& locale);

// Paths this long or longer need the "\\?\" form to reach the file-system calls whole.
constexpr size_t kLongPathThreshold = 248;

// The "\\?\" form of a full, already normalised path: "C:\a" -> "\\?\C:\a",
// "\\server\share\a" -> "\\?\UNC\server\share\a". Paths already in a device form, and paths
// that are not full (relative, drive-relative), come back unchanged.
std::wstring ExtendedLengthPath(std::wstring_view fullPath);

// True when a command-line argument is "/noversion", whatever the case of its letters A to Z.
bool IsNoVersionArgument(std::wstring_view argument);

// A whole decimal integer: an optional sign and ASCII digits only, within int; anything else, none.
std::optional<int> ParseDecimalInteger(std::wstring_view text);
