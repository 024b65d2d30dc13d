// The plans of each operation and of undo: each file's state now and the state asked.
#include "batch/Planners.h"

#include "base/FileTimeTicks.h"
#include "base/FileNameParts.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"
#include "operations/ApiPath.h"
#include "operations/CaseRenamer.h"
#include "operations/FileNameCase.h"
#include "operations/FolderStampKeeper.h"
#include "operations/PerFileFrame.h"
#include "operations/NameStamp.h"
#include "operations/PhotoStamp.h"
#include "readers/CameraName.h"
#include "operations/SystemFailure.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>

namespace {

// The file as it is now; none, with the plan refused for the platform's reason.
std::optional<FileNow> ReadForPlan(const std::wstring& path, const std::wstring& name, PlannedFile& plan) {
    FileOutcome why;
    std::optional<FileNow> now = ReadFileNow(path, name, why);
    if (!now)
        plan.Refusal = why;
    return now;
}

// A plan of the stamps of `chosen`, each given by `next`; the file is refused when one cannot be
// held.
PlannedFile PlanEachStamp(const std::wstring& path, const std::wstring& name, StampSet chosen,
                          const NextStamp& next) {
    PlannedFile plan;
    const std::optional<FileNow> now = ReadForPlan(path, name, plan);
    if (!now)
        return plan;
    return PlanEachStamp(*now, chosen, next);
}

// A plan of the file's stamps: `stamp` in each stamp of `chosen`.
PlannedFile PlanStamps(const std::wstring& path, const std::wstring& name, std::optional<uint64_t> stamp,
                       StampSet chosen) {
    return PlanEachStamp(path, name, chosen, [stamp](const FileNow&, Stamp, uint64_t) { return stamp; });
}

// The plan of `local` in the stamps of `chosen`, with what the preview tells when that clock time
// is skipped or repeated that day. The remark is the same for every file of a folder: it is worked
// out once per folder.
class LocalStampPlanner {
public:
    LocalStampPlanner(const FileStamping& stamping, std::vector<std::wstring> names, const CivilTime& local,
                      StampSet chosen)
        : stamping_(stamping), names_(std::move(names)), local_(local), chosen_(chosen) {}
    PlannedFile operator()(size_t index, const std::wstring& path) {
        if (chosen_.Empty())
            return PlannedFile{}; // the work refuses it
        PlannedFile plan = PlanStamps(path, names_[index], stamping_.StampOf(path, local_), chosen_);
        const std::wstring folder(SplitFileName(path).Folder);
        if (!remarkFolder_ || *remarkFolder_ != folder) {
            remark_ = stamping_.ClockTimeRemarkOf(path, local_);
            remarkFolder_ = folder;
        }
        if (plan.Record && !remark_.empty())
            plan.Remarks.push_back(remark_);
        return plan;
    }

private:
    const FileStamping& stamping_;
    std::vector<std::wstring> names_;
    CivilTime local_;
    StampSet chosen_;
    std::optional<std::wstring> remarkFolder_;
    std::wstring remark_;
};

// What the report says of a rename whose folder's dates could not be put back.
constexpr const wchar_t* kFolderDatesMovedText = L"dates du dossier non rétablies";

} // namespace

PlannedFile PlanEachStamp(const FileNow& now, StampSet chosen, const NextStamp& next) {
    PlannedFile plan;
    if (chosen.Empty())
        return plan; // the work refuses an empty choice
    JournalFile record = UnchangedRecord(now);
    for (const auto& [which, stamp] :
         {std::pair{Stamp::Creation, &record.NewCreation}, std::pair{Stamp::LastWrite, &record.NewWrite},
          std::pair{Stamp::LastAccess, &record.NewAccess}}) {
        if (!chosen.Contains(which))
            continue;
        const std::optional<uint64_t> value = next(now, which, *stamp);
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

std::optional<FileNow> ReadFileNow(const std::wstring& path, const std::wstring& name, FileOutcome& why) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(ApiPath(path).c_str(), GetFileExInfoStandard, &data)) {
        why = FailureOfLastError();
        return std::nullopt;
    }
    return FileNow{name, data.dwFileAttributes, FileTimeTicks(data.ftCreationTime),
                   FileTimeTicks(data.ftLastAccessTime), FileTimeTicks(data.ftLastWriteTime)};
}

