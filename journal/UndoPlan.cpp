// The choices of undo, apart from the platform.
#include "journal/UndoPlan.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_set>

namespace {

// The attributes SetFileAttributes writes: read-only, hidden, system, archive, temporary,
// offline, not content indexed, pinned and unpinned. The frame around each file of a batch writes
// "normal" over them all while it works.
constexpr uint32_t kWritableAttributes =
    0x1 | 0x2 | 0x4 | 0x20 | 0x100 | 0x1000 | 0x2000 | 0x80000 | 0x100000;
constexpr uint32_t kArchive = 0x20;
// Those a user sets in the file's properties: read-only, hidden, system, archive, not content
// indexed. Putting back a file changed since takes these back, never the storage's own marks.
constexpr uint32_t kUserAttributes = 0x1 | 0x2 | 0x4 | 0x20 | 0x2000;

// One of the two values a batch leaves: what it set, or what was there before (not reached, or
// already put back).
bool EitherOf(uint64_t now, uint64_t set, uint64_t before) {
    return now == set || now == before;
}

} // namespace

JournalFile UnchangedRecord(const FileNow& now) {
    JournalFile record;
    record.OldName = now.Name;
    record.NewName = now.Name;
    record.OldAttributes = now.Attributes;
    record.OldCreation = record.NewCreation = now.Creation;
    record.OldAccess = record.NewAccess = now.Access;
    record.OldWrite = record.NewWrite = now.Write;
    return record;
}

bool ChangesNothing(const JournalFile& record) {
    return record.OldName == record.NewName && record.OldCreation == record.NewCreation &&
           record.OldAccess == record.NewAccess && record.OldWrite == record.NewWrite;
}

std::vector<JournalFile> FilesToUndo(JournalBatch batch) {
    std::vector<JournalFile>& files = batch.Files;
    std::reverse(files.begin(), files.end());
    // Views of the names, which stay put until the records move below.
    std::vector<bool> first(files.size());
    {
        std::unordered_set<std::wstring_view> seen;
        seen.reserve(files.size());
        for (size_t i = 0; i < files.size(); ++i)
            first[i] = seen.insert(files[i].OldName).second;
    }
    size_t kept = 0;
    for (size_t i = 0; i < files.size(); ++i)
        if (first[i] && kept++ != i)
            files[kept - 1] = std::move(files[i]);
    files.resize(kept);
    const auto firstFolder = std::stable_partition(
        files.begin(), files.end(), [](const JournalFile& file) { return !IsFolderName(file.OldName); });
    std::stable_sort(firstFolder, files.end(), [](const JournalFile& a, const JournalFile& b) {
        return FolderDepth(a.OldName) > FolderDepth(b.OldName);
    });
    return std::move(files);
}

bool IsFolderName(std::wstring_view name) {
    return name.empty() || name.back() == L'\\';
}

size_t FolderDepth(std::wstring_view name) {
    return static_cast<size_t>(std::count(name.begin(), name.end(), L'\\'));
}

std::vector<std::wstring> FolderNamesDeepestFirst(std::vector<std::wstring> folders, bool withOwn) {
    for (std::wstring& folder : folders)
        folder += L'\\';
    std::stable_sort(folders.begin(), folders.end(), [](const std::wstring& a, const std::wstring& b) {
        return FolderDepth(a) > FolderDepth(b);
    });
    if (withOwn)
        folders.emplace_back();
    return folders;
}

std::wstring BatchStateText(BatchState state) {
    switch (state) {
    case BatchState::Running:
        return L"en cours";
    case BatchState::Undone:
        return L"annulée";
    case BatchState::Interrupted:
        return L"interrompue";
    case BatchState::Undoable:
        break;
    }
    return {};
}

size_t FileCount(const JournalBatch& batch) {
    std::unordered_set<std::wstring_view> names;
    for (const JournalFile& file : batch.Files)
        names.insert(file.OldName);
    return names.size();
}

UndoStep PlanUndoOf(const JournalFile& done, const FileNow& now, bool evenIfChanged) {
    UndoStep step;
    step.Record = UnchangedRecord(now);
    step.Record.NewName = done.OldName;
    if (done.NewCreation != done.OldCreation)
        step.Record.NewCreation = done.OldCreation;
    if (done.NewAccess != done.OldAccess)
        step.Record.NewAccess = done.OldAccess;
    if (done.NewWrite != done.OldWrite)
        step.Record.NewWrite = done.OldWrite;

    std::wstring changed;
    const auto note = [&changed](const wchar_t* what) {
        changed += (changed.empty() ? L"" : L", ") + std::wstring(what);
    };
    if (now.Name != done.NewName && now.Name != done.OldName)
        note(L"nom");
    if (!EitherOf(now.Creation, done.NewCreation, done.OldCreation))
        note(L"date de création");
    if (!EitherOf(now.Write, done.NewWrite, done.OldWrite))
        note(L"date de modification");
    const uint32_t checked = kWritableAttributes & ~kArchive;
    const uint32_t attributesNow = now.Attributes & kWritableAttributes;
    const uint32_t attributesBefore = done.OldAttributes & kWritableAttributes;
    if ((attributesNow & checked) != (attributesBefore & checked)) {
        if ((attributesNow & checked) == 0) {
            step.Attributes = attributesBefore;
            // Noted as the batch should have left them, so that undoing this undo keeps them.
            step.Record.OldAttributes = (now.Attributes & ~kWritableAttributes) | attributesBefore;
        } else if (evenIfChanged) {
            const uint32_t back = (attributesNow & ~kUserAttributes) | (attributesBefore & kUserAttributes);
            if (back != attributesNow)
                step.Attributes = back;
        } else {
            note(L"attributs");
        }
    }
    if (!changed.empty() && !evenIfChanged) {
        step.Check = UndoCheck::ChangedSince;
        step.WhatChanged = changed;
        step.Attributes.reset();
        return step;
    }
    step.Check =
        ChangesNothing(step.Record) && !step.Attributes ? UndoCheck::AlreadyAsBefore : UndoCheck::Restore;
    return step;
}
