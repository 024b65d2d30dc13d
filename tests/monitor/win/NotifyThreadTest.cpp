// The monitor's worker on real folders: the error raised when a folder cannot be watched, the
// hand-over of wake-ups, and its end when stopped.
#include "base/Errors.h"
#include "monitor/NotifyThread.h"
#include "support/win/MessagePump.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using enum TFileChangeFilter;

const std::wstring kFirstLine =
    L"Le rafraîchissement automatique est incompatible avec le dossier sélectionné.";

} // namespace

TEST(NotifyThread, FileInsteadOfAFolderRaisesTheMonitoringErrorWithItsCode) {
    TempFolder folder;
    const std::wstring file = folder.MakeFile(L"plain.txt");
    try {
        CreateNotifyThread(file, false, {fnFileName});
        FAIL() << "no error";
    } catch (const OSError& e) {
        const std::wstring& text = e.Message();
        EXPECT_NE(e.ErrorCode(), 0u);
        const std::wstring expected = kFirstLine + L"\n\rMerci de le désactiver. Erreur système. Code : " +
                                      std::to_wstring(e.ErrorCode()) + L". ";
        ASSERT_EQ(text.rfind(expected, 0), 0u) << text.c_str();
        // The system's text follows, without its line break or final full stop.
        ASSERT_GT(text.size(), expected.size());
        EXPECT_NE(text.back(), L'.');
        EXPECT_GE(text.back(), L'!');
    }
}

TEST(NotifyThread, MissingFolderRaisesTheMonitoringError) {
    TempFolder folder;
    EXPECT_THROW(CreateNotifyThread(folder / L"absent", true, {fnFileName}), OSError);
}

TEST(NotifyThread, WakeUpIsHandedToTheCallbackOnThisThreadAndTheWorkerEndsWhenStopped) {
    TempFolder folder;
    DWORD thread = 0;
    TNotifyThread* sender = nullptr;
    auto worker = CreateNotifyThread(folder.Path(), false, {fnFileName}, [&](TNotifyThread& s) {
        thread = ::GetCurrentThreadId();
        sender = &s;
    });
    EXPECT_EQ(worker->LastError(), 0u);
    folder.MakeFile(L"wake.txt");
    ASSERT_TRUE(PumpUntil([&] { return sender != nullptr; }, 5000));
    EXPECT_EQ(sender, worker.get());
    EXPECT_EQ(thread, ::GetCurrentThreadId());
    worker->Stop();
    EXPECT_TRUE(PumpUntil([&] { return worker->Finished(); }, 5000));
    EXPECT_EQ(worker->LastError(), 0u);
}

TEST(NotifyThread, ClearedCallbackIsNotCalledForAPendingHandOver) {
    TempFolder folder;
    int calls = 0;
    auto worker = CreateNotifyThread(folder.Path(), false, {fnFileName}, [&](TNotifyThread&) { ++calls; });
    folder.MakeFile(L"wake.txt");
    ::Sleep(300); // the hand-over now waits for this thread
    worker->SetCallback({});
    PumpFor(300);
    EXPECT_EQ(calls, 0);
}

TEST(NotifyThread, DestroyingAWorkerWaitingInItsHandOverDoesNotBlock) {
    TempFolder folder;
    int calls = 0;
    auto worker = CreateNotifyThread(folder.Path(), false, {fnFileName}, [&](TNotifyThread&) { ++calls; });
    folder.MakeFile(L"wake.txt");
    ::Sleep(300);
    worker.reset();
    PumpFor(200);
    EXPECT_EQ(calls, 0);
}
