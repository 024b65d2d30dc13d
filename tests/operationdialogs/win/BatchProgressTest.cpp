// Batches on a worker thread behind a disabled owner, and the progress window's stop, on real
// windows.
#include "operations/dialogs/BatchProgress.h"
#include "ui/Timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace {

const std::wstring kFont = L"Tahoma";

struct ProgressSearch {
    HWND owner;
    HWND found = nullptr;
};

BOOL CALLBACK FindProgressWindow(HWND window, LPARAM lp) {
    auto* search = reinterpret_cast<ProgressSearch*>(lp);
    wchar_t caption[32]{};
    ::GetWindowTextW(window, caption, 32);
    if (::GetWindow(window, GW_OWNER) == search->owner &&
        std::wstring(caption) == BatchProgressForm::kCaption)
        search->found = window;
    return search->found == nullptr;
}

// The progress window that owner has on the given thread; tests running side by side show theirs
// on the same desktop.
HWND ProgressWindow(DWORD thread, HWND owner) {
    ProgressSearch search{owner};
    ::EnumThreadWindows(thread, FindProgressWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class BatchProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner.Create(L"Propriétaire", 0, 0, 400, 300, WS_OVERLAPPEDWINDOW));
        ASSERT_TRUE(button.Create(owner.Handle(), L"Bouton", 10, 10, 80, 26));
        ::ShowWindow(owner.Handle(), SW_SHOW);
        ::SetActiveWindow(owner.Handle());
        ::SetFocus(button.Handle());
        for (int i = 0; i < 20; ++i)
            paths.push_back(L"C:\\dossier\\f" + std::to_wstring(i) + L".txt");
    }

    Form owner;
    Button button;
    std::vector<std::wstring> paths;
};

} // namespace

TEST_F(BatchProgressTest, OutcomesComeBackInOrderBehindADisabledOwner) {
    paths.resize(4);
    bool ownerEnabledDuring = false;
    bool windowSeen = false;
    const DWORD uiThread = ::GetCurrentThreadId();
    const auto work = [&](const std::wstring& path) {
        ownerEnabledDuring = ownerEnabledDuring || ::IsWindowEnabled(owner.Handle());
        // A batch shorter than the delay shows no window.
        windowSeen = windowSeen || ProgressWindow(uiThread, owner.Handle());
        if (path == paths[2])
            throw std::runtime_error("contrat rompu");
        return FileOutcome::Failed(Failure::Other, path);
    };
    const BatchProgressResult result = RunWithProgress(owner.Handle(), kFont, paths, work);
    ASSERT_EQ(result.Outcomes.size(), 4u);
    EXPECT_FALSE(result.Stopped);
    EXPECT_EQ(result.Outcomes[0].Detail(), paths[0]);
    EXPECT_EQ(result.Outcomes[1].Detail(), paths[1]);
    EXPECT_EQ(result.Outcomes[2].Detail(), L"erreur inattendue");
    EXPECT_EQ(result.Outcomes[3].Detail(), paths[3]);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_FALSE(windowSeen);
    EXPECT_TRUE(owner.Enabled());
    EXPECT_EQ(::GetFocus(), button.Handle());
}

enum class StopBy { Button, Escape, TitleBarClose };

class BatchStopTest : public BatchProgressTest, public ::testing::WithParamInterface<StopBy> {};

TEST_P(BatchStopTest, StopsAfterTheFileBeingDone) {
    std::atomic<int> calls{0};
    const auto work = [&](const std::wstring&) {
        ++calls;
        ::Sleep(100);
        return FileOutcome();
    };
    // Plays the user from the user-interface thread, which the batch keeps pumping: stops, then
    // looks at the window while the worker finishes its file.
    BatchProgressForm* shown = nullptr;
    HWND found = nullptr;
    std::wstring countLine, nameLine, stopLine;
    bool buttonEnabled = true;
    Timer user;
    user.SetInterval(150);
    user.OnTimer = [&] {
        if (shown) {
            user.SetEnabled(false);
            stopLine = shown->CountLabel.Text();
            buttonEnabled = shown->BtnStop.Enabled();
            return;
        }
        found = ProgressWindow(::GetCurrentThreadId(), owner.Handle());
        shown = dynamic_cast<BatchProgressForm*>(Window::FromHandle(found));
        user.SetInterval(20);
        if (!shown) {
            user.SetEnabled(false);
            return;
        }
        countLine = shown->CountLabel.Text();
        nameLine = shown->NameLabel.Text();
        if (GetParam() == StopBy::Button)
            shown->BtnStop.Click();
        else if (GetParam() == StopBy::Escape)
            ::PostMessageW(found, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            shown->Close();
    };
    const BatchProgressResult result = RunWithProgress(owner.Handle(), kFont, paths, work, 0);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(countLine.rfind(L"Fichier ", 0), 0u) << countLine;
    EXPECT_NE(countLine.find(L" sur 20"), std::wstring::npos) << countLine;
    EXPECT_EQ(nameLine.rfind(L"f", 0), 0u) << nameLine;
    EXPECT_TRUE(result.Stopped);
    EXPECT_GT(result.Outcomes.size(), 0u);
    EXPECT_LT(result.Outcomes.size(), paths.size());
    EXPECT_EQ(static_cast<size_t>(calls), result.Outcomes.size());
    EXPECT_EQ(stopLine, L"Arrêt après le fichier en cours...");
    EXPECT_FALSE(buttonEnabled);
    EXPECT_FALSE(::IsWindow(found));
    EXPECT_TRUE(owner.Enabled());
}

static std::string StopName(const ::testing::TestParamInfo<StopBy>& info) {
    return info.param == StopBy::Button   ? "Button"
           : info.param == StopBy::Escape ? "Escape"
                                          : "TitleBarClose";
}

INSTANTIATE_TEST_SUITE_P(Ways, BatchStopTest,
                         ::testing::Values(StopBy::Button, StopBy::Escape, StopBy::TitleBarClose), StopName);
