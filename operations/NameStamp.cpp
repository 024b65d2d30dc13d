// A name's date turned into a stamp.
#include "operations/NameStamp.h"

#include "base/FileNameParts.h"

namespace {

constexpr uint64_t kTicksPerMillisecond = 10'000;

} // namespace

std::optional<NameStamp> NameDateStamp(const FileStamping& stamping, const std::wstring& path,
                                       const std::optional<NamePattern>& pattern, FileOutcome& why) {
    const std::wstring name = SplitFileName(path).Name;
    const std::optional<NameDate> found = pattern ? MatchNamePattern(*pattern, name) : FindNameDate(name);
    if (!found) {
        why = FileOutcome::Failed(Failure::Other, L"aucune date dans le nom");
        return std::nullopt;
    }
    NameStamp made;
    // Whole seconds are converted, the milliseconds added after: no clock change falls between.
    CivilTime seconds = found->When;
    seconds.Millisecond = 0;
    std::optional<uint64_t> stamp = found->IsUtc ? ExactStamp(seconds, 0) : stamping.StampOf(path, seconds);
    if (stamp)
        *stamp += static_cast<uint64_t>(found->When.Millisecond) * kTicksPerMillisecond;
    const std::optional<uint64_t> held = stamp ? stamping.HoldableTicks(path, *stamp) : std::nullopt;
    if (!held) {
        why = FileOutcome::Failed(Failure::DateOutOfRange);
        return std::nullopt;
    }
    made.Stamp = *held;
    if (found->SecondDate)
        made.Remarks.push_back(L"le nom porte une autre date, non retenue : la première est prise");
    if (!found->IsUtc) {
        const std::wstring clock = stamping.ClockTimeRemarkOf(path, seconds);
        if (!clock.empty())
            made.Remarks.push_back(clock);
    }
    return made;
}
