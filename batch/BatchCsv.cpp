// The CSV line of a batch's file.
#include "batch/BatchCsv.h"

#include <array>
#include <cstdio>

namespace {

constexpr uint64_t kTicksPerSecond = 10'000'000;
// From 1601-01-01, where file times count from, to 1970-01-01.
constexpr int64_t kDaysFrom1601To1970 = 134774;

struct CivilDay {
    int64_t Year = 0;
    unsigned Month = 0;
    unsigned Day = 0;
};

// The proleptic Gregorian date of a day counted from 1970-01-01.
CivilDay CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

} // namespace

std::wstring IsoUtcText(uint64_t ticks) {
    const uint64_t seconds = ticks / kTicksPerSecond;
    const uint64_t fraction = ticks % kTicksPerSecond;
    const CivilDay day = CivilFromDays(static_cast<int64_t>(seconds / 86400) - kDaysFrom1601To1970);
    const uint64_t inDay = seconds % 86400;
    wchar_t text[64];
    std::swprintf(text, 64, L"%04lld-%02u-%02uT%02u:%02u:%02u", static_cast<long long>(day.Year), day.Month,
                  day.Day, static_cast<unsigned>(inDay / 3600), static_cast<unsigned>(inDay / 60 % 60),
                  static_cast<unsigned>(inDay % 60));
    std::wstring iso = text;
    if (fraction != 0) {
        std::swprintf(text, 64, L".%07llu", static_cast<unsigned long long>(fraction));
        std::wstring digits = text;
        digits.erase(digits.find_last_not_of(L'0') + 1);
        iso += digits;
    }
    return iso + L"Z";
}

std::wstring CsvField(std::wstring_view text) {
    if (text.find_first_of(L",\"\r\n") == std::wstring_view::npos)
        return std::wstring(text);
    std::wstring quoted = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"')
            quoted += L'"';
        quoted += c;
    }
    return quoted + L"\"";
}

std::wstring BatchCsvHeader() {
    return L"chemin,résultat,raison,création avant,création après,modification avant,modification après,"
           L"accès avant,accès après,nom avant,nom après";
}

std::wstring BatchCsvLine(const BatchCsvRow& row) {
    const auto stamp = [](const std::optional<FileNow>& file, uint64_t FileNow::*which) {
        return file ? IsoUtcText((*file).*which) : std::wstring();
    };
    const auto name = [](const std::optional<FileNow>& file) { return file ? file->Name : std::wstring(); };
    const std::array<std::wstring, 11> fields{
        row.Path,
        row.Result,
        row.Reason,
        stamp(row.Before, &FileNow::Creation),
        stamp(row.After, &FileNow::Creation),
        stamp(row.Before, &FileNow::Write),
        stamp(row.After, &FileNow::Write),
        stamp(row.Before, &FileNow::Access),
        stamp(row.After, &FileNow::Access),
        name(row.Before),
        name(row.After),
    };
    std::wstring line;
    for (const std::wstring& field : fields) {
        if (&field != &fields.front())
            line += L',';
        line += CsvField(field);
    }
    return line;
}
