// Runs a batch's per-file work on a worker thread while the window that started it stays drawn
// and disabled; a batch that lasts longer than a moment shows its progress (files done of the
// total, the current file) and can be stopped with a button or Escape. Stopping ends the batch
// after the file being done.
#pragma once

#include "operations/FileOutcome.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

using PerFileWork = std::function<FileOutcome(const std::wstring& path)>;

struct BatchProgressResult {
    // One per file reached, in the order of the paths.
    std::vector<FileOutcome> Outcomes;
    // The user stopped the batch before its last file.
    bool Stopped = false;
};

// Stops a running batch from outside its progress window, as the window's button does: for the
// session ending. RunWithProgress ties it to its batch while the batch runs.
class BatchStop {
public:
    // Asks the batch to stop after the file being done and returns once that file is done; at once
    // when no batch runs.
    void StopAndWait() const {
        if (stopAndWait_)
            stopAndWait_();
    }
    // For RunWithProgress: how to stop its batch; empty once the batch has ended.
    void Bind(std::function<void()> stopAndWait) { stopAndWait_ = std::move(stopAndWait); }

private:
    std::function<void()> stopAndWait_;
};

// Runs `work` on every path in order, on a worker thread, and returns when it has ended. `owner`
// is disabled meanwhile and enabled again afterwards, with its focus back. The progress window
// shows once the batch has run `showAfterMs` milliseconds. `stop`, when given, can stop the batch
// while it runs.
BatchProgressResult RunWithProgress(HWND owner, const std::wstring& fontName,
                                    const std::vector<std::wstring>& paths, const PerFileWork& work,
                                    unsigned showAfterMs = 500, BatchStop* stop = nullptr);

// What a search for a batch's files shares with its progress window: the worker tells its counts,
// the window reads them on its timer and asks the stop, which the worker tests where it can end.
class SearchProgress {
public:
    void Tell(size_t files, size_t folders) {
        files_.store(files, std::memory_order_relaxed);
        folders_.store(folders, std::memory_order_relaxed);
    }
    size_t Files() const { return files_.load(std::memory_order_relaxed); }
    size_t Folders() const { return folders_.load(std::memory_order_relaxed); }
    void AskStop() { stop_.store(true, std::memory_order_relaxed); }
    bool StopAsked() const { return stop_.load(std::memory_order_relaxed); }

private:
    std::atomic<size_t> files_{0};
    std::atomic<size_t> folders_{0};
    std::atomic<bool> stop_{false};
};

using SearchWork = std::function<void(SearchProgress& progress)>;

// Runs `search` on a worker thread, as RunWithProgress runs a batch: `owner` disabled meanwhile,
// the progress window ("Recherche des fichiers : ...") shown after `showAfterMs` milliseconds, its
// button and Escape asking the stop, and `stop`, when given, stopping it from outside. The
// program's end stops it too. True when the search ran to its end.
bool RunSearchWithProgress(HWND owner, const std::wstring& fontName, const SearchWork& search,
                           unsigned showAfterMs = 500, BatchStop* stop = nullptr);

// The window that shows a running batch. It belongs to RunWithProgress's own loop, not to a modal
// loop: the button, Escape and the title-bar button only ask for the stop (OnStop), once.
class BatchProgressForm : public Form {
public:
    static constexpr int kClientWidth = 380;
    static constexpr int kClientHeight = 120;
    static constexpr const wchar_t* kCaption = L"Kavet24";

    BatchProgressForm(HWND owner, const std::wstring& fontName, size_t total);
    ~BatchProgressForm() override;

    // The file being done, counted from 1, and how many are finished.
    void ShowFile(size_t number, const std::wstring& path, size_t finished);
    // The search for the batch's files, before the batch: how far it has gone (no bar, no file).
    void ShowSearch(size_t files, size_t folders);
    bool StopAsked() const { return stopAsked_; }

    std::function<void()> OnStop;

    Label CountLabel;
    Label NameLabel;
    ProgressBar Bar;
    Button BtnStop;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void AskStop();

    size_t total_;
    size_t shownNumber_ = 0;
    size_t shownFinished_ = 0;
    bool stopAsked_ = false;
    bool searching_ = false;
};
