// The folder monitor's worker: waits on a change-notification handle and a stop event, and hands
// every wake-up to the user-interface thread, waiting there until it has been handled.
#pragma once

#include "monitor/FileChangeFilter.h"
#include "base/Handles.h"
#include "ui/Thread.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>

class TNotifyThread : public Thread {
public:
    using Callback = std::function<void(TNotifyThread& sender)>;

    // Opens the watch (LastError tells whether it could be set up); the thread is not started.
    TNotifyThread(const std::wstring& folderName, bool watchSubtree, TFileChangeFilters filter);
    ~TNotifyThread() override;

    // User-interface thread only. An empty callback lets no further hand-over reach its old target.
    void SetCallback(Callback callback);

    // Asks the loop to end and wakes it.
    void Stop();

    uint32_t LastError() const { return lastError_; }
    bool Finished() const { return finished_; }

protected:
    void Execute() override;
    void DoTerminate() override;
    // Hands the wake-up to the user-interface thread's callback, when there is one.
    virtual void Notify();

private:
    ChangeHandle changeHandle_;
    // Kept until the object goes (not closed at the thread's end) because the owner may signal it
    // while the worker is ending.
    KernelHandle stopEvent_;
    std::atomic<uint32_t> lastError_{0};
    std::atomic<bool> finished_{false};
    // The callback is only touched on the user-interface thread; the worker reads the flag.
    Callback callback_;
    std::atomic<bool> hasCallback_{false};
};

// A running worker watching the folder that calls back to callback, or OSError with the French
// message and the system's error code when the folder cannot be watched.
std::unique_ptr<TNotifyThread> CreateNotifyThread(const std::wstring& folderName, bool watchSubtree,
                                                  TFileChangeFilters filter,
                                                  TNotifyThread::Callback callback = {});
