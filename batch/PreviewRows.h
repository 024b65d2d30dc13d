// The texts of the "Aperçu" window: what one file's plan would change (its stamps or its name,
// now and after), by how much, or why it would be left alone; and the count line over the files
// planned so far. Platform-free: the time format is handed in.
#pragma once

#include "journal/Journal.h"
#include "operations/FileOutcome.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A span between two stamps in 100-ns ticks, as the window shows it: "+1 h", "-3 j 02:00",
// "+00:00:30", "+2 j"; past a second, to the nearest second, and below, as it is ("+00:00:00,5").
std::wstring DifferenceText(int64_t ticks);

// What the window shows of one file.
struct PreviewRow {
    std::wstring Current;
    std::wstring New;
    std::wstring Difference;
    std::wstring Remark;
    // What the file is grouped under, when the preview groups its files (its camera).
    std::wstring Group;
};

enum class PreviewKind { Changes, AlreadyAsAsked, LeftAlone };

// A time in UTC ticks as the user reads it.
using StampTimeText = std::function<std::wstring(uint64_t ticks)>;

// The row of a file whose plan holds `record` (none: nothing to change) and `refusal` (it would be
// left alone, and why). A record that changes nothing counts as already as asked. The `remarks` of
// a change follow it (a clock time skipped that day).
PreviewKind PreviewKindOf(const std::optional<JournalFile>& record,
                          const std::optional<FileOutcome>& refusal);
PreviewRow PreviewRowOf(const std::optional<JournalFile>& record, const std::optional<FileOutcome>& refusal,
                        const StampTimeText& timeText, const std::vector<std::wstring>& remarks = {});

// The files planned so far, of `Total`.
struct PreviewTally {
    size_t Total = 0;
    size_t Changes = 0;
    size_t AlreadyAsAsked = 0;
    size_t LeftAlone = 0;

    size_t Planned() const { return Changes + AlreadyAsAsked + LeftAlone; }
    void Add(PreviewKind kind);
    // "Analyse : 12 000 fichiers sur 100 000" while files remain, then
    // "100 000 fichiers : 99 998 seraient modifiés, 1 déjà comme demandé, 1 laissé tel quel".
    // "Aucun fichier" when there is none.
    std::wstring CountLine() const;
};
