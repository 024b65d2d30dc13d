// Texts of counts and sizes in the user's locale.
#include "base/TextHelpers.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

std::wstring PluralWord(std::wstring_view word, int64_t count) {
    std::wstring result(word);
    if (!result.empty() && count > 1)
        result += L's';
    return result;
}

std::wstring ByteCountText(int64_t count, const Locale& locale) {
    const bool negative = count < 0;
    // Work on the magnitude as unsigned so that the smallest 64-bit value is exact too.
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
    std::wstring digits = std::to_wstring(magnitude);
    const std::wstring separator = locale.ThousandSeparator();
    std::wstring grouped;
    grouped.reserve(digits.size() + digits.size() / 3 * separator.size() + 1);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    return negative ? L"-" + grouped : grouped;
}

std::wstring GeneralNumberText(double value, const Locale& locale) {
    if (!std::isfinite(value))
        return L"0";
    if (value == 0)
        return L"0";
    // Let the C library round to 3 significant digits, then lay the digits out ourselves.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2e", std::fabs(value));
    // buffer: d.dde[+-]XX
    std::string mantissa;
    mantissa += buffer[0];
    mantissa += buffer[2];
    mantissa += buffer[3];
    const int exponent = std::atoi(buffer + 5);
    std::wstring text = value < 0 ? L"-" : L"";
    const wchar_t decimal = locale.DecimalSeparator();
    if (exponent >= 3 || exponent < -4) {
        std::string digits = mantissa;
        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();
        text += static_cast<wchar_t>(digits[0]);
        if (digits.size() > 1) {
            text += decimal;
            for (size_t i = 1; i < digits.size(); ++i)
                text += static_cast<wchar_t>(digits[i]);
        }
        text += L'E';
        text += exponent < 0 ? L"-" : L"";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            text += L'0';
        text += std::to_wstring(magnitude);
        return text;
    }
    // Fixed notation: the three significant digits placed around the decimal separator.
    std::string integerPart;
    std::string fraction;
    if (exponent >= 0) {
        integerPart = mantissa.substr(0, static_cast<size_t>(exponent) + 1);
        fraction = mantissa.substr(static_cast<size_t>(exponent) + 1);
    } else {
        integerPart = "0";
        fraction = std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
    }
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    for (char c : integerPart)
        text += static_cast<wchar_t>(c);
    if (!fraction.empty()) {
        text += decimal;
        for (char c : fraction)
            text += static_cast<wchar_t>(c);
    }
    return text;
}

std::wstring SizeText(bool adaptiveUnits, int64_t size, const Locale& locale) {
    if (size <= 0)
        return L"0 octet";
    if (!adaptiveUnits)
        return ByteCountText(size, locale) + PluralWord(L" octet", size);
    constexpr int64_t kKilo = 1024;
    constexpr int64_t kMega = kKilo * 1024;
    constexpr int64_t kGiga = kMega * 1024;
    if (size < kKilo)
        return std::to_wstring(size) + PluralWord(L" octet", size);
    if (size < kMega)
        return GeneralNumberText(static_cast<double>(size) / kKilo, locale) + L" Ko";
    if (size < kGiga)
        return GeneralNumberText(static_cast<double>(size) / kMega, locale) + L" Mo";
    return GeneralNumberText(static_cast<double>(size) / kGiga, locale) + L" Go";
}

namespace {

std::wstring TwoDigits(int value) {
    return (value < 10 ? L"0" : L"") + std::to_wstring(value);
}

} // namespace

std::wstring ReportDateTimeText(int year, int month, int day, int hour, int minute, int second) {
    return TwoDigits(day) + L"/" + TwoDigits(month) + L"/" + std::to_wstring(year) + L" " + TwoDigits(hour) +
           L":" + TwoDigits(minute) + L":" + TwoDigits(second);
}

std::wstring Quoted(std::wstring_view text) {
    return L"« " + std::wstring(text) + L" »";
}

std::wstring TrimSpaces(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos)
        return {};
    const size_t last = text.find_last_not_of(L' ');
    return std::wstring(text.substr(first, last - first + 1));
}

std::wstring StripTrailingBackslashes(std::wstring_view path) {
    size_t end = path.size();
    while (end > 0 && path[end - 1] == L'\\')
        --end;
    return std::wstring(path.substr(0, end));
}

std::wstring WithTrailingBackslash(std::wstring_view path) {
    std::wstring result(path);
    if (result.empty() || result.back() != L'\\')
        result += L'\\';
    return result;
}

bool SameFolderPath(std::wstring_view a, std::wstring_view b, const Locale& locale) {
    return locale.ToUpper(WithTrailingBackslash(a)) == locale.ToUpper(WithTrailingBackslash(b));
}

namespace {

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

} // namespace

std::wstring ExtendedLengthPath(std::wstring_view fullPath) {
    if (StartsWith(fullPath, L"\\\\?\\") || StartsWith(fullPath, L"\\\\.\\") ||
        StartsWith(fullPath, L"\\??\\"))
        return std::wstring(fullPath);
    if (fullPath.size() >= 3 && IsDriveLetter(fullPath[0]) && fullPath[1] == L':' && fullPath[2] == L'\\')
        return L"\\\\?\\" + std::wstring(fullPath);
    if (fullPath.size() > 2 && StartsWith(fullPath, L"\\\\"))
        return L"\\\\?\\UNC\\" + std::wstring(fullPath.substr(2));
    return std::wstring(fullPath);
}

bool IsNoVersionArgument(std::wstring_view argument) {
    constexpr std::wstring_view kArgument = L"/noversion";
    if (argument.size() != kArgument.size())
        return false;
    for (size_t i = 0; i < argument.size(); ++i) {
        wchar_t c = argument[i];
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c + 32);
        if (c != kArgument[i])
            return false;
    }
    return true;
}

std::optional<int> ParseDecimalInteger(std::wstring_view text) {
    bool negative = false;
    size_t i = 0;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return std::nullopt;
        value = value * 10 + (text[i] - L'0');
        if (value > int64_t{std::numeric_limits<int>::max()} + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}
