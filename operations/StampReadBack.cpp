// Comparing written stamps with what reads back.
#include "operations/StampReadBack.h"

#include "base/TextHelpers.h"

#include <cwchar>

namespace {

constexpr uint64_t kTicksPerSecond = 10'000'000;

uint64_t Distance(uint64_t a, uint64_t b) {
    return a > b ? a - b : b - a;
}

const wchar_t* StampName(StampKind kind) {
    switch (kind) {
    case StampKind::Creation:
        return L"date de création";
    case StampKind::LastWrite:
        return L"date de modification";
    case StampKind::LastAccess:
        break;
    }
    return L"date de dernier accès";
}

} // namespace

ReadBack CompareReadBack(StampKind kind, uint64_t asked, uint64_t before, uint64_t read,
                         const CivilTime& askedLocal, const CivilTime& readLocal) {
    if (read == asked)
        return ReadBack::AsAsked;
    if (Distance(read, asked) <= 2 * kTicksPerSecond)
        return ReadBack::Rounded;
    const bool midnight =
        readLocal.Hour == 0 && readLocal.Minute == 0 && readLocal.Second == 0 && readLocal.Millisecond == 0;
    if (midnight && readLocal.Year == askedLocal.Year && readLocal.Month == askedLocal.Month &&
        readLocal.Day == askedLocal.Day)
        return ReadBack::KeptToTheDay;
    // A creation time that is not the one asked is one the file system makes up itself.
    if (read == before || kind == StampKind::Creation)
        return ReadBack::NotKept;
    return ReadBack::Differs;
}

std::wstring ReadBackRemark(StampKind kind, ReadBack how, const std::optional<CivilTime>& readLocal) {
    const std::wstring name = StampName(kind);
    std::wstring value;
    if (readLocal)
        value = L" (relue : " +
                ReportDateTimeText(readLocal->Year, readLocal->Month, readLocal->Day, readLocal->Hour,
                                   readLocal->Minute, readLocal->Second) +
                L")";
    switch (how) {
    case ReadBack::AsAsked:
        return L"";
    case ReadBack::NotKept:
        return name + L" non conservée par le système de fichiers" + value;
    case ReadBack::Rounded:
        return name + L" arrondie à 2 secondes près par le système de fichiers" + value;
    case ReadBack::KeptToTheDay:
        return name + L" conservée au jour près par le système de fichiers";
    case ReadBack::Differs:
        break;
    }
    return name + L" relue différente" + value;
}

std::wstring ClockTimeRemark(LocalTimeKind kind, const CivilTime& asked,
                             const std::optional<CivilTime>& written) {
    const auto clock = [](const CivilTime& t) {
        wchar_t text[16];
        std::swprintf(text, 16, L"%02d:%02d:%02d", t.Hour, t.Minute, t.Second);
        return std::wstring(text);
    };
    switch (kind) {
    case LocalTimeKind::Once:
        break;
    case LocalTimeKind::Skipped:
        return L"l'heure " + clock(asked) + L" n'existe pas ce jour-là (changement d'heure)" +
               (written ? L" : écrite " + clock(*written) : L"");
    case LocalTimeKind::Repeated:
        return L"l'heure " + clock(asked) +
               L" existe deux fois ce jour-là (changement d'heure) : la première est écrite";
    }
    return L"";
}
