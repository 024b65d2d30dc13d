// The tally of a batch and the rows of its report: every file not done or done with remarks, with
// what happened and why, and the whole as text to copy into a mail.
#pragma once

#include "operations/FileOutcome.h"

#include <cstddef>
#include <string>
#include <vector>

struct BatchReportRow {
    std::wstring Name;
    // "non modifié", or "modifié, avec remarque".
    std::wstring Result;
    std::wstring Reason;
};

class BatchReport {
public:
    // The outcome of the file shown as `name`, in the order the batch did them.
    void Add(std::wstring name, const FileOutcome& outcome);
    // Files the batch never reached because the user stopped it.
    void SetNotReached(size_t count) { notReached_ = count; }

    // Files changed, remarks or not; those an undo found already as before are not among them.
    size_t Changed() const { return changed_; }
    size_t AlreadyAsBefore() const { return alreadyAsBefore_; }
    size_t AlreadyAsAsked() const { return alreadyAsAsked_; }
    size_t NotChanged() const { return notChanged_; }
    size_t WithRemark() const { return withRemark_; }
    size_t NotReached() const { return notReached_; }

    // A file not done or carrying a remark is something the user must be told.
    bool NeedsWindow() const { return notChanged_ > 0 || withRemark_ > 0; }
    // "12 fichiers modifiés, 2 non modifiés, 1 avec remarque, 4 déjà comme demandé, 3 déjà comme
    // avant"; the parts after
    // the first only when they count something.
    std::wstring CountLine() const;
    const std::vector<BatchReportRow>& Rows() const { return rows_; }
    // The count line, then one line per row, its fields separated by tabs.
    std::wstring Text() const;

private:
    size_t changed_ = 0;
    size_t notChanged_ = 0;
    size_t withRemark_ = 0;
    size_t alreadyAsBefore_ = 0;
    size_t alreadyAsAsked_ = 0;
    size_t notReached_ = 0;
    std::vector<BatchReportRow> rows_;
};
