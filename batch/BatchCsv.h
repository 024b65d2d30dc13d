// One line of comma-separated values per file of a batch, for scripts and spreadsheets: the file,
// what became of it and its name and stamps before and after. Platform-free; the columns are
// documented in the README ("Ligne de commande").
#pragma once

#include "journal/UndoPlan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct BatchCsvRow {
    std::wstring Path;
    // A short stable word: "modifié", "non modifié", "déjà comme demandé", "serait modifié"...
    std::wstring Result;
    std::wstring Reason;
    // The file's name and stamps; none when it could not be read (its columns are left empty).
    std::optional<FileNow> Before;
    std::optional<FileNow> After;
};

// The header line, without its line end.
std::wstring BatchCsvHeader();
// One row, without its line end: each field quoted only when it holds a comma, a quote or a line
// break, its quotes doubled.
std::wstring BatchCsvLine(const BatchCsvRow& row);

// A field as the line writes it.
std::wstring CsvField(std::wstring_view text);
// UTC ticks as ISO 8601: "2025-03-30T21:22:33Z", with the fraction of a second only when it is not
// zero ("2025-03-30T21:22:33.5Z", at most seven digits).
std::wstring IsoUtcText(uint64_t ticks);
