// Tally and report rows of a batch.
#include "operations/BatchReport.h"

#include "base/TextHelpers.h"

namespace {

std::wstring Counted(size_t count, std::wstring_view words) {
    const auto n = static_cast<int64_t>(count);
    return std::to_wstring(count) + PluralWord(words, n);
}

} // namespace

void BatchReport::Add(std::wstring name, const FileOutcome& outcome) {
    if (!outcome.Done()) {
        ++notChanged_;
        rows_.push_back({std::move(name), L"non modifié", outcome.ReasonText()});
        return;
    }
    if (outcome.WasAlreadyAsBefore()) {
        ++alreadyAsBefore_;
        return;
    }
    if (outcome.WasAlreadyAsAsked()) {
        ++alreadyAsAsked_;
        return;
    }
    ++changed_;
    if (outcome.Remarks().empty())
        return;
    ++withRemark_;
    rows_.push_back({std::move(name), L"modifié, avec remarque", outcome.ReasonText()});
}

std::wstring BatchReport::CountLine() const {
    std::wstring line =
        Counted(changed_, L" fichier") + PluralWord(L" modifié", static_cast<int64_t>(changed_));
    if (notChanged_ > 0)
        line += L", " + Counted(notChanged_, L" non modifié");
    if (withRemark_ > 0)
        line += L", " + std::to_wstring(withRemark_) + L" avec remarque";
    if (alreadyAsAsked_ > 0)
        line += L", " + std::to_wstring(alreadyAsAsked_) + L" " + kAlreadyAsAskedText;
    if (alreadyAsBefore_ > 0)
        line += L", " + std::to_wstring(alreadyAsBefore_) + L" " + kAlreadyAsBeforeText;
    if (notReached_ > 0)
        line += L", " + Counted(notReached_, L" non traité") + L" (opération arrêtée)";
    return line;
}

std::wstring BatchReport::Text() const {
    std::wstring text = CountLine() + L"\r\n";
    for (const BatchReportRow& row : rows_)
        text += row.Name + L"\t" + row.Result + L"\t" + row.Reason + L"\r\n";
    return text;
}
