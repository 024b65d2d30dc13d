// What a batch would do, file by file, for the "Aperçu" window: each file planned by the batch's
// own planner only when its row is first wanted (a window shows a few rows of a hundred thousand
// at once), the plan kept as its row's texts, and the rest planned a few at a time meanwhile so
// that the count fills in. Nothing changes and nothing is noted in the journal. A preview that
// groups its files (by camera) shows them in the order of their groups, then of their names, once
// every file is planned.
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
    // `groupColumn`: the title of the column of each plan's Group; empty when the files are not grouped.
    BatchPreview(BatchFiles files, JournalledWork::Planner plan, std::wstring groupColumn = {});

    size_t Count() const { return files_.Names.size(); }
    const std::wstring& GroupColumn() const { return groupColumn_; }
    // The name as the batch shows it of the file shown at `shown`.
    const std::wstring& Name(size_t shown) const {
        const std::wstring& name = files_.Names[FileAt(shown)];
        return name.empty() ? ownName_ : name;
    }
    // The row shown at `shown`, its file planned the first time it is asked for. It stays where it
    // is, except that grouped rows take their order once the last file is planned.
    const PreviewRow& Row(size_t shown);
    // Plans up to `count` more files not planned yet, in order; false once every file is.
    bool PlanMore(size_t count);
    bool Complete() const { return tally_.Planned() == Count(); }
    const PreviewTally& Tally() const { return tally_; }

    // The count line, then a line per file (name, its group when grouped, and its four texts,
    // tab-separated), every file planned first.
    std::wstring Text();

private:
    size_t FileAt(size_t shown) const { return order_.empty() ? shown : order_[shown]; }
    const PreviewRow& Planned(size_t file);
    // Once every file is planned: the grouped rows in order.
    void OrderGroups();

    BatchFiles files_;
    std::wstring groupColumn_;
    // The file shown at each place; empty while in the batch's order.
    std::vector<size_t> order_;
    // How the batch's own folder, among its targets, is shown.
    std::wstring ownName_;
    JournalledWork::Planner plan_;
    std::vector<std::optional<PreviewRow>> rows_;
    // Every file before it is planned.
    size_t nextUnplanned_ = 0;
    PreviewTally tally_;
};
