// The journal written ahead of each file of a batch, and the plans of each operation and of undo.
#include "operations/JournalledWork.h"

#include "base/FileTimeTicks.h"
#include "base/TextHelpers.h"
#include "operations/ApiPath.h"
#include "operations/CaseRenamer.h"
#include "operations/FileNameCase.h"
#include "operations/PerFileFrame.h"
#include "operations/PhotoDate.h"
#include "operations/SystemFailure.h"

#include <windows.h>

#include <algorithm>
#include <functional>

namespace {

// The most files one journal write plans ahead. Few at first, so that a batch stopped at once
// leaves few files noted that it never reached; more later, so that a long batch flushes seldom.
constexpr size_t kMostAhead = 1024;

// The attributes a program may set on a file.
constexpr uint32_t kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                         FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The folder part of a path or of a batch's name, with its final separator, and the name in it.
// A batch that reaches into subfolders names its files relative to its folder ("sub\\a.jpg").
std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring LeafOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The new value of the file's stamp `bit` (kStampCreation...), from the file as it is now and that
// stamp's value; none when its volume cannot hold it.
using NextStamp = std::function<std::optional<uint64_t>(const FileNow& now, int bit, uint64_t current)>;

// A plan of the stamps of `mask`, each given by `next`; the file is refused when one cannot be held.
PlannedFile PlanEachStamp(const std::wstring& path, const std::wstring& name, int mask,
                          const NextStamp& next) {
    PlannedFile plan;
    const std::optional<FileNow> now = ReadFileNow(path, name, plan.Refusal);
    if (!now || mask < 1 || mask > 7)
        return plan; // the work refuses a bad mask
    JournalFile record = UnchangedRecord(*now);
    for (const auto& [bit, stamp] :
         {std::pair{kStampCreation, &record.NewCreation}, std::pair{kStampLastWrite, &record.NewWrite},
          std::pair{kStampLastAccess, &record.NewAccess}}) {
        if (!(mask & bit))
            continue;
        const std::optional<uint64_t> value = next(*now, bit, *stamp);
        if (!value) {
            plan.Refusal = FileOutcome::Failed(Failure::DateOutOfRange);
            return plan;
        }
        *stamp = *value;
    }
    if (!ChangesNothing(record))
        plan.Record = std::move(record);
    return plan;
}

// A plan of the file's stamps: `stamp` in each stamp of `mask`.
PlannedFile PlanStamps(const std::wstring& path, const std::wstring& name, std::optional<uint64_t> stamp,
                       int mask) {
    return PlanEachStamp(path, name, mask, [stamp](const FileNow&, int, uint64_t) { return stamp; });
}

} // namespace

std::optional<FileNow> ReadFileNow(const std::wstring& path, const std::wstring& name, FileOutcome& why) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(ApiPath(path).c_str(), GetFileExInfoStandard, &data)) {
        why = FailureOfLastError();
        return std::nullopt;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        why = FileOutcome::Failed(Failure::Other, L"dossier et non fichier");
        return std::nullopt;
    }
    return FileNow{name, data.dwFileAttributes, FileTimeTicks(data.ftCreationTime),
                   FileTimeTicks(data.ftLastAccessTime), FileTimeTicks(data.ftLastWriteTime)};
}

JournalledWork::JournalledWork(JournalBatchWriter* journal, std::vector<std::wstring> paths, Planner plan,
                               Work work)
    : journal_(journal), paths_(std::move(paths)), plan_(std::move(plan)), work_(std::move(work)) {}

FileOutcome JournalledWork::operator()(const std::wstring& path) {
    const size_t index = next_++;
    const bool journalOk = !journal_ || journal_->Ok();
    if (index >= planFrom_ + plans_.size() && journalOk) {
        planFrom_ = index;
        PlanAhead();
    }
    if (journal_ && !journal_->Ok())
        return FileOutcome::Failed(Failure::NotJournalled, journal_->Error());
    if (index < planFrom_ || index >= planFrom_ + plans_.size())
        return FileOutcome::Failed(Failure::Other, L"erreur inattendue");
    const PlannedFile& plan = plans_[index - planFrom_];
    if (!plan.Refusal)
        return plan.Refusal;
    FileOutcome outcome = work_(index, path, plan);
    if (journal_ && plan.Record && outcome && !outcome.Remarks().empty())
        NoteKept(*plan.Record);
    return outcome;
}

bool JournalledWork::PlanAhead() {
    plans_.clear();
    const size_t end = std::min(paths_.size(), planFrom_ + aheadCount_);
    aheadCount_ = std::min(aheadCount_ * 2, kMostAhead);
    for (size_t i = planFrom_; i < end; ++i) {
        try {
            plans_.push_back(plan_(i, paths_[i]));
        } catch (...) {
            PlannedFile refused;
            refused.Refusal = FileOutcome::Failed(Failure::Other, L"erreur inattendue");
            plans_.push_back(std::move(refused));
        }
        if (journal_ && plans_.back().Record)
            journal_->Add(*plans_.back().Record);
    }
    return !journal_ || journal_->Commit();
}

