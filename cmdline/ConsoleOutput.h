// Where a run from the command line prints: the per-file lines and the count on standard output,
// errors on standard error. The console program (Kavet24.com) has both from its console or the
// script's redirections. The window program (Kavet24.exe) has no console of its own: a script that
// redirected its output gets the text there, in UTF-8; started from a console, it borrows that
// console while it runs; started with neither (a scheduled task), it prints nothing, and only its
// exit code tells. Without an error stream of its own, errors go where the output goes.
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

    // The text and a line end on standard output; nothing when there is nowhere to print.
    void WriteLine(const std::wstring& line);
    // The same on standard error.
    void WriteErrorLine(const std::wstring& line);

private:
    // One place to print: a console, written in UTF-16, or a file or pipe, written in UTF-8.
    struct Target {
        HANDLE Handle = nullptr;
        bool IsConsole = false;
    };
    static Target TargetOf(HANDLE handle);
    static void Write(const Target& target, const std::wstring& line);

    Target output_;
    Target error_;
    // The parent's console screen, opened by us.
    FileHandle console_;
    bool attached_ = false;
};
