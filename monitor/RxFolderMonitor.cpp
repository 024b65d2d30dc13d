// Starting, stopping and restarting the folder watch, and the folding of bursts of notifications.
#include "monitor/RxFolderMonitor.h"

#include "base/ApiPath.h"
#include <exception>

namespace {

bool IsExistingFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(ApiPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

TRxFolderMonitor::TRxFolderMonitor()
    : filter_{TFileChangeFilter::fnFileName, TFileChangeFilter::fnDirName, TFileChangeFilter::fnSize,
              TFileChangeFilter::fnLastWrite} {}

TRxFolderMonitor::~TRxFolderMonitor() {
    if (timer_)
        timer_->OnTimer = nullptr;
    FreeThread();
    timer_.reset();
}

void TRxFolderMonitor::SetActive(bool active) {
    if (active != Active())
        ApplyActive(active);
}

void TRxFolderMonitor::ApplyActive(bool active) {
    FreeThread();
    if (!active || !IsExistingFolder(folderName_))
        return;
    worker_ = CreateNotifyThread(folderName_, monitorSubtree_, filter_,
                                 [this](TNotifyThread& sender) { ThreadNotified(sender); });
}

void TRxFolderMonitor::FreeThread() {
    if (!worker_)
        return;
    std::unique_ptr<TNotifyThread> worker = std::move(worker_);
    worker->SetCallback({});
    if (worker->Finished()) {
        worker.reset(); // its loop has ended: only its handles are left to close
        return;
    }
    // Stopped before it is let go: once let go it may end and delete itself at any moment.
    worker->Stop();
    Thread::LetGo(std::move(worker));
}

void TRxFolderMonitor::ThreadNotified(TNotifyThread&) {
    if (delayTime_ == 0) {
        Changed();
        return;
    }
    if (timer_)
        return; // folded into the pending one
    timer_ = std::make_unique<Timer>();
    timer_->SetEnabled(false);
    timer_->SetInterval(delayTime_);
    timer_->OnTimer = [this] { DelayElapsed(); };
    timer_->SetEnabled(true);
}

void TRxFolderMonitor::DelayElapsed() {
    timer_.reset(); // the timer allows being destroyed from its own handler
    Changed();
}

void TRxFolderMonitor::Changed() {
    if (OnChange)
        OnChange(*this);
}

uint32_t TRxFolderMonitor::DelayTime() const {
    return timer_ ? timer_->Interval() : delayTime_;
}

void TRxFolderMonitor::SetDelayTime(uint32_t delay) {
    if (timer_) {
        if (delay != 0) {
            timer_->SetInterval(delay);
        } else {
            timer_->OnTimer = nullptr;
            timer_.reset();
        }
    }
    delayTime_ = delay;
}

void TRxFolderMonitor::SetFolderName(const std::wstring& folderName) {
    if (folderName == folderName_)
        return;
    folderName_ = folderName;
    ApplyActive(Active());
}

void TRxFolderMonitor::SetMonitorSubtree(bool monitorSubtree) {
    if (monitorSubtree == monitorSubtree_)
        return;
    monitorSubtree_ = monitorSubtree;
    ApplyActive(Active());
}

void TRxFolderMonitor::SetFilter(TFileChangeFilters filter) {
    if (filter == filter_)
        return;
    const TFileChangeFilters old = filter_;
    const bool wasActive = Active();
    filter_ = filter;
    try {
        ApplyActive(wasActive);
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        filter_ = old;
        if (wasActive) {
            try {
                ApplyActive(true);
            } catch (...) {
                // The first failure is the one the caller hears about.
            }
        }
        std::rethrow_exception(failure);
    }
}
