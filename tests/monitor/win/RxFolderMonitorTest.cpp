// The folder monitor on real folders, with the real message loop: changes raise OnChange on this
// thread, bursts are folded, and stopping or restarting from inside OnChange neither blocks nor
// leaks.
#include "ProcessCounts.h"
#include "base/Errors.h"
#include "monitor/RxFolderMonitor.h"
#include "support/win/MessagePump.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using enum TFileChangeFilter;

void AppendTo(const std::wstring& path, const char* text = "more") {
    HANDLE h = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    ::CloseHandle(h);
}

// Counts the restarts of the watch.
class CountingMonitor : public TRxFolderMonitor {
public:
    int applied = 0;

protected:
    void ApplyActive(bool active) override {
        ++applied;
        TRxFolderMonitor::ApplyActive(active);
    }
};

class RxFolderMonitorTest : public ::testing::Test {
protected:
    // The tree's form of the folder: with a trailing backslash.
    std::wstring FolderName() const { return folder.Path() + L"\\"; }

    void Watch(TRxFolderMonitor& monitor) {
        monitor.OnChange = [this](TRxFolderMonitor&) {
            ++changes;
            changeTimes.push_back(::GetTickCount64());
        };
        monitor.SetFolderName(FolderName());
        monitor.SetActive(true);
        ASSERT_TRUE(monitor.Active());
    }

    TempFolder folder;
    int changes = 0;
    std::vector<unsigned long long> changeTimes;
};

} // namespace

TEST_F(RxFolderMonitorTest, StartsInactiveWithItsDefaults) {
    TRxFolderMonitor monitor;
    EXPECT_FALSE(monitor.Active());
    EXPECT_EQ(monitor.DelayTime(), 0u);
    EXPECT_TRUE(monitor.MonitorSubtree());
    EXPECT_EQ(monitor.Filter(), (TFileChangeFilters{fnFileName, fnDirName, fnSize, fnLastWrite}));
    EXPECT_EQ(monitor.FolderName(), L"");
}

TEST_F(RxFolderMonitorTest, ActivatingOnAMissingFolderLeavesItInactiveQuietly) {
    TRxFolderMonitor monitor;
    monitor.SetFolderName(folder / L"absent\\");
    EXPECT_NO_THROW(monitor.SetActive(true));
    EXPECT_FALSE(monitor.Active());
}

TEST_F(RxFolderMonitorTest, ActivatingOnAFileLeavesItInactiveQuietly) {
    TRxFolderMonitor monitor;
    monitor.SetFolderName(folder.MakeFile(L"plain.txt"));
    EXPECT_NO_THROW(monitor.SetActive(true));
    EXPECT_FALSE(monitor.Active());
}

TEST_F(RxFolderMonitorTest, CreatingAFileRaisesOnChangeOnThisThread) {
    TRxFolderMonitor monitor;
    DWORD thread = 0;
    TRxFolderMonitor* sender = nullptr;
    Watch(monitor);
    monitor.OnChange = [&](TRxFolderMonitor& s) {
        ++changes;
        thread = ::GetCurrentThreadId();
        sender = &s;
    };
    folder.MakeFile(L"new.txt");
    EXPECT_TRUE(PumpUntil([&] { return changes > 0; }, 5000));
    EXPECT_EQ(thread, ::GetCurrentThreadId());
    EXPECT_EQ(sender, &monitor);
}

TEST_F(RxFolderMonitorTest, ChangeInsideASubfolderIsIgnoredWithoutSubtree) {
    const std::wstring inner = folder.MakeFolder(L"sub") + L"\\inner.txt";
    folder.MakeFile(L"sub\\inner.txt", "start");
    TRxFolderMonitor monitor;
    monitor.SetMonitorSubtree(false);
    monitor.SetFilter(kListingChangeFilter);
    Watch(monitor);
    AppendTo(inner);
    PumpFor(1000);
    EXPECT_EQ(changes, 0);
    // The watch itself still works.
    folder.MakeFile(L"top.txt");
    EXPECT_TRUE(PumpUntil([&] { return changes > 0; }, 5000));
}

TEST_F(RxFolderMonitorTest, ChangeInsideASubfolderIsSeenWithSubtree) {
    if (RunningUnderWine())
        GTEST_SKIP() << "Wine reports no change inside subfolders";
    const std::wstring inner = folder.MakeFolder(L"sub") + L"\\inner.txt";
    folder.MakeFile(L"sub\\inner.txt", "start");
    TRxFolderMonitor monitor;
    monitor.SetFilter(kListingChangeFilter);
    Watch(monitor);
    AppendTo(inner);
    EXPECT_TRUE(PumpUntil([&] { return changes > 0; }, 5000));
}

