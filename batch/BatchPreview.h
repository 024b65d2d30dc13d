// What a batch would do, file by file, for the "Aperçu" window: each file planned by the batch's
// own planner only when its row is first wanted (a window shows a few rows of a hundred thousand
// at once), the plan kept as its row's texts, and the rest planned a few at a time meanwhile so
// that the count fills in. Nothing changes and nothing is noted in the journal.
#pragma once

#include "batch/BatchWork.h"
#include "batch/PreviewRows.h"
#include "journal/JournalledWork.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class BatchPreview {
public:
    BatchPreview(BatchFiles files, JournalledWork::Planner plan);

    size_t Count() const { return files_.Names.size(); }
    // The file's name as the batch shows it.
    const std::wstring& Name(size_t index) const {
        return files_.Names[index].empty() ? ownName_ : files_.Names[index];
    }
    // The file's row, planned the first time it is asked for; it stays where it is.
    const PreviewRow& Row(size_t index);
    // Plans up to `count` more files not planned yet, in order; false once every file is.
    bool PlanMore(size_t count);
    bool Complete() const { return tally_.Planned() == Count(); }
    const PreviewTally& Tally() const { return tally_; }

    // The count line, then a line per file (name and its four texts, tab-separated), every file
    // planned first.
    std::wstring Text();

private:
    BatchFiles files_;
    // How the batch's own folder, among its targets, is shown.
    std::wstring ownName_;
    JournalledWork::Planner plan_;
    std::vector<std::optional<PreviewRow>> rows_;
    // Every file before it is planned.
    size_t nextUnplanned_ = 0;
    PreviewTally tally_;
};
