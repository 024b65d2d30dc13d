#include "batch/BatchWork.h"

#include "base/ApiPath.h"
#include "base/FileTimeTicks.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"
#include "batch/FromTree.h"
#include "batch/Planners.h"
#include "journal/UndoPlan.h"
#include "base/FileNameParts.h"
#include "listing/FileTimes.h"
#include "operations/PhotoStamp.h"
#include "operations/SystemFailure.h"
#include "readers/CameraName.h"

#include <windows.h>

#include <map>
#include <utility>

namespace {

// A work that needs no plan but the journal's: the file is changed by its per-file function.
template <typename PerFile> JournalledWork::Work Plain(PerFile perFile) {
    return [perFile = std::move(perFile)](size_t, const std::wstring& path, const PlannedFile&) {
        return perFile(path);
    };
}

} // namespace

std::optional<ReferenceFile> ReadReferenceFile(const std::wstring& path, std::wstring& error) {
    const std::wstring full = FullPath(path);
    // One look at the file gives both what it is and its stamps.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(ApiPath(full).c_str(), GetFileExInfoStandard, &data)) {
        error = FailureOfLastError().ReasonText();
        return std::nullopt;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = FileOutcome::Failed(Failure::NotFound).ReasonText();
        return std::nullopt;
    }
    return ReferenceFile{SplitFileName(full).Name, FileTimeTicks(data.ftCreationTime),
                         FileTimeTicks(data.ftLastAccessTime), FileTimeTicks(data.ftLastWriteTime)};
}

std::optional<CameraReference> ReadCameraReference(const std::wstring& path, std::wstring& error) {
    const std::wstring full = FullPath(path);
    FileOutcome why;
    const std::optional<ExifCamera> camera = PhotoCamera(full, why);
    const std::optional<TakenStamp> taken =
        camera ? PhotoTakenStampTold(BatchStamping(), full, why) : std::nullopt;
    if (!taken) {
        error = why.ReasonText();
        return std::nullopt;
    }
    // The camera's own clock reading; an exact instant is shown as this computer's clock read it.
    std::optional<CivilTime> local = taken->Taken.When;
    if (taken->Taken.IsUtc)
        local = LocalTimeConverter(VolumeStampClock(full)).ToLocal(taken->Stamp);
    if (!local) {
        error = FileOutcome::Failed(Failure::DateOutOfRange).ReasonText();
        return std::nullopt;
    }
    local->Millisecond = 0;
    // The name as stored, whatever case the user typed it in.
    const std::optional<FileNow> stored = ReadFileAsStored(full);
    return CameraReference{stored ? stored->Name : SplitFileName(full).Name, CameraNameOf(*camera), *local};
}

void AddFolders(BatchFiles& files, std::vector<std::wstring> reached, bool withOwn) {
    const std::wstring root = JournalNameRoot(files.Folder);
    for (std::wstring& name : FolderNamesDeepestFirst(std::move(reached), withOwn)) {
        files.Paths.push_back(root + name);
        files.Names.push_back(std::move(name));
    }
}

std::wstring ShownName(const BatchFiles& files, size_t index) {
    const std::wstring& name = files.Names[index];
    if (!name.empty())
        return name;
    const std::wstring own = SplitFileName(StripTrailingBackslashes(files.Folder)).Name;
    return own.empty() ? L"." : own + L'\\';
}

