#include "batch/BatchRun.h"

#include <algorithm>

BatchResult RunBatch(JournalStore& journal, const BatchFiles& files, const BatchWork& work, BatchFront& front,
                     BatchReport& report) {
    BatchResult result;
    if (files.Paths.empty()) {
        result.Ran = true;
        return result;
    }
    std::optional<JournalBatchWriter> writer(std::in_place, journal, work.Name, files.Folder, work.Undoes);
    if (!writer->Ok()) {
        result.JournalFailed = true;
        if (!front.GoOnWithoutJournal(writer->Error()))
            return result;
        writer.reset();
    }
    result.Ran = true;
    JournalBatchWriter* noted = writer ? &*writer : nullptr;
    JournalledWork journalled(noted, files.Paths, work.Plan, work.Work);
    const std::vector<FileOutcome> outcomes = front.RunFiles(
        files, [&journalled](const std::wstring& path) { return journalled(path); }, noted);
    if (writer && writer->Ok() && !writer->Finish()) {
        result.JournalFailed = true;
        front.JournalNotFinished(writer->Error());
    }
    for (size_t i = 0; i < outcomes.size() && i < files.Names.size(); ++i)
        report.Add(ShownName(files, i), outcomes[i]);
    report.SetNotReached(report.NotReached() + files.Paths.size() -
                         std::min(files.Paths.size(), outcomes.size()));
    // A rename that could give a file neither its new name nor its old one back left it under a
    // temporary name: the user must learn which file that is, or it looks lost.
    result.Stranded = TakeStrandedFiles();
    return result;
}

std::vector<PlannedOutcome> PlanBatch(const BatchFiles& files, const BatchWork& work) {
    std::vector<PlannedOutcome> planned;
    for (size_t i = 0; i < files.Paths.size(); ++i) {
        PlannedOutcome outcome;
        try {
            const PlannedFile plan = work.Plan(i, files.Paths[i]);
            outcome.Refusal = plan.Refusal;
            outcome.Changes = !plan.Refusal && plan.Record;
            if (outcome.Changes)
                outcome.Record = plan.Record;
        } catch (...) {
            outcome.Refusal = FileOutcome::Failed(Failure::Other, L"erreur inattendue");
        }
        planned.push_back(std::move(outcome));
    }
    return planned;
}
