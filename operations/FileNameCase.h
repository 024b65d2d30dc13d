// The three name operations of the batch: the whole long name (extension included) in upper
// case ("Majuscules"), lower case ("Minuscules"), or first character upper and the rest lower
// ("Maj-min"), with the system's case mapping, so that any name works (accents, Greek, Japanese).
#pragma once

#include "operations/CaseRenamer.h"
#include "operations/NameCase.h"

#include <string>
#include <string_view>

// The system's case mapping of a whole text, character by character (the length is kept).
std::wstring SystemUpper(std::wstring_view text);
std::wstring SystemLower(std::wstring_view text);

// Gives the file at `path` the name in `form`, inside the per-file frame; done when the file
// bears that name afterwards.
FileOutcome ChangeNameCase(const std::wstring& path, NameCase form,
                           const CaseRenamer& renamer = CaseRenamer());

FileOutcome FileNameMaj(const std::wstring& path);
FileOutcome FileNameMin(const std::wstring& path);
FileOutcome FileNameMajMin(const std::wstring& path);