BatchWork WorkOf(const BatchRequest& request, const BatchFiles& files,
                 std::shared_ptr<const FileStamping> stamping) {
    const std::vector<std::wstring>& names = files.Names;
    const FileStamping& s = *stamping;
    const StampSet stamps = request.Stamps;
    BatchWork work{OperationName(request)};
    switch (request.Operation) {
    case BatchOperation::DateTime: {
        const CivilTime when = request.When;
        if (request.OffsetMinutes) {
            work.Plan = PlanInstant(s, names, ExactStamp(when, *request.OffsetMinutes), stamps);
            work.Work = WritePlannedStamps(s, stamps);
            break;
        }
        work.Plan = PlanDateTime(s, names, when, stamps);
        work.Work = Plain([stamping, when, stamps](const std::wstring& path) {
            return stamping->FileSetDateTime(path, when, stamps);
        });
        break;
    }
    case BatchOperation::TimeZero:
        work.Plan = PlanTimeZero(s, names);
        work.Work = WritePlannedStampsTold(s, kAllStamps);
        break;
    case BatchOperation::Shift: {
        const DateShift shift = request.Shift;
        work.Plan = PlanShift(s, names, shift, stamps);
        work.Work = Plain([stamping, shift, stamps](const std::wstring& path) {
            return stamping->FileShift(path, shift, stamps);
        });
        break;
    }
    case BatchOperation::CameraClock: {
        const DateShift shift = request.Shift;
        work.Plan = PlanCameraShift(s, names, request.Camera, shift, stamps);
        work.Work = Plain([stamping, shift, stamps](const std::wstring& path) {
            return stamping->FileShift(path, shift, stamps);
        });
        work.GroupColumn = L"Appareil";
        break;
    }
    case BatchOperation::CopyStamp: {
        const Stamp source = request.CopySource;
        work.Plan = PlanCopyStamp(names, source, stamps);
        work.Work = Plain([stamping, source, stamps](const std::wstring& path) {
            return stamping->FileCopyStamp(path, source, stamps);
        });
        break;
    }
    case BatchOperation::FromFile: {
        const ReferenceFile& reference = request.Reference;
        const FileStamps given{FileTimeOfTicks(reference.Creation), FileTimeOfTicks(reference.LastAccess),
                               FileTimeOfTicks(reference.LastWrite)};
        work.Plan = PlanFixedStamps(s, names, given, stamps);
        work.Work = WritePlannedStamps(s, stamps);
        break;
    }
    case BatchOperation::PhotoDate:
        work.Plan = PlanPhotoDate(s, names, stamps);
        work.Work = WritePlannedStampsTold(s, stamps);
        break;
    case BatchOperation::NameDate: {
        std::optional<NamePattern> pattern;
        if (!request.NamePattern.empty()) {
            pattern = ParseNamePattern(request.NamePattern);
            if (!pattern) {
                // The front ends check the pattern first; a bad one reaching here changes nothing.
                work.Plan = [](size_t, const std::wstring&) {
                    PlannedFile plan;
                    plan.Refusal = FileOutcome::Failed(Failure::Other, L"modèle de nom invalide");
                    return plan;
                };
                work.Work = WritePlannedStamps(s, stamps);
                break;
            }
        }
        work.Plan = PlanNameDate(s, names, pattern, stamps);
        work.Work = WritePlannedStampsTold(s, stamps);
        break;
    }
    case BatchOperation::Upper:
    case BatchOperation::Lower:
    case BatchOperation::FirstUpper: {
        const NameCase form = request.Operation == BatchOperation::Upper   ? NameCase::Upper
                              : request.Operation == BatchOperation::Lower ? NameCase::Lower
                                                                           : NameCase::FirstUpper;
        work.Plan = PlanNameCase(names, form);
        work.Work = WritePlannedName();
        break;
    }
    case BatchOperation::FromTree:
        work.Plan = PlanFromTree(s, names, request.OtherTree, stamps, request.EvenIfSizeDiffers);
        work.Work = WritePlannedStamps(s, stamps);
        break;
    case BatchOperation::FolderContent:
        work.Plan = PlanFolderContent(names);
        work.Work = WritePlannedStamps(s, StampSet{Stamp::LastWrite});
        break;
    }
    // The planners hold the stamping by reference: the plan keeps it alive as long as itself.
    work.Plan = [stamping, plan = std::move(work.Plan)](size_t index, const std::wstring& path) {
        return plan(index, path);
    };
    return work;
}

PreparedUndo PrepareUndo(const JournalStore& journal, const JournalBatchSummary& chosen, bool evenIfChanged,
                         std::shared_ptr<const FileStamping> stamping) {
    PreparedUndo undo;
    if (RunningBatchMark::IsRunning(journal, chosen.Id)) {
        undo.Refusal = UndoRefusal::StillRunning;
        return undo;
    }
    JournalStore::ReadResult read = journal.ReadBatch(chosen);
    if (!read.Error.empty()) {
        undo.Refusal = UndoRefusal::Unreadable;
        undo.Error = read.Error;
        return undo;
    }
    if (read.Contents.Batches.empty()) {
        undo.Refusal = UndoRefusal::NotFound;
        return undo;
    }
    for (const auto& problem : read.Contents.Problems)
        undo.Problems.push_back(problem.Message);
    UndoFiles files = UndoFilesOf(std::move(read.Contents.Batches.front()));
    undo.Files = BatchFiles{chosen.Folder, std::move(files.Paths), std::move(files.Names)};
    undo.Work.Name = UndoName(chosen.Operation);
    undo.Work.Undoes = chosen.Id;
    undo.Work.Plan = PlanUndo(files.Folder, files.Files, evenIfChanged);
    undo.Work.Work = [stamping, work = UndoWork(*stamping, files.Folder)](
                         size_t index, const std::wstring& path, const PlannedFile& plan) {
        return work(index, path, plan);
    };
    return undo;
}

std::vector<StrandedFile> FilesUnderTemporaryNames(const JournalBatch& batch) {
    // Each folder of the batch is listed once for the temporary names it holds: one look-up per
    // name would read a large folder once per file where the platform matches names ignoring case.
    std::map<std::wstring, std::map<std::wstring, const JournalFile*>> byFolder;
    for (const JournalFile& file : batch.Files)
        if (!file.TemporaryName.empty())
            byFolder[SplitFileName(file.NewName).Folder][file.TemporaryName] = &file;
    std::vector<StrandedFile> found;
    const std::wstring folder = JournalNameRoot(batch.Folder);
    for (const auto& [within, names] : byFolder) {
        WIN32_FIND_DATAW data{};
        FindHandle find(::FindFirstFileExW(ApiPath(folder + within + L"~kavet-*.tmp").c_str(),
                                           FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
        if (!find)
            continue;
        do {
            const auto file = names.find(data.cFileName);
            if (file != names.end())
                found.push_back({folder + within + file->first, file->second->OldName});
        } while (::FindNextFileW(find.Get(), &data));
    }
    return found;
}