std::optional<FileNow> ReadFileAsStored(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const FindHandle find(::FindFirstFileExW(ApiPath(path).c_str(), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
    FileOutcome why;
    return find ? ReadFileNow(path, found.cFileName, why) : std::nullopt;
}

JournalledWork::Planner PlanDateTime(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                     const CivilTime& local, StampSet stamps) {
    return LocalStampPlanner(stamping, names, local, stamps);
}

JournalledWork::Planner PlanInstant(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                    std::optional<uint64_t> instant, StampSet stamps) {
    return [&stamping, names, instant, stamps](size_t index, const std::wstring& path) {
        if (stamps.Empty())
            return PlannedFile{}; // the work refuses it
        return PlanStamps(path, names[index], instant ? stamping.HoldableTicks(path, *instant) : std::nullopt,
                          stamps);
    };
}

JournalledWork::Planner PlanTimeZero(const FileStamping& stamping, const std::vector<std::wstring>& names) {
    // Today as the batch begins, for every file: a batch running past midnight keeps one date,
    // the one its journal holds.
    return LocalStampPlanner(stamping, names, stamping.TodayMidnight(), kAllStamps);
}

JournalledWork::Planner PlanShift(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                  const DateShift& shift, StampSet stamps) {
    return [&stamping, names, shift, stamps](size_t index, const std::wstring& path) {
        return PlanEachStamp(path, names[index], stamps, [&](const FileNow&, Stamp, uint64_t current) {
            return stamping.ShiftedStamp(path, current, shift);
        });
    };
}

JournalledWork::Planner PlanCopyStamp(const std::vector<std::wstring>& names, Stamp source,
                                      StampSet targets) {
    return [names, source, targets](size_t index, const std::wstring& path) {
        return PlanEachStamp(path, names[index], targets.Without(source),
                             [source](const FileNow& now, Stamp, uint64_t) {
                                 return std::optional(source == Stamp::Creation    ? now.Creation
                                                      : source == Stamp::LastWrite ? now.Write
                                                                                   : now.Access);
                             });
    };
}

JournalledWork::Planner PlanFixedStamps(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                        const FileStamps& stamps, StampSet chosen) {
    return [&stamping, names, stamps, chosen](size_t index, const std::wstring& path) {
        return PlanEachStamp(path, names[index], chosen, [&](const FileNow&, Stamp which, uint64_t) {
            const FILETIME& given = which == Stamp::Creation    ? stamps.Creation
                                    : which == Stamp::LastWrite ? stamps.LastWrite
                                                                : stamps.LastAccess;
            return stamping.HoldableTicks(path, FileTimeTicks(given));
        });
    };
}

JournalledWork::Planner PlanPhotoDate(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                      StampSet chosen) {
    return [&stamping, names, chosen](size_t index, const std::wstring& path) {
        PlannedFile plan;
        FileOutcome why;
        const std::optional<TakenStamp> taken = PhotoTakenStampTold(stamping, path, why);
        if (!taken) {
            plan.Refusal = why;
            return plan;
        }
        plan = PlanStamps(path, names[index], taken->Stamp, chosen);
        plan.Remarks = taken->Remarks;
        return plan;
    };
}

JournalledWork::Planner PlanNameDate(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                     std::optional<NamePattern> pattern, StampSet chosen) {
    return [&stamping, names, pattern = std::move(pattern), chosen](size_t index, const std::wstring& path) {
        PlannedFile plan;
        FileOutcome why;
        const std::optional<NameStamp> named = NameDateStamp(stamping, path, pattern, why);
        if (!named) {
            plan.Refusal = why;
            return plan;
        }
        plan = PlanStamps(path, names[index], named->Stamp, chosen);
        plan.Remarks = named->Remarks;
        return plan;
    };
}

JournalledWork::Work WritePlannedStampsTold(const FileStamping& stamping, StampSet chosen) {
    return [write = WritePlannedStamps(stamping, chosen)](size_t index, const std::wstring& path,
                                                          const PlannedFile& plan) {
        FileOutcome outcome = write(index, path, plan);
        if (outcome && plan.Record)
            for (const std::wstring& remark : plan.Remarks)
                outcome.AddRemark(remark);
        return outcome;
    };
}

JournalledWork::Planner PlanCameraShift(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                        const std::wstring& camera, const DateShift& shift, StampSet stamps) {
    return [shifted = PlanShift(stamping, names, shift, stamps), camera](size_t index,
                                                                         const std::wstring& path) {
        PlannedFile plan;
        FileOutcome why;
        const std::optional<ExifCamera> found = PhotoCamera(path, why);
        if (!found) {
            plan.Refusal = why;
            return plan;
        }
        const std::wstring name = CameraNameOf(*found);
        if (CameraMatches(*found, camera))
            plan = shifted(index, path);
        else
            plan.Refusal = FileOutcome::Failed(Failure::Other, L"autre appareil (" + name + L")");
        plan.Group = name;
        return plan;
    };
}

JournalledWork::Work WritePlannedStamps(const FileStamping& stamping, StampSet chosen) {
    return [&stamping, chosen](size_t, const std::wstring& path, const PlannedFile& plan) {
        if (!plan.Record)
            return !chosen.Empty() ? FileOutcome()
                                   : FileOutcome::Failed(Failure::Other, L"aucune date choisie");
        FileStamps stamps;
        stamps.Creation = FileTimeOfTicks(plan.Record->NewCreation);
        stamps.LastAccess = FileTimeOfTicks(plan.Record->NewAccess);
        stamps.LastWrite = FileTimeOfTicks(plan.Record->NewWrite);
        return stamping.FileSetStamps(path, stamps, chosen);
    };
}

JournalledWork::Planner PlanFolderContent(const std::vector<std::wstring>& names) {
    // Each folder's planned date (none: left alone), read by its parent rather than the disk: a
    // folder is planned a little ahead of being dated.
    auto planned = std::make_shared<std::map<std::wstring, std::optional<uint64_t>>>();
    return [names, planned](size_t index, const std::wstring& path) {
        PlannedFile plan;
        const std::wstring& name = names[index];
        const std::optional<FileNow> now = ReadForPlan(path, name, plan);
        if (!now)
            return plan;
        std::optional<uint64_t> newest;
        WIN32_FIND_DATAW data{};
        const FindHandle find(::FindFirstFileExW(ApiPath(WithTrailingBackslash(path) + L"*").c_str(),
                                                 FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                                 FIND_FIRST_EX_LARGE_FETCH));
        if (!find && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
            plan.Refusal = FailureOfLastError();
            return plan;
        }
        if (find) {
            do {
                const std::wstring_view entry = data.cFileName;
                if (entry == L"." || entry == L"..")
                    continue;
                uint64_t stamp = FileTimeTicks(data.ftLastWriteTime);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    const auto sub = planned->find(name + data.cFileName + L'\\');
                    if (sub != planned->end() && !sub->second)
                        continue; // left alone itself: its date tells nothing of what it holds
                    if (sub != planned->end())
                        stamp = *sub->second;
                }
                newest = std::max(newest.value_or(0), stamp);
            } while (::FindNextFileW(find.Get(), &data));
        }
        (*planned)[name] = newest;
        if (!newest) {
            plan.Refusal = FileOutcome::Failed(Failure::Other, L"dossier vide");
            return plan;
        }
        JournalFile record = UnchangedRecord(*now);
        record.NewWrite = *newest;
        if (!ChangesNothing(record))
            plan.Record = std::move(record);
        return plan;
    };
}

JournalledWork::Planner PlanNameCase(const std::vector<std::wstring>& names, NameCase form) {
    return [names, form](size_t index, const std::wstring& path) {
        PlannedFile plan;
        const std::optional<FileNow> now = ReadForPlan(path, names[index], plan);
        // A folder among the targets keeps its name.
        if (!now || (now->Attributes & FILE_ATTRIBUTE_DIRECTORY))
            return plan;
        JournalFile record = UnchangedRecord(*now);
        // Only the file's own name: the subfolders it lies in keep theirs.
        record.NewName = SplitFileName(record.OldName).Folder +
                         ConvertNameCase(SplitFileName(record.OldName).Name, form, SystemUpper, SystemLower);
        if (ChangesNothing(record))
            return plan;
        record.TemporaryName = NextTemporaryName();
        plan.Record = std::move(record);
        return plan;
    };
}

JournalledWork::Work WritePlannedName() {
    return [](size_t, const std::wstring& path, const PlannedFile& plan) {
        // A name already as asked is still looked at: beside a twin differing only in case, the
        // user must learn that neither could be renamed.
        if (!plan.Record)
            return CaseRenamer()
                .Rename(path, [](std::wstring_view name) { return std::wstring(name); })
                .Outcome;
        const JournalFile& record = *plan.Record;
        return PerFileFrame::Run(path, [&record](PerFileFrame& frame) {
            const FolderStampKeeper folderDates(frame.Path());
            const CaseRenamer::Result result = CaseRenamer().Rename(
                frame.Path(), [&record](std::wstring_view) { return SplitFileName(record.NewName).Name; },
                record.TemporaryName);
            frame.MovedTo(result.Path);
            FileOutcome outcome = result.Outcome;
            if (!folderDates.PutBack())
                outcome.AddRemark(kFolderDatesMovedText);
            return outcome;
        });
    };
}

UndoFiles UndoFilesOf(JournalBatch batch) {
    // A batch over several drives names its files by their full paths.
    std::wstring folder = JournalNameRoot(batch.Folder);
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
        // The file bears the batch's name, or its old one again, or (changed since) another case,
        // or, its rename cut short between two moves, the temporary name the batch noted.
        std::wstring name = done.NewName;
        bool underTemporaryName = false;
        if (done.OldName != done.NewName) {
            const std::wstring within = SplitFileName(done.NewName).Folder;
            std::vector<std::wstring> names =
                NamesEqualIgnoringCase(folder + within, SplitFileName(done.NewName).Name);
            for (std::wstring& found : names)
                found.insert(0, within);
            const auto has = [&names](const std::wstring& wanted) {
                return std::find(names.begin(), names.end(), wanted) != names.end();
            };
            if (names.empty() && done.TemporaryName.empty()) {
                plan.Refusal = FileOutcome::Failed(Failure::NotFound);
                return plan;
            }
            if (names.empty()) {
                name = within + done.TemporaryName;
                underTemporaryName = true;
            } else if (has(done.NewName))
                name = done.NewName;
            else if (has(done.OldName))
                name = done.OldName;
            else if (names.size() == 1)
                name = names.front();
            else {
                plan.Refusal = FileOutcome::Failed(Failure::CaseTwin, Quoted(names.front()));
                return plan;
            }
        }
        std::optional<FileNow> now = ReadForPlan(folder + name, name, plan);
        if (!now) {
            if (underTemporaryName)
                plan.Refusal = FileOutcome::Failed(Failure::NotFound);
            return plan;
        }
        // Halfway through the batch's rename, the file is the batch's, as if under its new name.
        if (underTemporaryName)
            now->Name = done.NewName;
        UndoStep step = PlanUndoOf(done, *now, evenIfChanged);
        if (step.Check == UndoCheck::ChangedSince) {
            plan.Refusal = FileOutcome::Failed(Failure::ChangedSince, step.WhatChanged);
        } else if (step.Check == UndoCheck::Restore) {
            plan.Record = std::move(step.Record);
            plan.Attributes = step.Attributes;
        }
        // From the temporary name, one plain move; a change of case may itself need one.
        if (plan.Record && underTemporaryName)
            plan.Record->OldName = name;
        else if (plan.Record && plan.Record->OldName != plan.Record->NewName)
            plan.Record->TemporaryName = NextTemporaryName();
        return plan;
    };
}

