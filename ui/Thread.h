// A worker thread that owns its handle, with a synchronous call to the user-interface thread and a
// way for the owner to let a running thread go so that it deletes itself when it ends.
//
// Hand-over protocol: Synchronize posts a request to a hidden message-only window made on the
// user-interface thread (the thread that constructed the first Thread) and blocks until that
// thread has run it. When the user-interface thread itself waits for the worker (WaitFor, the
// destructor), it first cancels hand-overs that have not started yet, so that a worker blocked in
// Synchronize returns at once instead of waiting for a thread that waits for it. A call may not
// wait for, or destroy, the very thread that handed it over.
#pragma once

#include "base/Handles.h"

#include <atomic>
#include <functional>
#include <memory>

class Thread {
public:
    // The thread is made when Start is called, on the user-interface thread.
    Thread();
    // Requests termination and waits for the body to end when the thread is still running. A
    // derived class whose body uses its own members must call Shutdown() in its own destructor.
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts the body; throws OSError when the platform cannot make a thread.
    void Start();
    bool Started() const { return handle_.Valid(); }
    // Asks the body to end; the body tests Terminated() at the points where it can stop.
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    // Waits for the body and the termination hook to end. On the user-interface thread, pending
    // hand-overs of this thread are dropped first.
    void WaitFor();

    // Gives up ownership of a thread: it deletes itself when its body and termination hook have
    // ended, or is deleted here at once when they already have (or it never started). The caller
    // must not touch it afterwards.
    static void LetGo(std::unique_ptr<Thread> thread);

    // True on the thread that runs the hand-over calls.
    static bool OnUserInterfaceThread();

protected:
    // The thread's work.
    virtual void Execute() = 0;
    // Runs on the worker after Execute, also when it threw.
    virtual void DoTerminate() {}

    // Runs the call on the user-interface thread and waits until it has run there. False when it
    // did not run: the hand-over was cancelled because the owner is waiting for this thread, or the
    // user-interface thread no longer takes calls. An exception of the call goes to the
    // application's exception display on the user-interface thread.
    bool Synchronize(const std::function<void()>& call);

    // Terminate and WaitFor, for the destructors of derived classes; nothing on the worker itself.
    void Shutdown();

private:
    static DWORD WINAPI Run(void* parameter);
    void Finish();

    KernelHandle handle_;
    DWORD threadId_ = 0;
    // Signalled when hand-overs must no longer block (the owner waits for the thread).
    KernelHandle cancelHandOver_;
    std::atomic<bool> terminated_{false};
    // Set by whichever of the owner's LetGo and the worker's end comes first; the second deletes.
    std::atomic<bool> handOff_{false};
};
