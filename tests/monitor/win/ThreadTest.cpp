// The toolkit's thread class: calls handed to the user-interface thread, owners that wait for a
// worker blocked in such a call, and threads that are let go and delete themselves.
#include "ProcessCounts.h"
#include "ui/ExceptionDisplay.h"
#include "ui/Thread.h"
#include "support/win/MessagePump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>

namespace {

class BodyThread : public Thread {
public:
    explicit BodyThread(std::function<void(BodyThread&)> body, std::atomic<bool>* deleted = nullptr)
        : body_(std::move(body)), deleted_(deleted) {}
    ~BodyThread() override {
        Shutdown();
        if (deleted_)
            *deleted_ = true;
    }
    using Thread::Synchronize;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(BodyThread&)> body_;
    std::atomic<bool>* deleted_;
};

} // namespace

TEST(Thread, SynchronizeRunsTheCallOnTheUserInterfaceThreadAndWaitsForIt) {
    DWORD ranOn = 0;
    std::atomic<int> result{0};
    BodyThread thread([&](BodyThread& self) {
        const bool ran = self.Synchronize([&] { ranOn = ::GetCurrentThreadId(); });
        result = ran && ranOn != 0 ? 1 : 2; // ranOn is set before Synchronize returns
    });
    thread.Start();
    ASSERT_TRUE(PumpUntil([&] { return result != 0; }, 5000));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ranOn, ::GetCurrentThreadId());
}

TEST(Thread, WaitingForAWorkerBlockedInAHandOverDropsTheCallInsteadOfBlocking) {
    std::atomic<bool> posted{false};
    std::atomic<int> result{0};
    bool ran = false;
    auto thread = std::make_unique<BodyThread>([&](BodyThread& self) {
        posted = true;
        result = self.Synchronize([&] { ran = true; }) ? 1 : 2;
    });
    thread->Start();
    while (!posted)
        ::Sleep(1);
    ::Sleep(100);
    thread.reset(); // no message loop runs meanwhile
    EXPECT_EQ(result, 2);
    PumpFor(200); // the dropped request is discarded, not run
    EXPECT_FALSE(ran);
}

TEST(Thread, ThreadLetGoWhileRunningDeletesItselfWhenItEnds) {
    std::atomic<bool> release{false};
    std::atomic<bool> deleted{false};
    auto thread = std::make_unique<BodyThread>(
        [&](BodyThread&) {
            while (!release)
                ::Sleep(1);
        },
        &deleted);
    thread->Start();
    Thread::LetGo(std::move(thread));
    ::Sleep(50);
    EXPECT_FALSE(deleted);
    release = true;
    EXPECT_TRUE(PumpUntil([&] { return deleted.load(); }, 5000));
}

TEST(Thread, ThreadLetGoAfterItsEndIsDeletedAtOnce) {
    std::atomic<bool> deleted{false};
    const int threads = ThreadCount();
    auto thread = std::make_unique<BodyThread>([](BodyThread&) {}, &deleted);
    thread->Start();
    ASSERT_TRUE(PumpUntil([&] { return ThreadCount() <= threads; }, 5000));
    EXPECT_FALSE(deleted);
    Thread::LetGo(std::move(thread));
    EXPECT_TRUE(deleted);
}

TEST(Thread, ExceptionOfAHandedOverCallGoesToTheExceptionDisplay) {
    std::wstring shown;
    SetExceptionSink([&](const std::wstring& text) { shown = text; });
    std::atomic<bool> done{false};
    BodyThread thread([&](BodyThread& self) {
        self.Synchronize([] { throw std::runtime_error("failed call"); });
        done = true;
    });
    thread.Start();
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }, 5000));
    SetExceptionSink({});
    EXPECT_EQ(shown, L"failed call");
}

TEST(Thread, SynchronizeOnTheUserInterfaceThreadRunsTheCallAtOnce) {
    std::wstring shown;
    SetExceptionSink([&](const std::wstring& text) { shown = text; });
    bool ran = false;
    BodyThread thread([](BodyThread&) {});
    EXPECT_TRUE(thread.Synchronize([&] { ran = true; }));
    thread.Synchronize([] { throw std::runtime_error("direct"); });
    SetExceptionSink({});
    EXPECT_TRUE(ran);
    EXPECT_EQ(shown, L"direct");
}

TEST(Thread, ExceptionOfTheBodyGoesToTheExceptionDisplay) {
    std::wstring shown;
    SetExceptionSink([&](const std::wstring& text) { shown = text; });
    BodyThread thread([](BodyThread&) { throw std::runtime_error("failed body"); });
    thread.Start();
    EXPECT_TRUE(PumpUntil([&] { return !shown.empty(); }, 5000));
    SetExceptionSink({});
    EXPECT_EQ(shown, L"failed body");
}
