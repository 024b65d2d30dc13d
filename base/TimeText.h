// A file time as the user reads it in the undo window, the reports and the main window's messages:
// local time, at the offset from UTC that the user's time zone has today (FileTimeToLocalFileTime's
// rule), whatever the offset on the date shown.
#pragma once

#include <cstdint>
#include <string>

// A time in UTC ticks (a FILETIME's 100-ns count from 1601), a journal's or any file's, as local
// "dd/mm/yyyy hh:mm:ss"; "?" when Windows cannot convert it.
std::wstring JournalTimeText(uint64_t ticks);
