// TDirTree: settling the expand buttons of new children in the background. Expansion shows the
// children at once; a worker then looks into each for one subfolder (the ones in view first) and
// the answers add the placeholders the synchronous look would have added.
#include "dirtree/DirTree.h"

#include "base/Locale.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace {

constexpr UINT kProbeStartMessage = WM_APP + 0x21;
constexpr UINT kProbeAnswersMessage = WM_APP + 0x22;

} // namespace

bool TDirTree::CanProbeInBackground() const {
    // The owner's handlers belong to the user-interface thread, and an OnFindDir folder may not
    // exist on disk at all: with either, the look stays on the spot.
    return HandleAllocated() && !OnFindDir && !OnAddDir;
}

bool TDirTree::HandleProbeMessage(UINT msg) {
    if (msg == kProbeStartMessage) {
        probeScheduled_ = false;
        StartProbe();
        return true;
    }
    if (msg == kProbeAnswersMessage) {
        if (probe_) {
            ApplyProbeAnswers(probe_->TakeAnswers());
            if (probe_->Finished())
                StopProbe();
        }
        return true;
    }
    return false;
}

void TDirTree::ScheduleProbe() {
    // Started from the message loop, once the expansion has put the children in view, so that
    // the worker can be given those first.
    if (probeScheduled_ || probePending_.empty() || !HandleAllocated())
        return;
    probeScheduled_ = ::PostMessageW(Handle(), kProbeStartMessage, 0, 0) != FALSE;
    if (!probeScheduled_)
        StartProbe();
}

void TDirTree::StartProbe() {
    StopProbe();
    if (probePending_.empty() || !HandleAllocated())
        return;
    std::vector<std::pair<uint64_t, HTREEITEM>> byTicket;
    byTicket.reserve(probePending_.size());
    for (const auto& [node, pending] : probePending_)
        byTicket.emplace_back(pending.Ticket, node);
    std::sort(byTicket.begin(), byTicket.end());
    if (!CanProbeInBackground()) {
        // The owner set a handler since: its rules decide, on this thread.
        for (const auto& entry : byTicket)
            ProbeSubfolders(entry.second);
        probePending_.clear();
        return;
    }
    std::vector<SubfolderProbe::Job> jobs;
    jobs.reserve(byTicket.size());
    auto addJob = [&](HTREEITEM node) {
        const auto it = probePending_.find(node);
        if (it != probePending_.end())
            jobs.push_back(
                SubfolderProbe::Job{node, it->second.Ticket, it->second.DiskPath, it->second.Path});
    };
    std::unordered_set<HTREEITEM> inView;
    const UINT visible = TreeView_GetVisibleCount(Handle()) + 1; // the partly shown last row too
    HTREEITEM node = TreeView_GetFirstVisible(Handle());
    for (UINT i = 0; node && i < visible; ++i, node = TreeView_GetNextVisible(Handle(), node)) {
        inView.insert(node);
        addJob(node);
    }
    for (const auto& entry : byTicket) {
        if (!inView.count(entry.second))
            addJob(entry.second);
    }
    SubfolderProbe::Filter filter{dirTypes_, goBelowRecycleBin_, &CurrentLocale()};
    auto probe = std::make_unique<SubfolderProbe>(std::move(jobs), filter, Handle(), kProbeAnswersMessage);
    try {
        probe->Start();
    } catch (const std::exception&) {
        // No thread to be had: the look is done here, late but complete.
        for (const auto& entry : byTicket)
            ProbeSubfolders(entry.second);
        probePending_.clear();
        return;
    }
    probe_ = std::move(probe);
}

void TDirTree::StopProbe() {
    if (!probe_)
        return;
    probe_->Terminate();
    probe_->WaitFor();
    const std::unique_ptr<SubfolderProbe> ended = std::move(probe_);
    // Nodes the worker did not reach stay in the record for the caller's next start.
    ApplyProbeAnswers(ended->TakeAnswers());
}

void TDirTree::ApplyProbeAnswers(const std::vector<SubfolderProbe::Answer>& answers) {
    for (const SubfolderProbe::Answer& answer : answers) {
        // An answer counts only for the request it was made for: the node may have been deleted
        // (and its handle reused), read or asked about again since.
        const auto it = probePending_.find(answer.Node);
        if (it == probePending_.end() || it->second.Ticket != answer.Ticket)
            continue;
        probePending_.erase(it);
        const TDirNodeInfo* info = Info(answer.Node);
        if (!info || info->Read || FirstChild(answer.Node))
            continue;
        if (answer.HasSubfolder) {
            AddPlaceholder(answer.Node);
        } else {
            // The button shown while waiting goes.
            RECT rect{};
            if (TreeView_GetItemRect(Handle(), answer.Node, &rect, FALSE))
                ::InvalidateRect(Handle(), &rect, FALSE);
        }
    }
}

bool TDirTree::ShowsButton(HTREEITEM node) const {
    return FirstChild(node) != nullptr || probePending_.count(node) != 0;
}