TEST_F(RxFolderMonitorTest, DelayFoldsABurstIntoOneChangeAfterTheDelay) {
    TRxFolderMonitor monitor;
    monitor.SetDelayTime(500);
    Watch(monitor);
    const unsigned long long first = ::GetTickCount64();
    for (int i = 0; i < 10; ++i) {
        folder.MakeFile(L"burst" + std::to_wstring(i) + L".txt");
        PumpFor(10);
    }
    PumpFor(1500);
    ASSERT_EQ(changes, 1);
    const unsigned long long after = changeTimes[0] - first;
    EXPECT_GE(after, 450u);
    EXPECT_LE(after, 1200u);
    EXPECT_FALSE(monitor.ChangePending());
}

TEST_F(RxFolderMonitorTest, ChangeAfterTheDelayStartsANewOne) {
    TRxFolderMonitor monitor;
    monitor.SetDelayTime(200);
    Watch(monitor);
    folder.MakeFile(L"one.txt");
    ASSERT_TRUE(PumpUntil([&] { return changes == 1; }, 3000));
    folder.MakeFile(L"two.txt");
    EXPECT_TRUE(PumpUntil([&] { return changes == 2; }, 3000));
}

TEST_F(RxFolderMonitorTest, SettingDelayToZeroWhilePendingDropsTheChange) {
    TRxFolderMonitor monitor;
    monitor.SetDelayTime(1000);
    Watch(monitor);
    folder.MakeFile(L"pending.txt");
    ASSERT_TRUE(PumpUntil([&] { return monitor.ChangePending(); }, 5000));
    monitor.SetDelayTime(0);
    EXPECT_FALSE(monitor.ChangePending());
    EXPECT_EQ(monitor.DelayTime(), 0u);
    PumpFor(1500);
    EXPECT_EQ(changes, 0);
}

TEST_F(RxFolderMonitorTest, NewDelayWhilePendingIsUsedForThePendingChange) {
    TRxFolderMonitor monitor;
    monitor.SetDelayTime(5000);
    Watch(monitor);
    folder.MakeFile(L"pending.txt");
    ASSERT_TRUE(PumpUntil([&] { return monitor.ChangePending(); }, 5000));
    monitor.SetDelayTime(100);
    EXPECT_EQ(monitor.DelayTime(), 100u);
    EXPECT_TRUE(PumpUntil([&] { return changes == 1; }, 2000));
}

TEST_F(RxFolderMonitorTest, DestroyingTheMonitorDropsAPendingChange) {
    auto monitor = std::make_unique<TRxFolderMonitor>();
    monitor->SetDelayTime(300);
    Watch(*monitor);
    folder.MakeFile(L"pending.txt");
    ASSERT_TRUE(PumpUntil([&] { return monitor->ChangePending(); }, 5000));
    monitor.reset();
    PumpFor(800);
    EXPECT_EQ(changes, 0);
}

TEST_F(RxFolderMonitorTest, StoppingInsideOnChangeEndsTheWatch) {
    TRxFolderMonitor monitor;
    Watch(monitor);
    const int threads = ThreadCount();
    monitor.OnChange = [&](TRxFolderMonitor& m) {
        ++changes;
        m.SetActive(false);
    };
    folder.MakeFile(L"one.txt");
    ASSERT_TRUE(PumpUntil([&] { return changes == 1; }, 5000));
    EXPECT_FALSE(monitor.Active());
    folder.MakeFile(L"two.txt");
    PumpFor(500);
    EXPECT_EQ(changes, 1);
    // The worker that was let go has ended and deleted itself.
    EXPECT_TRUE(PumpUntil([&] { return ThreadCount() < threads; }, 5000));
}

