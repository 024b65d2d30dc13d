// The choices of undo, apart from the platform.
#include "operations/UndoPlan.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

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
    return std::move(files);
}

namespace {

// One of the two values a batch leaves: what it set, or what was there before (not reached, or
// already put back).
bool EitherOf(uint64_t now, uint64_t set, uint64_t before) {
    return now == set || now == before;
}

} // namespace

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
    if (!changed.empty() && !evenIfChanged) {
        step.Check = UndoCheck::ChangedSince;
        step.WhatChanged = changed;
        return step;
    }
    step.Check = ChangesNothing(step.Record) ? UndoCheck::AlreadyAsBefore : UndoCheck::Restore;
    return step;
}
