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
};
