// A batch's front with no window: every file run in order on the caller's thread, no question
// asked (a journal that cannot be written stops the batch), nothing shown.
#pragma once

#include "batch/BatchRun.h"

#include <string>
#include <vector>

class PlainBatchFront : public BatchFront {
public:
    bool GoOnWithoutJournal(const std::wstring&) override { return false; }
    std::vector<FileOutcome> RunFiles(const BatchFiles& files, const PerFile& perFile,
                                      JournalBatchWriter*) override {
        std::vector<FileOutcome> outcomes;
        for (const std::wstring& path : files.Paths)
            outcomes.push_back(perFile(path));
        return outcomes;
    }
    void JournalNotFinished(const std::wstring&) override {}
};
