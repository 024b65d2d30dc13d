// The lazily planned preview.
#include "batch/BatchPreview.h"

#include "base/TimeText.h"

#include <windows.h>

#include <algorithm>
#include <utility>

BatchPreview::BatchPreview(BatchFiles files, JournalledWork::Planner plan, std::wstring groupColumn)
    : files_(std::move(files)), groupColumn_(std::move(groupColumn)),
      ownName_(ShownName(BatchFiles{files_.Folder, {}, {L""}}, 0)), plan_(std::move(plan)) {
    rows_.resize(files_.Names.size());
    tally_.Total = files_.Names.size();
}

const PreviewRow& BatchPreview::Row(size_t shown) {
    return Planned(FileAt(shown));
}

const PreviewRow& BatchPreview::Planned(size_t index) {
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
    row = PreviewRowOf(plan.Record, plan.Refusal, JournalTimeText, plan.Remarks);
    row->Group = std::move(plan.Group);
    if (Complete())
        OrderGroups();
    return *row;
}

void BatchPreview::OrderGroups() {
    if (groupColumn_.empty() || !order_.empty())
        return;
    order_.resize(rows_.size());
    for (size_t i = 0; i < order_.size(); ++i)
        order_[i] = i;
    // Files in no group come last; names in the order a user reads them, whatever their case.
    const auto compare = [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                      static_cast<int>(b.size()), TRUE);
    };
    std::stable_sort(order_.begin(), order_.end(), [&](size_t a, size_t b) {
        const std::wstring& groupA = rows_[a]->Group;
        const std::wstring& groupB = rows_[b]->Group;
        if (groupA.empty() != groupB.empty())
            return groupB.empty();
        if (const int byGroup = compare(groupA, groupB); byGroup != CSTR_EQUAL)
            return byGroup == CSTR_LESS_THAN;
        return compare(files_.Names[a], files_.Names[b]) == CSTR_LESS_THAN;
    });
}

bool BatchPreview::PlanMore(size_t count) {
    for (; count > 0 && nextUnplanned_ < rows_.size(); ++nextUnplanned_)
        if (!rows_[nextUnplanned_]) {
            Planned(nextUnplanned_);
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
    for (size_t shown = 0; shown < rows_.size(); ++shown) {
        const PreviewRow& row = *rows_[FileAt(shown)];
        text += Name(shown) + L"\t" + (groupColumn_.empty() ? L"" : row.Group + L"\t") + row.Current + L"\t" +
                row.New + L"\t" + row.Difference + L"\t" + row.Remark + L"\r\n";
    }
    return text;
}
