// Where a run from the command line prints. The program is a window program, so it has no console
// of its own: a script that redirected its output gets the text there, in UTF-8; started from a
// console, it borrows that console while it runs; started with neither (a scheduled task), it
// prints nothing, and only its exit code tells.
#pragma once

#include "base/Handles.h"

#include <string>

class ConsoleOutput {
public:
    ConsoleOutput();
    // Gives the borrowed console back.
    ~ConsoleOutput();
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

    // The text and a line end; nothing when there is nowhere to print.
    void WriteLine(const std::wstring& line);

private:
    HANDLE Target() const;

    // The handle the program was given, not ours to close.
    HANDLE inherited_ = nullptr;
    // The parent's console screen, opened by us.
    FileHandle console_;
    bool attached_ = false;
    bool isConsole_ = false;
};
