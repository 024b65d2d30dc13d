// Runs a batch's per-file work on a worker thread while the window that started it stays drawn
// and disabled; a batch that lasts longer than a moment shows its progress (files done of the
// total, the current file) and can be stopped with a button or Escape. Stopping ends the batch
// after the file being done.
#pragma once

#include "operations/FileOutcome.h"

#include <windows.h>

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

// Runs `work` on every path in order, on a worker thread, and returns when it has ended. `owner`
// is disabled meanwhile and enabled again afterwards, with its focus back. The progress window
// shows once the batch has run `showAfterMs` milliseconds.
BatchProgressResult RunWithProgress(HWND owner, const std::wstring& fontName,
                                    const std::vector<std::wstring>& paths, const PerFileWork& work,
                                    unsigned showAfterMs = 500);
