// The local form of a file time.
#include "base/TimeText.h"

#include "base/FileTimeTicks.h"
#include "base/TextHelpers.h"

#include <windows.h>

std::wstring JournalTimeText(uint64_t ticks) {
    const FILETIME utc = FileTimeOfTicks(ticks);
    FILETIME local{};
    SYSTEMTIME shown{};
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &shown))
        return L"?";
    return ReportDateTimeText(shown.wYear, shown.wMonth, shown.wDay, shown.wHour, shown.wMinute,
                              shown.wSecond);
}
