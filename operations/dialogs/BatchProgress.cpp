// A batch on a worker thread, and its progress window.
//
// Stop protocol: the worker takes the paths one by one and tests its termination flag before each;
// the window's stop only sets that flag, so the file being done is always finished. The worker
// signals `ended` as its last act; the user-interface thread pumps messages until then (its own
// windows keep repainting, the disabled owner ignores input) and reads the outcomes only after
// joining the worker. Meanwhile it reads just two counters, refreshed by a 50 ms timer: the worker
// never posts, sends or waits for anything of the window's, and a refresh touches a control only
// when what it shows has changed.
#include "operations/dialogs/BatchProgress.h"

#include "base/FileNameParts.h"
#include "base/TextHelpers.h"
#include "ui/Application.h"
#include "ui/FocusKeeper.h"
#include "ui/Thread.h"
#include "ui/Timer.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>

namespace {

constexpr UINT kRefreshMs = 50;

class BatchWorker : public Thread {
public:
    BatchWorker(const std::vector<std::wstring>& paths, const PerFileWork& work)
        : paths_(paths), work_(work), ended_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        outcomes_.reserve(paths.size());
    }
    ~BatchWorker() override { Shutdown(); }

    HANDLE Ended() const { return ended_.Get(); }
    // Files begun and files finished so far.
    size_t Begun() const { return begun_; }
    size_t Finished() const { return finished_; }
    // Only once the worker has ended.
    std::vector<FileOutcome> TakeOutcomes() { return std::move(outcomes_); }

protected:
    void Execute() override {
        for (const std::wstring& path : paths_) {
            if (Terminated())
                break;
            ++begun_;
            FileOutcome outcome;
            try {
                outcome = work_(path);
            } catch (...) {
                outcome = FileOutcome::Failed(Failure::Other, L"erreur inattendue");
            }
            outcomes_.push_back(std::move(outcome));
            ++finished_;
        }
    }
    void DoTerminate() override { ::SetEvent(ended_.Get()); }

private:
    const std::vector<std::wstring>& paths_;
    const PerFileWork& work_;
    KernelHandle ended_;
    std::vector<FileOutcome> outcomes_;
    std::atomic<size_t> begun_{0};
    std::atomic<size_t> finished_{0};
};

// The owner kept from input for the batch; at the end it is enabled again before the progress
// window goes, so that the platform activates it rather than another program, and the control
// that had the focus gets it back.
class BatchSession {
public:
    explicit BatchSession(HWND owner)
        : owner_(owner), focus_(::GetFocus()), disabled_(owner && ::IsWindowEnabled(owner)) {
        if (disabled_)
            ::EnableWindow(owner_, FALSE);
    }
    ~BatchSession() {
        if (disabled_)
            ::EnableWindow(owner_, TRUE);
        if (Progress) {
            Progress.reset();
            if (owner_)
                ::SetActiveWindow(owner_);
        }
        GiveFocusBack(focus_);
    }
    BatchSession(const BatchSession&) = delete;
    BatchSession& operator=(const BatchSession&) = delete;

    std::unique_ptr<BatchProgressForm> Progress;

private:
    HWND owner_;
    HWND focus_;
    bool disabled_;
};

// Handles messages until the event is signalled or the program is asked to end (the quit request
// stays queued for the outer loop); false in that last case. The wait wakes for new input only:
// the queue is emptied before each wait, and input seen but left there must not wake it over and
// over, which would take a processor from the worker for the whole batch.
bool PumpUntil(HANDLE event) {
    for (;;) {
        const HANDLE waits[] = {event};
        const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, waits, INFINITE, QS_ALLINPUT, 0);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return false;
        Application::ProcessMessages();
        MSG quit;
        if (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
            return false;
    }
}

class SearchWorker : public Thread {
public:
    explicit SearchWorker(const SearchWork& search)
        : search_(search), ended_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~SearchWorker() override { Shutdown(); }

    HANDLE Ended() const { return ended_.Get(); }
    SearchProgress& Progress() { return progress_; }
    // Only once the worker has ended: the search went through without a stop or a failure.
    bool Whole() const { return whole_; }

protected:
    void Execute() override {
        try {
            search_(progress_);
            whole_ = !progress_.StopAsked();
        } catch (...) {
            // A search that failed gives no files: the batch does not start.
        }
    }
    void DoTerminate() override { ::SetEvent(ended_.Get()); }

private:
    const SearchWork& search_;
    KernelHandle ended_;
    SearchProgress progress_;
    bool whole_ = false;
};

// A stop from outside bound to one run for as long as the run lasts.
class StopBinding {
public:
    StopBinding(BatchStop* stop, std::function<void()> stopAndWait) : stop_(stop) {
        if (stop_)
            stop_->Bind(std::move(stopAndWait));
    }
    ~StopBinding() {
        if (stop_)
            stop_->Bind({});
    }
    StopBinding(const StopBinding&) = delete;
    StopBinding& operator=(const StopBinding&) = delete;

private:
    BatchStop* stop_;
};

} // namespace

BatchProgressForm::BatchProgressForm(HWND owner, const std::wstring& fontName, size_t total) : total_(total) {
    Create(kCaption, 0, 0, kClientWidth, kClientHeight, kDialogStyle, owner, WS_EX_DLGMODALFRAME);
    SetFontName(fontName);
    CenterOnOwner();

    CountLabel.Create(Handle(), L"", 12, 12, kClientWidth - 24, 16, Label::TextAlign::Left, false);
    NameLabel.Create(Handle(), L"", 12, 32, kClientWidth - 24, 16, Label::TextAlign::Left, false);
    // A long name ends in an ellipsis rather than at the label's edge.
    ::SetWindowLongW(NameLabel.Handle(), GWL_STYLE,
                     ::GetWindowLongW(NameLabel.Handle(), GWL_STYLE) | SS_ENDELLIPSIS);
    Bar.Create(Handle(), 12, 56, kClientWidth - 24, 18);
    Bar.SetMaximum(static_cast<int>(total_));
    BtnStop.Create(Handle(), L"&Arrêter", (kClientWidth - 90) / 2, 84, 90, 26, 0, true);
    BtnStop.OnClick = [this] { AskStop(); };
}

