// The journal written ahead of each file of a batch.
#include "journal/JournalledWork.h"

#include <algorithm>

namespace {

// The most files one journal write plans ahead. Few at first, so that a batch stopped at once
// leaves few files noted that it never reached; more later, so that a long batch flushes seldom.
constexpr size_t kMostAhead = 1024;

} // namespace

JournalledWork::JournalledWork(JournalBatchWriter* journal, std::vector<std::wstring> paths, Planner plan,
                               Work work)
    : journal_(journal), paths_(std::move(paths)), plan_(std::move(plan)), work_(std::move(work)) {}

FileOutcome JournalledWork::operator()(const std::wstring& path) {
    const size_t index = next_++;
    const bool journalOk = !journal_ || journal_->Ok();
    if (index >= planFrom_ + plans_.size() && journalOk) {
        planFrom_ = index;
        PlanAhead();
    }
    if (journal_ && !journal_->Ok())
        return FileOutcome::Failed(Failure::NotJournalled, journal_->Error());
    if (index < planFrom_ || index >= planFrom_ + plans_.size())
        return FileOutcome::Failed(Failure::Other, L"erreur inattendue");
    const PlannedFile& plan = plans_[index - planFrom_];
    if (plan.Refusal)
        return *plan.Refusal;
    FileOutcome outcome = work_(index, path, plan);
    // A file the plan found already as asked still goes through its work, which may refuse it (a
    // name beside its twin); done without a word, it is told apart from the files changed.
    if (!plan.Record && !plan.Attributes && outcome && outcome.Remarks().empty() &&
        !outcome.WasAlreadyAsBefore())
        return FileOutcome::AlreadyAsAsked();
    if (journal_ && plan.Record && outcome && outcome.Kept())
        NoteKept(*plan.Record, *outcome.Kept());
    return outcome;
}

bool JournalledWork::PlanAhead() {
    plans_.clear();
    const size_t end = std::min(paths_.size(), planFrom_ + aheadCount_);
    aheadCount_ = std::min(aheadCount_ * 2, kMostAhead);
    for (size_t i = planFrom_; i < end; ++i) {
        try {
            plans_.push_back(plan_(i, paths_[i]));
        } catch (...) {
            PlannedFile refused;
            refused.Refusal = FileOutcome::Failed(Failure::Other, L"erreur inattendue");
            plans_.push_back(std::move(refused));
        }
        if (journal_ && plans_.back().Record)
            journal_->Add(*plans_.back().Record);
    }
    return !journal_ || journal_->Commit();
}

void JournalledWork::NoteKept(const JournalFile& planned, const KeptStamps& read) {
    JournalFile kept = planned;
    kept.NewCreation = read.Creation;
    kept.NewAccess = read.Access;
    kept.NewWrite = read.Write;
    if (kept == planned)
        return;
    // On disk before the next file is touched: after a crash, undo must know the value the file
    // really holds, or it takes the file for one changed since.
    journal_->Add(kept);
    journal_->Commit();
}
