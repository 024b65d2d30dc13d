// The run of one batch, the same for the window and the command line: its journal begun, each
// file planned, noted and changed in order, the journal finished, the outcomes tallied and the
// files a rename stranded under a temporary name gathered. What only a front end knows (whether to
// go on without a journal, how to show progress or print each file) it asks through BatchFront.
#pragma once

#include "batch/BatchWork.h"
#include "journal/JournalStore.h"
#include "operations/BatchReport.h"
#include "operations/CaseRenamer.h"
#include "operations/FileOutcome.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class BatchFront {
public:
    using PerFile = std::function<FileOutcome(const std::wstring& path)>;

    virtual ~BatchFront() = default;
    // The journal cannot be written (`error` says why): whether to change the files all the same,
    // without a way back.
    virtual bool GoOnWithoutJournal(const std::wstring& error) = 0;
    // Runs `perFile` on each of the files' paths in order and gives the outcomes of those it
    // reached; fewer when the user stopped the batch. `journal`, when there is one, is the batch's
    // for as long as this runs (so that a session ending can finish it).
    virtual std::vector<FileOutcome> RunFiles(const BatchFiles& files, const PerFile& perFile,
                                              JournalBatchWriter* journal) = 0;
    // The end of the batch could not be noted in the journal.
    virtual void JournalNotFinished(const std::wstring& error) = 0;
};

struct BatchResult {
    // False when nothing ran: the journal could not begin and the front chose not to go on.
    bool Ran = false;
    // The journal could not be written, at the batch's start or its end.
    bool JournalFailed = false;
    // Files left under a temporary name by a rename that could give them neither name.
    std::vector<StrandedFile> Stranded;
};

// Runs `work` on `files`, each outcome added to `report` under the file's name. A batch without
// files runs nothing and stays out of the journal: it has nothing to take back.
BatchResult RunBatch(JournalStore& journal, const BatchFiles& files, const BatchWork& work, BatchFront& front,
                     BatchReport& report);

// What a batch would do to each file, planned only: nothing changes and nothing is noted.
struct PlannedOutcome {
    // The file would be left alone, and why.
    std::optional<FileOutcome> Refusal;
    // The file would change; false (and no refusal) when it is already as asked.
    bool Changes = false;
    // With Changes: the file now and what it would become, as the journal would note it.
    std::optional<JournalFile> Record;
};
std::vector<PlannedOutcome> PlanBatch(const BatchFiles& files, const BatchWork& work);
