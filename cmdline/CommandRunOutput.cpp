// The lines of each file of a command-line run: the human line on the console (and the log), and
// its CSV line when asked. The CSV's name and stamps before and after are read from the disk, or,
// in a dry run, taken from the plan of what would be written.
#include "cmdline/CommandRun.h"

#include "base/FileNameParts.h"
#include "batch/Planners.h"
#include "batch/PlannedChangeText.h"

namespace {

// The file as its plan found it, or, `after`, as the plan would leave it: name and stamps.
FileNow PlannedNow(const JournalFile& record, bool after) {
    return FileNow{SplitFileName(after ? record.NewName : record.OldName).Name, record.OldAttributes,
                   after ? record.NewCreation : record.OldCreation,
                   after ? record.NewAccess : record.OldAccess, after ? record.NewWrite : record.OldWrite};
}

std::wstring ResultWord(const FileOutcome& outcome) {
    if (!outcome.Done())
        return L"non modifié";
    if (outcome.WasAlreadyAsAsked())
        return kAlreadyAsAskedText;
    if (outcome.WasAlreadyAsBefore())
        return kAlreadyAsBeforeText;
    return L"modifié";
}

} // namespace

void CommandRun::TellPlanned(const BatchFiles& files, size_t index, const PlannedOutcome& planned,
                             LocalTimeConverter& toLocal) {
    const std::wstring name = ShownName(files, index);
    BatchCsvRow row{files.Paths[index]};
    if (planned.Refusal) {
        ++refused_;
        out_.WriteErrorLine(name + L" : non modifié : " + planned.Refusal->ReasonText());
        row.Result = L"non modifié";
        row.Reason = planned.Refusal->ReasonText();
    } else if (planned.Record) {
        ++wouldChange_;
        const std::wstring change =
            PlannedChangeText(*planned.Record, [&toLocal](uint64_t ticks) { return toLocal.ToLocal(ticks); });
        const bool renamed = planned.Record->OldName != planned.Record->NewName;
        out_.WriteDetail(renamed ? change : name + L" : " + change);
        row.Result = L"serait modifié";
        row.Before = PlannedNow(*planned.Record, false);
        row.After = PlannedNow(*planned.Record, true);
    } else {
        ++alreadyDone_;
        out_.WriteDetail(name + L" : " + kAlreadyAsAskedText);
        row.Result = kAlreadyAsAskedText;
    }
    if (!out_.WantsCsv())
        return;
    if (!planned.Record)
        row.After = row.Before = ReadFileAsStored(files.Paths[index]);
    out_.WriteCsvRow(row);
}

void CommandRun::TellDone(const BatchFiles& files, size_t index, const FileOutcome& outcome,
                          const std::optional<FileNow>& before) {
    const std::wstring name = ShownName(files, index);
    if (!outcome.Done())
        out_.WriteErrorLine(name + L" : non modifié : " + outcome.ReasonText());
    else if (!outcome.Remarks().empty())
        out_.WriteDetail(name + L" : remarque : " + outcome.ReasonText());
    else
        out_.WriteDetail(name + L" : " + ResultWord(outcome));
    if (out_.WantsCsv())
        out_.WriteCsvRow({files.Paths[index], ResultWord(outcome),
                          outcome.Done() && outcome.Remarks().empty() ? std::wstring() : outcome.ReasonText(),
                          before, ReadFileAsStored(files.Paths[index])});
}
