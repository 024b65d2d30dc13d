// The lazily planned preview.
#include "batch/BatchPreview.h"

#include "base/TimeText.h"

#include <utility>

BatchPreview::BatchPreview(BatchFiles files, JournalledWork::Planner plan)
    : files_(std::move(files)), ownName_(ShownName(BatchFiles{files_.Folder, {}, {L""}}, 0)),
      plan_(std::move(plan)) {
    rows_.resize(files_.Names.size());
    tally_.Total = files_.Names.size();
}

const PreviewRow& BatchPreview::Row(size_t index) {
    std::optional<PreviewRow>& row = rows_[index];
    if (row)
        return *row;
    PlannedFile plan;
    try {
        plan = plan_(index, files_.Paths[index]);
    } catch (...) {
        // As the batch itself would count it: left alone, never changed.
        plan = PlannedFile{std::nullopt, FileOutcome::Failed(Failure::Other, L"erreur inattendue")};
    }
    tally_.Add(PreviewKindOf(plan.Record, plan.Refusal));
    row = PreviewRowOf(plan.Record, plan.Refusal, JournalTimeText);
    return *row;
}

bool BatchPreview::PlanMore(size_t count) {
    for (; count > 0 && nextUnplanned_ < rows_.size(); ++nextUnplanned_)
        if (!rows_[nextUnplanned_]) {
            Row(nextUnplanned_);
            --count;
        }
    while (nextUnplanned_ < rows_.size() && rows_[nextUnplanned_])
        ++nextUnplanned_;
    return nextUnplanned_ < rows_.size();
}

std::wstring BatchPreview::Text() {
    while (PlanMore(rows_.size())) {
    }
    std::wstring text = tally_.CountLine() + L"\r\n";
    for (size_t i = 0; i < rows_.size(); ++i) {
        const PreviewRow& row = *rows_[i];
        text += Name(i) + L"\t" + row.Current + L"\t" + row.New + L"\t" + row.Difference + L"\t" +
                row.Remark + L"\r\n";
    }
    return text;
}
