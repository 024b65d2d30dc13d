// The worker loop of the folder monitor, and the creation of a worker with its error message.
#include "monitor/NotifyThread.h"

#include "base/ApiPath.h"
#include "base/Errors.h"
#include "monitor/MonitorErrorText.h"

TNotifyThread::TNotifyThread(const std::wstring& folderName, bool watchSubtree, TFileChangeFilters filter) {
    changeHandle_.Reset(::FindFirstChangeNotificationW(ApiPath(folderName).c_str(),
                                                       watchSubtree ? TRUE : FALSE, filter.NotifyFlags()));
    if (!changeHandle_) {
        lastError_ = ::GetLastError();
        return;
    }
    stopEvent_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stopEvent_) {
        lastError_ = ::GetLastError();
        changeHandle_.Reset();
    }
}

TNotifyThread::~TNotifyThread() {
    SetCallback({});
    Stop();
    Shutdown();
}

void TNotifyThread::SetCallback(Callback callback) {
    hasCallback_ = false;
    callback_ = std::move(callback);
    hasCallback_ = static_cast<bool>(callback_);
}

void TNotifyThread::Stop() {
    Terminate();
    if (stopEvent_)
        ::SetEvent(stopEvent_.Get());
}

void TNotifyThread::Execute() {
    while (!Terminated() && changeHandle_) {
        const HANDLE handles[] = {changeHandle_.Get(), stopEvent_.Get()};
        const DWORD result = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (result == WAIT_FAILED) {
            lastError_ = ::GetLastError();
            break;
        }
        if (result == WAIT_OBJECT_0) {
            if (Terminated())
                continue;
            Notify();
            if (!::FindNextChangeNotification(changeHandle_.Get())) {
                lastError_ = ::GetLastError();
                break;
            }
        } else if (result == WAIT_OBJECT_0 + 1) {
            break;
        }
    }
    finished_ = true;
}

void TNotifyThread::DoTerminate() {
    changeHandle_.Reset();
}

void TNotifyThread::Notify() {
    if (!hasCallback_)
        return;
    // Tested again on the user-interface thread: the owner may have let this worker go while the
    // hand-over was waiting there.
    Synchronize([this] {
        if (!hasCallback_)
            return;
        const Callback callback = callback_;
        callback(*this);
    });
}

std::unique_ptr<TNotifyThread> CreateNotifyThread(const std::wstring& folderName, bool watchSubtree,
                                                  TFileChangeFilters filter,
                                                  TNotifyThread::Callback callback) {
    auto worker = std::make_unique<TNotifyThread>(folderName, watchSubtree, filter);
    if (const uint32_t code = worker->LastError()) {
        worker.reset();
        wchar_t text[256] = {};
        const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                              nullptr, code, 0, text, 256, nullptr);
        throw OSError(MonitorErrorMessage(code, TrimSystemErrorText(std::wstring(text, length))), code);
    }
    // Set before the start, so that no change made meanwhile is lost.
    worker->SetCallback(std::move(callback));
    worker->Start();
    return worker;
}