void JournalledWork::NoteKept(const JournalFile& planned) {
    FileOutcome why;
    const std::optional<FileNow> now =
        ReadFileNow(FolderOf(paths_[next_ - 1]) + LeafOf(planned.NewName), planned.NewName, why);
    if (!now)
        return;
    JournalFile kept = planned;
    kept.NewCreation = now->Creation;
    kept.NewAccess = now->Access;
    kept.NewWrite = now->Write;
    if (kept != planned)
        journal_->Add(kept);
}

std::wstring StampNames(int mask) {
    std::wstring names;
    for (const auto& [bit, name] :
         {std::pair{kStampCreation, L"Créé"}, std::pair{kStampLastWrite, L"Modifié"},
          std::pair{kStampLastAccess, L"Accédé"}})
        if (mask & bit)
            names += (names.empty() ? L"" : L", ") + std::wstring(name);
    return names;
}

JournalledWork::Planner PlanDateTime(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                     const CivilTime& local, int actionMask) {
    return [&stamping, names, local, actionMask](size_t index, const std::wstring& path) {
        if (actionMask < 1 || actionMask > 7)
            return PlannedFile{}; // the work refuses it
        return PlanStamps(path, names[index], stamping.StampOf(path, local), actionMask);
    };
}

JournalledWork::Planner PlanTimeZero(const FileStamping& stamping, const std::vector<std::wstring>& names) {
    return [&stamping, names](size_t index, const std::wstring& path) {
        return PlanStamps(path, names[index], stamping.StampOf(path, stamping.TodayMidnight()),
                          kStampCreation | kStampLastWrite | kStampLastAccess);
    };
}

JournalledWork::Planner PlanShift(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                  const DateShift& shift, int actionMask) {
    return [&stamping, names, shift, actionMask](size_t index, const std::wstring& path) {
        return PlanEachStamp(path, names[index], actionMask, [&](const FileNow&, int, uint64_t current) {
            return stamping.ShiftedStamp(path, current, shift);
        });
    };
}

JournalledWork::Planner PlanCopyStamp(const std::vector<std::wstring>& names, int sourceBit, int targetMask) {
    return [names, sourceBit, targetMask](size_t index, const std::wstring& path) {
        return PlanEachStamp(path, names[index], targetMask & ~sourceBit,
                             [sourceBit](const FileNow& now, int, uint64_t) {
                                 return std::optional(sourceBit == kStampCreation    ? now.Creation
                                                      : sourceBit == kStampLastWrite ? now.Write
                                                                                     : now.Access);
                             });
    };
}

JournalledWork::Planner PlanFixedStamps(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                        const FileStamps& stamps, int mask) {
    return [&stamping, names, stamps, mask](size_t index, const std::wstring& path) {
        return PlanEachStamp(path, names[index], mask, [&](const FileNow&, int bit, uint64_t) {
            const FILETIME& given = bit == kStampCreation    ? stamps.Creation
                                    : bit == kStampLastWrite ? stamps.LastWrite
                                                             : stamps.LastAccess;
            return stamping.HoldableTicks(path, FileTimeTicks(given));
        });
    };
}

JournalledWork::Planner PlanPhotoDate(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                      int mask) {
    return [&stamping, names, mask](size_t index, const std::wstring& path) {
        PlannedFile plan;
        const std::optional<uint64_t> taken = PhotoTakenStamp(stamping, path, plan.Refusal);
        if (!taken)
            return plan;
        return PlanStamps(path, names[index], taken, mask);
    };
}

JournalledWork::Work WritePlannedStamps(const FileStamping& stamping, int mask) {
    return [&stamping, mask](size_t, const std::wstring& path, const PlannedFile& plan) {
        if (!plan.Record)
            return mask >= 1 && mask <= 7 ? FileOutcome()
                                          : FileOutcome::Failed(Failure::Other, L"aucune date choisie");
        FileStamps stamps;
        stamps.Creation = FileTimeOfTicks(plan.Record->NewCreation);
        stamps.LastAccess = FileTimeOfTicks(plan.Record->NewAccess);
        stamps.LastWrite = FileTimeOfTicks(plan.Record->NewWrite);
        return stamping.FileSetStamps(path, stamps, mask);
    };
}