JournalledWork::Work UndoWork(const FileStamping& stamping, const std::wstring& folder) {
    return [&stamping, folder](size_t, const std::wstring&, const PlannedFile& plan) {
        if (!plan.Record)
            return FileOutcome::AlreadyAsBefore();
        const JournalFile& back = *plan.Record;
        // A rename moves the folder's dates; the undo puts them back as the batch did.
        std::optional<FolderStampKeeper> folderDates;
        if (back.OldName != back.NewName)
            folderDates.emplace(folder + back.OldName);
        FileOutcome outcome = PerFileFrame::Run(folder + back.OldName, [&](PerFileFrame& frame) {
            if (!EqualIgnoringCase(back.OldName, back.NewName)) {
                // Planned so only for a file found under the temporary name of a rename cut short.
                const std::wstring to = folder + back.NewName;
                const FileOutcome moved = CaseRenamer().FromTemporaryName(frame.Path(), to);
                if (!moved)
                    return moved;
                frame.MovedTo(to);
            } else if (back.OldName != back.NewName) {
                const CaseRenamer::Result renamed = CaseRenamer().Rename(
                    frame.Path(), [&back](std::wstring_view) { return SplitFileName(back.NewName).Name; },
                    back.TemporaryName);
                if (!renamed.Outcome)
                    return renamed.Outcome;
                frame.MovedTo(renamed.Path);
            }
            StampSet changed;
            if (back.NewCreation != back.OldCreation)
                changed.Include(Stamp::Creation);
            if (back.NewWrite != back.OldWrite)
                changed.Include(Stamp::LastWrite);
            if (back.NewAccess != back.OldAccess)
                changed.Include(Stamp::LastAccess);
            if (changed.Empty())
                return FileOutcome();
            FileStamps stamps;
            stamps.Creation = FileTimeOfTicks(back.NewCreation);
            stamps.LastAccess = FileTimeOfTicks(back.NewAccess);
            stamps.LastWrite = FileTimeOfTicks(back.NewWrite);
            return stamping.WriteStamps(frame.Path(), stamps, changed);
        });
        if (folderDates && !folderDates->PutBack())
            outcome.AddRemark(kFolderDatesMovedText);
        // The frame put back the attributes it found; those the batch left cleared come back now.
        if (outcome && plan.Attributes &&
            !::SetFileAttributesW(ApiPath(folder + back.NewName).c_str(),
                                  *plan.Attributes ? *plan.Attributes : FILE_ATTRIBUTE_NORMAL))
            outcome.AddRemark(L"attributs non rétablis");
        return outcome;
    };
}