BatchProgressForm::~BatchProgressForm() {
    Destroy();
}

void BatchProgressForm::ShowFile(size_t number, const std::wstring& path, size_t finished) {
    if (number != shownNumber_) {
        shownNumber_ = number;
        if (!stopAsked_)
            CountLabel.SetText(L"Fichier " + ByteCountText(static_cast<int64_t>(number)) + L" sur " +
                               ByteCountText(static_cast<int64_t>(total_)));
        NameLabel.SetText(SplitFileName(path).Name);
    }
    if (finished != shownFinished_) {
        shownFinished_ = finished;
        Bar.SetPosition(static_cast<int>(finished));
    }
}

void BatchProgressForm::ShowSearch(size_t files, size_t folders) {
    if (!searching_) {
        searching_ = true;
        ::ShowWindow(Bar.Handle(), SW_HIDE);
    }
    if (stopAsked_)
        return;
    CountLabel.SetText(L"Recherche des fichiers : " + ByteCountText(static_cast<int64_t>(files)) +
                       PluralWord(L" fichier", static_cast<int64_t>(files)) + L", " +
                       ByteCountText(static_cast<int64_t>(folders)) +
                       PluralWord(L" dossier", static_cast<int64_t>(folders)));
}

void BatchProgressForm::AskStop() {
    if (stopAsked_)
        return;
    stopAsked_ = true;
    CountLabel.SetText(searching_ ? L"Arrêt de la recherche..." : L"Arrêt après le fichier en cours...");
    BtnStop.SetEnabled(false);
    if (OnStop)
        OnStop();
}

LRESULT BatchProgressForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE || (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL && lp == 0)) {
        AskStop();
        return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
}

BatchProgressResult RunWithProgress(HWND owner, const std::wstring& fontName,
                                    const std::vector<std::wstring>& paths, const PerFileWork& work,
                                    unsigned showAfterMs, BatchStop* stop) {
    BatchProgressResult result;
    if (paths.empty())
        return result;
    BatchWorker worker(paths, work);
    BatchSession session(owner);
    const ULONGLONG start = ::GetTickCount64();
    auto refresh = [&] {
        // The first file counts as begun from the start: the worker may not have taken it yet.
        const size_t number = std::max<size_t>(worker.Begun(), 1);
        if (!session.Progress) {
            if (::GetTickCount64() - start < showAfterMs || worker.Finished() == paths.size())
                return;
            session.Progress = std::make_unique<BatchProgressForm>(owner, fontName, paths.size());
            session.Progress->OnStop = [&worker] { worker.Terminate(); };
            session.Progress->ShowFile(number, paths[number - 1], worker.Finished());
            ::ShowWindow(session.Progress->Handle(), SW_SHOW);
            ::SetFocus(session.Progress->BtnStop.Handle());
            return;
        }
        session.Progress->ShowFile(number, paths[number - 1], worker.Finished());
    };
    Timer timer;
    timer.SetInterval(kRefreshMs);
    timer.OnTimer = refresh;
    // The stop from outside waits for the worker without pumping: the worker needs nothing from
    // this thread, and the caller (the session ending) must not return before the file is done.
    const StopBinding binding(stop, [&worker] {
        worker.Terminate();
        worker.WaitFor();
    });
    worker.Start();
    refresh();
    // Once the program is asked to end, its windows no longer matter: the batch still finishes
    // every file, so that the user finds them all done, and the request waits in the queue.
    if (!PumpUntil(worker.Ended()))
        ::WaitForSingleObject(worker.Ended(), INFINITE);
    worker.WaitFor();
    timer.SetEnabled(false);
    result.Outcomes = worker.TakeOutcomes();
    result.Stopped = worker.Terminated() && result.Outcomes.size() < paths.size();
    return result;
}

bool RunSearchWithProgress(HWND owner, const std::wstring& fontName, const SearchWork& search,
                           unsigned showAfterMs, BatchStop* stop) {
    SearchWorker worker(search);
    BatchSession session(owner);
    const ULONGLONG start = ::GetTickCount64();
    auto refresh = [&] {
        SearchProgress& progress = worker.Progress();
        if (!session.Progress) {
            if (::GetTickCount64() - start < showAfterMs)
                return;
            session.Progress = std::make_unique<BatchProgressForm>(owner, fontName, 0);
            session.Progress->OnStop = [&progress] { progress.AskStop(); };
            session.Progress->ShowSearch(progress.Files(), progress.Folders());
            ::ShowWindow(session.Progress->Handle(), SW_SHOW);
            ::SetFocus(session.Progress->BtnStop.Handle());
            return;
        }
        session.Progress->ShowSearch(progress.Files(), progress.Folders());
    };
    Timer timer;
    timer.SetInterval(kRefreshMs);
    timer.OnTimer = refresh;
    const StopBinding binding(stop, [&worker] {
        worker.Progress().AskStop();
        worker.WaitFor();
    });
    worker.Start();
    // Unlike a batch, a search changes nothing: the program's end stops it at once.
    if (!PumpUntil(worker.Ended())) {
        worker.Progress().AskStop();
        ::WaitForSingleObject(worker.Ended(), INFINITE);
    }
    worker.WaitFor();
    timer.SetEnabled(false);
    return worker.Whole();
}
