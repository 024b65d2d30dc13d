// The choices of undo, apart from the platform.
#include "operations/UndoPlan.h"

#include <set>

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

std::vector<JournalFile> FilesToUndo(const JournalBatch& batch) {
    std::vector<JournalFile> files;
    std::set<std::wstring> seen;
    for (auto file = batch.Files.rbegin(); file != batch.Files.rend(); ++file)
        if (seen.insert(file->OldName).second)
            files.push_back(*file);
    return files;
}

bool IsUndone(const JournalContents& contents, size_t index) {
    const uint64_t id = contents.Batches[index].Id;
    for (size_t later = index + 1; later < contents.Batches.size(); ++later)
        if (contents.Batches[later].Undoes == id && contents.Batches[later].Finished)
            return true;
    return false;
}

std::optional<size_t> NextToUndo(const JournalContents& contents) {
    for (size_t i = contents.Batches.size(); i-- > 0;)
        if (contents.Batches[i].Undoes == 0 && !contents.Batches[i].Files.empty() && !IsUndone(contents, i))
            return i;
    return std::nullopt;
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
