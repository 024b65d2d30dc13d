// One window for many starts: Explorer starts the program once per selected file, and each start
// after the first hands its paths to the window already open (WM_COPYDATA) and ends. A named
// mutex of the user's session lines the starts up, so that a start that comes while the first is
// still building its window waits for that window rather than opening another.
#pragma once

#include "app/ExplorerSelection.h"
#include "base/Handles.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class HandOverTurn {
public:
    // Waits for this session's turn; none when the wait timed out (the start then opens a
    // window of its own rather than none).
    static std::optional<HandOverTurn> Wait(std::chrono::milliseconds timeout);
    HandOverTurn(HandOverTurn&&) noexcept = default;
    HandOverTurn& operator=(HandOverTurn&&) noexcept = default;
    ~HandOverTurn();

private:
    explicit HandOverTurn(KernelHandle mutex) : mutex_(std::move(mutex)) {}
    KernelHandle mutex_;
};

// Marks hwnd as the window that takes the paths of later starts, and lets it take them from a
// start of lower integrity too (the block is checked before anything is read from it).
void MarkHandOverWindow(HWND hwnd);
// Files dropped from Explorer reach hwnd (WM_DROPFILES), also while the program runs as
// administrator, as its manifest asks, and Explorer does not.
void AcceptDroppedFiles(HWND hwnd);
// The marked window of this session, if one is open.
HWND FindHandOverWindow();
// Hands the paths to window and lets it come forward; false when it did not take them.
bool HandPathsTo(HWND window, const std::vector<std::wstring>& paths);

// The paths in full, against this process's current folder: the window that takes them has
// another.
std::vector<std::wstring> FullPaths(const std::vector<std::wstring>& paths);
// The paths in full and whether each is a folder.
std::vector<GivenPath> ExaminePaths(const std::vector<std::wstring>& paths);
