// The plans of each operation and of undo: what each file is now and what it is to become, for the
// journal to note before the file changes, and the per-file work that then changes it as planned.
#pragma once

#include "journal/JournalledWork.h"
#include "journal/UndoPlan.h"
#include "operations/CaseRenamer.h"
#include "operations/FileOutcome.h"
#include "operations/FileStamping.h"
#include "operations/DateShift.h"
#include "readers/NameDate.h"
#include "operations/NameCase.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The file or folder at `path` as it is now, named `name`; none, with the platform's error, when
// it cannot be read.
std::optional<FileNow> ReadFileNow(const std::wstring& path, const std::wstring& name, FileOutcome& why);
// The file at `path` with its name as stored (without its folder); none when it cannot be read.
std::optional<FileNow> ReadFileAsStored(const std::wstring& path);

// The new value of the file's stamp `which`, from the file as it is now and that stamp's value;
// none when its volume cannot hold it.
using NextStamp = std::function<std::optional<uint64_t>(const FileNow& now, Stamp which, uint64_t current)>;
// A plan of the stamps of `chosen` of the file as it is `now`, each given by `next`; the file is
// refused when one cannot be held.
PlannedFile PlanEachStamp(const FileNow& now, StampSet chosen, const NextStamp& next);

// The planners of the five operations. `names` are the file names of the batch's paths.
JournalledWork::Planner PlanDateTime(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                     const CivilTime& local, StampSet stamps);
// The chosen stamps to one exact UTC instant ("Date-Heure" given with its offset from UTC); every
// file is refused as out of range when there is no such stamp.
JournalledWork::Planner PlanInstant(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                    std::optional<uint64_t> instant, StampSet stamps);
JournalledWork::Planner PlanTimeZero(const FileStamping& stamping, const std::vector<std::wstring>& names);
JournalledWork::Planner PlanShift(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                  const DateShift& shift, StampSet stamps);
JournalledWork::Planner PlanCopyStamp(const std::vector<std::wstring>& names, Stamp source, StampSet targets);
// Each file's stamps of `chosen` to the given ones ("Dates d'un autre fichier"), or to the date its
// photo was taken ("Date de prise de vue").
JournalledWork::Planner PlanFixedStamps(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                        const FileStamps& stamps, StampSet chosen);
JournalledWork::Planner PlanPhotoDate(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                      StampSet chosen);
// The stamps of `chosen` to the date each file's name gives, by `pattern` or the known forms.
JournalledWork::Planner PlanNameDate(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                     std::optional<NamePattern> pattern, StampSet chosen);
// WritePlannedStamps, and the plan's remarks in the report (a second date in the name, a clock time
// skipped or repeated) once the file is changed.
JournalledWork::Work WritePlannedStampsTold(const FileStamping& stamping, StampSet chosen);
// PlanShift on the photos of the camera named `camera` (see CameraMatches); the others are left
// alone, "autre appareil (NOM)" or "aucun appareil indiqué". Each file's plan is grouped under its
// camera's name.
JournalledWork::Planner PlanCameraShift(const FileStamping& stamping, const std::vector<std::wstring>& names,
                                        const std::wstring& camera, const DateShift& shift, StampSet stamps);
// Writes the stamps of `chosen` that the plan's record holds, exactly: for the operations whose
// plan already found each file's stamp.
JournalledWork::Work WritePlannedStamps(const FileStamping& stamping, StampSet chosen);
// "Dater les dossiers d'après leur contenu": each folder of `names` (deepest first, as AddFolders
// orders them) to the newest modification time of what it holds, files and folders alike, a
// subfolder this batch dates counting with its planned date. A folder with nothing dated in it is
// left alone ("dossier vide").
JournalledWork::Planner PlanFolderContent(const std::vector<std::wstring>& names);
// A change of letter case plans the temporary name the rename may need, so that the journal holds
// it before the file is moved.
JournalledWork::Planner PlanNameCase(const std::vector<std::wstring>& names, NameCase form);
// Gives each file the name its plan's record holds, through the record's temporary name where the
// platform needs two moves: the work of the name operations.
JournalledWork::Work WritePlannedName();

// Undo of a journalled batch: `files` in the order FilesToUndo gives, in `folder` (ending with its
// separator). Each file is checked against what the batch left (see PlanUndoOf), then given its
// name, stamps and attributes back.
// A batch's undo as a batch of its own sees it: its files in the order they are undone, and their
// paths and names as the batch left them. The planner and the work share the one copy of the
// records, however often they are copied.
using UndoRecords = std::shared_ptr<const std::vector<JournalFile>>;
struct UndoFiles {
    std::wstring Folder; // with its final separator; empty when the names are full paths
    UndoRecords Files;
    std::vector<std::wstring> Paths;
    std::vector<std::wstring> Names;
};
// Takes the batch's records.
UndoFiles UndoFilesOf(JournalBatch batch);
JournalledWork::Planner PlanUndo(const std::wstring& folder, UndoRecords files, bool evenIfChanged);
JournalledWork::Work UndoWork(const FileStamping& stamping, const std::wstring& folder);
