// The words of a planned change.
#include "batch/PlannedChangeText.h"

#include <cstdio>
#include <tuple>

std::wstring LocalStampText(const std::optional<CivilTime>& local) {
    if (!local)
        return L"?";
    wchar_t text[48];
    std::swprintf(text, 48, L"%04d-%02d-%02d %02d:%02d:%02d", local->Year, local->Month, local->Day,
                  local->Hour, local->Minute, local->Second);
    return text;
}

std::wstring PlannedChangeText(const JournalFile& record, const ToLocalTime& toLocal) {
    if (record.OldName != record.NewName)
        return record.OldName + L" → " + record.NewName;
    std::wstring text;
    for (const auto& [word, before, after] : {std::tuple{L"création", record.OldCreation, record.NewCreation},
                                              std::tuple{L"modification", record.OldWrite, record.NewWrite},
                                              std::tuple{L"accès", record.OldAccess, record.NewAccess}}) {
        if (before == after)
            continue;
        if (!text.empty())
            text += L", ";
        text += std::wstring(word) + L" " + LocalStampText(toLocal(before)) + L" → " +
                LocalStampText(toLocal(after));
    }
    return text;
}
