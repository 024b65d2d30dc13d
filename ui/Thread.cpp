// Worker threads: start, stop, self-deletion of a thread that was let go, and the hand-over of
// calls to the user-interface thread through a hidden message-only window.
#include "ui/Thread.h"

#include "base/Errors.h"
#include "ui/ExceptionDisplay.h"
#include "ui/Window.h"

#include <exception>

namespace {

constexpr UINT kHandOverMessage = WM_APP + 0x4B; // one per request, LPARAM = new shared_ptr<HandOver>

// One hand-over. Its state decides, without locks, whether the user-interface thread runs it or
// the worker withdraws it: exactly one of them moves it out of Pending.
struct HandOver {
    enum State { Pending, Running, Withdrawn };
    const std::function<void()>* call = nullptr; // on the worker's stack, read only while Running
    std::atomic<int> state{Pending};
    KernelHandle done;
};

class HandOverWindow : public Window {
public:
    HandOverWindow() : threadId_(::GetCurrentThreadId()) {
        CreateWindowOfClass(RegisterClassOnce(L"Kavet24.HandOver"), L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
    }
    DWORD ThreadId() const { return threadId_; }

    bool Post(std::shared_ptr<HandOver> request) {
        auto* carried = new std::shared_ptr<HandOver>(std::move(request));
        if (!Handle() || !::PostMessageW(Handle(), kHandOverMessage, 0, reinterpret_cast<LPARAM>(carried))) {
            delete carried;
            return false;
        }
        return true;
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg != kHandOverMessage)
            return Window::HandleMessage(msg, wp, lp);
        std::unique_ptr<std::shared_ptr<HandOver>> carried(reinterpret_cast<std::shared_ptr<HandOver>*>(lp));
        std::shared_ptr<HandOver> request = std::move(*carried);
        int expected = HandOver::Pending;
        if (!request->state.compare_exchange_strong(expected, HandOver::Running))
            return 0; // the worker withdrew it
        try {
            (*request->call)();
        } catch (...) {
            ReportCurrentException();
        }
        ::SetEvent(request->done.Get());
        return 0;
    }

private:
    DWORD threadId_;
};

// Made by the first Thread, on the user-interface thread, and never destroyed: a worker still
// winding down while the process exits may still post to it.
HandOverWindow& HandOverTarget() {
    static HandOverWindow* target = new HandOverWindow();
    return *target;
}

} // namespace

Thread::Thread() : cancelHandOver_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    HandOverTarget();
}

Thread::~Thread() {
    Shutdown();
}

void Thread::Start() {
    if (handle_)
        return;
    handle_.Reset(::CreateThread(nullptr, 0, &Thread::Run, this, 0, &threadId_));
    if (!handle_)
        throw OSError(L"Impossible de créer une tâche.", ::GetLastError());
}

void Thread::Shutdown() {
    if (!handle_ || ::GetCurrentThreadId() == threadId_)
        return;
    Terminate();
    WaitFor();
}

void Thread::WaitFor() {
    if (!handle_ || ::GetCurrentThreadId() == threadId_)
        return;
    if (OnUserInterfaceThread())
        ::SetEvent(cancelHandOver_.Get());
    ::WaitForSingleObject(handle_.Get(), INFINITE);
}

bool Thread::OnUserInterfaceThread() {
    return ::GetCurrentThreadId() == HandOverTarget().ThreadId();
}

void Thread::LetGo(std::unique_ptr<Thread> thread) {
    if (!thread)
        return;
    Thread* self = thread.release();
    if (!self->handle_ || self->handOff_.exchange(true))
        delete self;
}

bool Thread::Synchronize(const std::function<void()>& call) {
    if (OnUserInterfaceThread()) {
        try {
            call();
        } catch (...) {
            ReportCurrentException();
        }
        return true;
    }
    if (::WaitForSingleObject(cancelHandOver_.Get(), 0) == WAIT_OBJECT_0)
        return false;
    auto request = std::make_shared<HandOver>();
    request->call = &call;
    request->done.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!request->done || !HandOverTarget().Post(request))
        return false;
    const HANDLE waits[] = {request->done.Get(), cancelHandOver_.Get()};
    if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0)
        return true;
    int expected = HandOver::Pending;
    if (request->state.compare_exchange_strong(expected, HandOver::Withdrawn))
        return false;
    // The user-interface thread has started the call: its end is near and must be awaited, since
    // the call reads from this stack.
    ::WaitForSingleObject(request->done.Get(), INFINITE);
    return true;
}

DWORD WINAPI Thread::Run(void* parameter) {
    auto* self = static_cast<Thread*>(parameter);
    std::exception_ptr failure;
    try {
        self->Execute();
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        self->DoTerminate();
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
    if (failure) {
        self->Synchronize([&failure] {
            try {
                std::rethrow_exception(failure);
            } catch (...) {
                ReportCurrentException();
            }
        });
    }
    self->Finish();
    return 0;
}

void Thread::Finish() {
    // Nothing of this object may be touched after the exchange unless this side deletes it.
    if (handOff_.exchange(true))
        delete this;
}
