// The preview's texts.
#include "batch/PreviewRows.h"

#include <array>

namespace {

constexpr uint64_t kTicksPerSecond = 10'000'000;

std::wstring TwoDigits(uint64_t value) {
    return (value < 10 ? L"0" : L"") + std::to_wstring(value);
}

// "100 000": thousands apart, as the French write counts.
std::wstring CountText(size_t count) {
    std::wstring digits = std::to_wstring(count);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, L' ');
    return digits;
}

std::wstring Counted(size_t count, const wchar_t* singular, const wchar_t* plural) {
    return CountText(count) + L" " + (count > 1 ? plural : singular);
}

void Join(std::wstring& text, const std::wstring& part) {
    text += (text.empty() ? L"" : L" ; ") + part;
}

} // namespace

std::wstring DifferenceText(int64_t ticks) {
    if (ticks == 0)
        return L"0";
    const std::wstring sign = ticks < 0 ? L"-" : L"+";
    // Taken apart as unsigned, so that the most negative span has its magnitude too.
    uint64_t span = ticks < 0 ? 0 - static_cast<uint64_t>(ticks) : static_cast<uint64_t>(ticks);
    // A file's own stamps hold parts of a second that nobody typed: past a second, the nearest
    // whole second says enough (the values beside it are to the second too).
    if (span >= kTicksPerSecond)
        span = (span + kTicksPerSecond / 2) / kTicksPerSecond * kTicksPerSecond;
    const uint64_t fraction = span % kTicksPerSecond;
    const uint64_t seconds = span / kTicksPerSecond;
    const uint64_t days = seconds / 86400;
    const uint64_t hours = seconds / 3600 % 24;
    const uint64_t minutes = seconds / 60 % 60;
    const uint64_t secs = seconds % 60;
    const bool wholeMinutes = secs == 0 && fraction == 0;
    if (days > 0 && hours == 0 && minutes == 0 && wholeMinutes)
        return sign + std::to_wstring(days) + L" j";
    if (days == 0 && minutes == 0 && wholeMinutes)
        return sign + std::to_wstring(hours) + L" h";
    std::wstring clock = TwoDigits(hours) + L":" + TwoDigits(minutes);
    if (days == 0 || !wholeMinutes)
        clock += L":" + TwoDigits(secs);
    if (fraction != 0) {
        std::wstring digits = std::to_wstring(fraction + kTicksPerSecond).substr(1);
        digits.erase(digits.find_last_not_of(L'0') + 1);
        clock += L"," + digits;
    }
    return sign + (days > 0 ? std::to_wstring(days) + L" j " : L"") + clock;
}

PreviewKind PreviewKindOf(const std::optional<JournalFile>& record,
                          const std::optional<FileOutcome>& refusal) {
    if (refusal)
        return PreviewKind::LeftAlone;
    if (!record || (record->OldName == record->NewName && record->OldCreation == record->NewCreation &&
                    record->OldWrite == record->NewWrite && record->OldAccess == record->NewAccess))
        return PreviewKind::AlreadyAsAsked;
    return PreviewKind::Changes;
}

PreviewRow PreviewRowOf(const std::optional<JournalFile>& record, const std::optional<FileOutcome>& refusal,
                        const StampTimeText& timeText, const std::vector<std::wstring>& remarks) {
    PreviewRow row;
    switch (PreviewKindOf(record, refusal)) {
    case PreviewKind::LeftAlone:
        row.Remark = refusal->ReasonText();
        return row;
    case PreviewKind::AlreadyAsAsked:
        row.Remark = kAlreadyAsAskedText;
        return row;
    case PreviewKind::Changes:
        break;
    }
    const JournalFile& file = *record;
    if (file.OldName != file.NewName) {
        row.Current = file.OldName;
        row.New = file.NewName;
    }
    // In the order the file list shows them; the difference is the modification's when it moves,
    // the stamp a user looks at first.
    struct StampChange {
        const wchar_t* Name;
        uint64_t Before;
        uint64_t After;
    };
    const std::array<StampChange, 3> stamps{{
        {L"création", file.OldCreation, file.NewCreation},
        {L"modification", file.OldWrite, file.NewWrite},
        {L"dernier accès", file.OldAccess, file.NewAccess},
    }};
    constexpr size_t kModification = 1;
    std::optional<int64_t> difference;
    for (size_t i = 0; i < stamps.size(); ++i) {
        const StampChange& stamp = stamps[i];
        if (stamp.Before == stamp.After)
            continue;
        Join(row.Current, std::wstring(stamp.Name) + L" " + timeText(stamp.Before));
        Join(row.New, std::wstring(stamp.Name) + L" " + timeText(stamp.After));
        if (!difference || i == kModification)
            difference = static_cast<int64_t>(stamp.After - stamp.Before);
    }
    if (difference)
        row.Difference = DifferenceText(*difference);
    for (const std::wstring& remark : remarks)
        Join(row.Remark, remark);
    return row;
}

void PreviewTally::Add(PreviewKind kind) {
    switch (kind) {
    case PreviewKind::Changes:
        ++Changes;
        break;
    case PreviewKind::AlreadyAsAsked:
        ++AlreadyAsAsked;
        break;
    case PreviewKind::LeftAlone:
        ++LeftAlone;
        break;
    }
}

std::wstring PreviewTally::CountLine() const {
    if (Total == 0)
        return L"Aucun fichier";
    if (Planned() < Total)
        return L"Analyse : " + Counted(Planned(), L"fichier", L"fichiers") + L" sur " + CountText(Total);
    std::wstring line = Counted(Total, L"fichier", L"fichiers") + L" : " +
                        Counted(Changes, L"serait modifié", L"seraient modifiés");
    if (AlreadyAsAsked > 0)
        line += L", " + CountText(AlreadyAsAsked) + L" " + kAlreadyAsAskedText;
    if (LeftAlone > 0)
        line += L", " + Counted(LeftAlone, L"laissé tel quel", L"laissés tels quels");
    return line;
}
