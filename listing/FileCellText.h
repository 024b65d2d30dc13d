// What each of the file list's eight columns shows for one entry, under the display options.
// The text is written into a buffer the caller keeps, so that drawing a cell allocates nothing
// once the buffer has grown to the longest text.
#pragma once

#include "listing/FileListing.h"
#include "base/Locale.h"

#include <string>

struct TDisplayOptions {
    bool NameMaj = true;  // names as on disk; otherwise "Abcdef.txt"
    bool SizeKo = false;  // sizes in whole Ko, rounded up
    bool FullYear = true; // four-digit years
    bool TimeZero = true; // show 00:00:00 rather than dropping a midnight time
};

enum class TFileColumn { Name = 0, Size, Created, Modified, Accessed, DosName, Attributes, Type };

void FileCellText(const TFileObject& entry, int column, const TDisplayOptions& options, const Locale& locale,
                  std::wstring& text);

// "dd/mm/yyyy hh:nn:ss" and its shorter forms, with the locale's separators.
void DateTimeText(TDateTime value, bool fullYear, bool withTime, const Locale& locale, std::wstring& text);
