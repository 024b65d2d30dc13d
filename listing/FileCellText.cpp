// Cell texts of the file list.
#include "listing/FileCellText.h"

#include "base/TextHelpers.h"

namespace {

void AppendTwoDigits(std::wstring& text, int value) {
    text += static_cast<wchar_t>(L'0' + (value / 10) % 10);
    text += static_cast<wchar_t>(L'0' + value % 10);
}

// Digits with the separator between groups of three; an empty separator gives plain digits.
void AppendDigits(std::wstring& text, uint64_t value, const std::wstring& separator) {
    wchar_t digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value);
    for (int i = n - 1; i >= 0; --i) {
        text += digits[i];
        if (i > 0 && i % 3 == 0)
            text += separator;
    }
}

void AppendNumber(std::wstring& text, uint64_t value) {
    AppendDigits(text, value, std::wstring());
}

void AppendGrouped(std::wstring& text, uint64_t value, const Locale& locale) {
    AppendDigits(text, value, locale.ThousandSeparator());
}

} // namespace

void DateTimeText(TDateTime value, bool fullYear, bool withTime, const Locale& locale, std::wstring& text) {
    const CivilTime c = DecodeDateTime(value);
    const wchar_t date = locale.DateSeparator();
    const wchar_t time = locale.TimeSeparator();
    AppendTwoDigits(text, c.Day);
    text += date;
    AppendTwoDigits(text, c.Month);
    text += date;
    if (fullYear) {
        AppendTwoDigits(text, c.Year / 100);
        AppendTwoDigits(text, c.Year % 100);
    } else {
        AppendTwoDigits(text, c.Year % 100);
    }
    if (withTime) {
        text += L' ';
        AppendTwoDigits(text, c.Hour);
        text += time;
        AppendTwoDigits(text, c.Minute);
        text += time;
        AppendTwoDigits(text, c.Second);
    }
}

void FileCellText(const TFileObject& entry, int column, const TDisplayOptions& options, const Locale& locale,
                  std::wstring& text) {
    text.clear();
    switch (static_cast<TFileColumn>(column)) {
    case TFileColumn::Name:
        text = entry.Name;
        if (!options.NameMaj) {
            for (wchar_t& c : text)
                if (c >= L'A' && c <= L'Z')
                    c = static_cast<wchar_t>(c + 32);
            if (!text.empty() && text[0] >= L'a' && text[0] <= L'z')
                text[0] = static_cast<wchar_t>(text[0] - 32);
        }
        break;
    case TFileColumn::Size: {
        const uint64_t size = entry.Size < 0 ? 0 : static_cast<uint64_t>(entry.Size);
        if (options.SizeKo) {
            AppendGrouped(text, size / 1024 + (size % 1024 ? 1 : 0), locale);
            text += L" Ko";
        } else {
            AppendGrouped(text, size, locale);
        }
        break;
    }
    case TFileColumn::Created:
    case TFileColumn::Modified: {
        const TDateTime value =
            column == static_cast<int>(TFileColumn::Created) ? entry.Created : entry.Modified;
        DateTimeText(value, options.FullYear, options.TimeZero || !IsMidnight(value), locale, text);
        break;
    }
    case TFileColumn::Accessed:
        DateTimeText(entry.Accessed, options.FullYear, false, locale, text);
        break;
    case TFileColumn::DosName:
        text = entry.DosName;
        for (wchar_t& c : text)
            if (c >= L'a' && c <= L'z')
                c = static_cast<wchar_t>(c - 32);
        break;
    case TFileColumn::Attributes:
        AppendNumber(text, entry.Attributes);
        break;
    case TFileColumn::Type:
        text.assign(entry.TypeName);
        break;
    default:
        break;
    }
}