TEST_F(RxFolderMonitorTest, RestartingInsideOnChangeAThousandTimesNeitherBlocksNorLeaks) {
    const std::wstring touched = folder.MakeFile(L"touched.txt");
    TRxFolderMonitor monitor;
    monitor.SetFolderName(FolderName());
    // One round first, so that the toolkit's own windows exist before counting.
    int rounds = 0;
    monitor.OnChange = [&](TRxFolderMonitor& m) {
        ++rounds;
        m.SetActive(false);
        m.SetActive(true);
    };
    monitor.SetActive(true);
    AppendTo(touched);
    ASSERT_TRUE(PumpUntil([&] { return rounds >= 1; }, 5000));
    monitor.SetActive(false);
    PumpFor(300);
    const int handlesBefore = OpenHandleCount();
    const int threadsBefore = ThreadCount();

    constexpr int kRounds = 1000;
    rounds = 0;
    monitor.OnChange = [&](TRxFolderMonitor& m) {
        ++rounds;
        m.SetActive(false);
        m.SetActive(true);
        if (rounds < kRounds)
            AppendTo(touched);
    };
    monitor.SetActive(true);
    AppendTo(touched);
    ASSERT_TRUE(PumpUntil([&] { return rounds >= kRounds; }, 45000)) << "rounds: " << rounds;
    EXPECT_TRUE(monitor.Active());
    monitor.SetActive(false);

    EXPECT_TRUE(PumpUntil([&] { return ThreadCount() <= threadsBefore; }, 5000));
    int handlesAfter = 0;
    PumpUntil(
        [&] {
            handlesAfter = OpenHandleCount();
            return handlesAfter <= handlesBefore + 2;
        },
        5000);
    EXPECT_LE(handlesAfter, handlesBefore + 2) << "before: " << handlesBefore;
}

TEST_F(RxFolderMonitorTest, FailingFilterChangeKeepsTheOldFilterAndWatch) {
    TRxFolderMonitor monitor;
    Watch(monitor);
    const TFileChangeFilters old = monitor.Filter();
    // No kind of change at all is refused by the platform.
    try {
        monitor.SetFilter(TFileChangeFilters{});
        FAIL() << "no error";
    } catch (const OSError& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<uint32_t>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(e.Message().rfind(L"Le rafraîchissement automatique est incompatible avec le dossier "
                                    L"sélectionné.\n\rMerci de le désactiver. Erreur système. Code : 87. ",
                                    0),
                  0u)
            << e.Message().c_str();
    }
    EXPECT_EQ(monitor.Filter(), old);
    EXPECT_TRUE(monitor.Active());
    folder.MakeFile(L"after.txt");
    EXPECT_TRUE(PumpUntil([&] { return changes > 0; }, 5000));
}

TEST_F(RxFolderMonitorTest, SettingTheSameFolderNameDoesNotRestart) {
    CountingMonitor monitor;
    Watch(monitor);
    const int applied = monitor.applied;
    monitor.SetFolderName(FolderName());
    EXPECT_EQ(monitor.applied, applied);
    EXPECT_TRUE(monitor.Active());
}

TEST_F(RxFolderMonitorTest, SettingTheSameFolderInOtherLetterCaseRestarts) {
    CountingMonitor monitor;
    Watch(monitor);
    const int applied = monitor.applied;
    std::wstring other = FolderName();
    for (wchar_t& c : other)
        c = static_cast<wchar_t>(::towupper(c));
    ASSERT_NE(other, FolderName());
    monitor.SetFolderName(other);
    EXPECT_EQ(monitor.applied, applied + 1);
    EXPECT_EQ(monitor.FolderName(), other);
}

TEST_F(RxFolderMonitorTest, ChangingTheFolderMovesAnActiveWatch) {
    TRxFolderMonitor monitor;
    Watch(monitor);
    TempFolder other;
    monitor.SetFolderName(other.Path());
    ASSERT_TRUE(monitor.Active());
    folder.MakeFile(L"old-folder.txt");
    PumpFor(500);
    EXPECT_EQ(changes, 0);
    other.MakeFile(L"new-folder.txt");
    EXPECT_TRUE(PumpUntil([&] { return changes > 0; }, 5000));
}

TEST_F(RxFolderMonitorTest, SettingTheSameSubtreeOptionOrFilterDoesNotRestart) {
    CountingMonitor monitor;
    Watch(monitor);
    const int applied = monitor.applied;
    monitor.SetMonitorSubtree(true);
    monitor.SetFilter(monitor.Filter());
    EXPECT_EQ(monitor.applied, applied);
    monitor.SetMonitorSubtree(false);
    EXPECT_EQ(monitor.applied, applied + 1);
    EXPECT_TRUE(monitor.Active());
}

TEST(RxFolderMonitorExit, ProcessExitWithAWorkerLetGoInItsHandOverIsClean) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TempFolder folder;
            auto* monitor = new TRxFolderMonitor();
            monitor->OnChange = [](TRxFolderMonitor&) {};
            monitor->SetFolderName(folder.Path());
            monitor->SetActive(true);
            folder.MakeFile(L"wake.txt");
            ::Sleep(300); // the worker now waits in its hand-over, which nobody runs
            monitor->SetActive(false);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
