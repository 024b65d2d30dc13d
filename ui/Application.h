// The program-wide state of the user interface: the title used by message boxes, the hint of the
// moment, and the message loop of the main form.
#pragma once

#include <string>

class Application {
public:
    static const std::wstring& Title();
    static void SetTitle(const std::wstring& title);
    static const std::wstring& Hint();
    static void SetHint(const std::wstring& hint);

    // Runs the message loop until the main form is destroyed; returns the exit code.
    static int Run();
    // Lets every message already queued be handled, then returns.
    static void ProcessMessages();
};