JournalledWork::Planner PlanNameCase(const std::vector<std::wstring>& names, NameCase form) {
    return [names, form](size_t index, const std::wstring& path) {
        PlannedFile plan;
        const std::optional<FileNow> now = ReadFileNow(path, names[index], plan.Refusal);
        if (!now)
            return plan;
        JournalFile record = UnchangedRecord(*now);
        // Only the file's own name: the subfolders it lies in keep theirs.
        record.NewName = FolderOf(record.OldName) +
                         ConvertNameCase(LeafOf(record.OldName), form, SystemUpper, SystemLower);
        if (!ChangesNothing(record))
            plan.Record = std::move(record);
        return plan;
    };
}

UndoFiles UndoFilesOf(JournalBatch batch) {
    std::wstring folder = WithTrailingBackslash(batch.Folder);
    UndoFiles undo{std::move(folder),
                   std::make_shared<const std::vector<JournalFile>>(FilesToUndo(std::move(batch))),
                   {},
                   {}};
    undo.Paths.reserve(undo.Files->size());
    undo.Names.reserve(undo.Files->size());
    for (const JournalFile& file : *undo.Files) {
        undo.Paths.push_back(undo.Folder + file.NewName);
        undo.Names.push_back(file.NewName);
    }
    return undo;
}

JournalledWork::Planner PlanUndo(const std::wstring& folder, UndoRecords files, bool evenIfChanged) {
    return [folder, files, evenIfChanged](size_t index, const std::wstring&) {
        const JournalFile& done = (*files)[index];
        PlannedFile plan;
        // The file bears the batch's name, or its old one again, or (changed since) another case.
        std::wstring name = done.NewName;
        if (done.OldName != done.NewName) {
            const std::wstring within = FolderOf(done.NewName);
            std::vector<std::wstring> names = NamesEqualIgnoringCase(folder + within, LeafOf(done.NewName));
            for (std::wstring& found : names)
                found.insert(0, within);
            const auto has = [&names](const std::wstring& wanted) {
                return std::find(names.begin(), names.end(), wanted) != names.end();
            };
            if (names.empty()) {
                plan.Refusal = FileOutcome::Failed(Failure::NotFound);
                return plan;
            }
            if (has(done.NewName))
                name = done.NewName;
            else if (has(done.OldName))
                name = done.OldName;
            else if (names.size() == 1)
                name = names.front();
            else {
                plan.Refusal = FileOutcome::Failed(Failure::CaseTwin, L"« " + names.front() + L" »");
                return plan;
            }
        }
        const std::optional<FileNow> now = ReadFileNow(folder + name, name, plan.Refusal);
        if (!now)
            return plan;
        UndoStep step = PlanUndoOf(done, *now, evenIfChanged);
        if (step.Check == UndoCheck::ChangedSince)
            plan.Refusal = FileOutcome::Failed(Failure::ChangedSince, step.WhatChanged);
        else if (step.Check == UndoCheck::Restore ||
                 (now->Attributes & kSettableAttributes) != (done.OldAttributes & kSettableAttributes))
            plan.Record = std::move(step.Record);
        return plan;
    };
}

JournalledWork::Work UndoWork(const FileStamping& stamping, const std::wstring& folder, UndoRecords files) {
    return [&stamping, folder, files](size_t index, const std::wstring&, const PlannedFile& plan) {
        if (!plan.Record)
            return FileOutcome(); // already as it was
        const JournalFile& back = *plan.Record;
        FileOutcome outcome = PerFileFrame::Run(folder + back.OldName, [&](PerFileFrame& frame) {
            if (back.OldName != back.NewName) {
                const CaseRenamer::Result renamed = CaseRenamer().Rename(
                    frame.Path(), [&back](std::wstring_view) { return LeafOf(back.NewName); });
                if (!renamed.Outcome)
                    return renamed.Outcome;
                frame.MovedTo(renamed.Path);
            }
            const int mask = (back.NewCreation != back.OldCreation ? kStampCreation : 0) |
                             (back.NewWrite != back.OldWrite ? kStampLastWrite : 0) |
                             (back.NewAccess != back.OldAccess ? kStampLastAccess : 0);
            if (mask == 0)
                return FileOutcome();
            FileStamps stamps;
            stamps.Creation = FileTimeOfTicks(back.NewCreation);
            stamps.LastAccess = FileTimeOfTicks(back.NewAccess);
            stamps.LastWrite = FileTimeOfTicks(back.NewWrite);
            return stamping.WriteStamps(frame.Path(), stamps, mask);
        });
        // The frame put back the attributes it found; the batch's are those from before.
        const uint32_t before = (*files)[index].OldAttributes & kSettableAttributes;
        if (outcome && (back.OldAttributes & kSettableAttributes) != before &&
            !::SetFileAttributesW(ApiPath(folder + back.NewName).c_str(),
                                  before ? before : FILE_ATTRIBUTE_NORMAL))
            outcome.AddRemark(L"attributs non rétablis");
        return outcome;
    };
}
