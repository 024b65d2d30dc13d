// The folder monitor: watches one folder through a worker thread and raises OnChange on the
// user-interface thread when the file system reports a change, at once or once per burst.
//
// Stop protocol: the monitor owns at most one worker. Letting it go (stop, restart, destruction)
// clears the worker's callback, stops it and, unless its loop has already ended, leaves it to
// delete itself when it ends. The user-interface thread therefore never waits for a worker that is
// still watching, which makes it safe to stop or restart the monitor from inside OnChange while
// that worker is blocked in its hand-over.
#pragma once

#include "monitor/FileChangeFilter.h"
#include "monitor/NotifyThread.h"
#include "ui/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TRxFolderMonitor {
public:
    TRxFolderMonitor();
    virtual ~TRxFolderMonitor();
    TRxFolderMonitor(const TRxFolderMonitor&) = delete;
    TRxFolderMonitor& operator=(const TRxFolderMonitor&) = delete;

    // True while a worker exists (also one whose loop ended on an error). Setting True on a folder
    // that does not exist leaves it False quietly; a folder that cannot be watched raises OSError.
    bool Active() const { return worker_ != nullptr; }
    void SetActive(bool active);

    // Milliseconds; 0 raises OnChange for every notification, otherwise once this long after the
    // first notification of a burst. Setting 0 while a change is pending drops it.
    uint32_t DelayTime() const;
    void SetDelayTime(uint32_t delay);

    // A failing change puts the old filter back (and the old watch when it was active) and raises.
    TFileChangeFilters Filter() const { return filter_; }
    void SetFilter(TFileChangeFilters filter);

    // Compared exactly, letter case included: a different text restarts an active watch.
    const std::wstring& FolderName() const { return folderName_; }
    void SetFolderName(const std::wstring& folderName);

    bool MonitorSubtree() const { return monitorSubtree_; }
    void SetMonitorSubtree(bool monitorSubtree);

    // True while a delayed OnChange is waiting for its time.
    bool ChangePending() const { return timer_ != nullptr; }

    // Raised on the user-interface thread, never during other code of that thread.
    std::function<void(TRxFolderMonitor& sender)> OnChange;

protected:
    // Lets the current worker go and, for true, watches FolderName when it names an existing folder.
    virtual void ApplyActive(bool active);
    virtual void Changed();

private:
    void FreeThread();
    void ThreadNotified(TNotifyThread& sender);
    void DelayElapsed();

    std::unique_ptr<TNotifyThread> worker_;
    std::unique_ptr<Timer> timer_; // only while a delayed notification is pending
    uint32_t delayTime_ = 0;
    TFileChangeFilters filter_;
    std::wstring folderName_;
    bool monitorSubtree_ = true;
};
