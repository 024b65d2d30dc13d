// What the benchmarks that drive the main window share: the process set up as the program sets
// itself up (locale, COM, common controls), with errors printed and questions answered so that
// nothing waits for a click; a message pump; and a registry key of their own.
#pragma once

#include "base/WinLocale.h"
#include "ui/ExceptionDisplay.h"
#include "ui/MessageBox.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <string>

class BenchWindowSession {
public:
    BenchWindowSession() {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
        SetCurrentLocale(locale_);
        com_ = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES |
                                                            ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES |
                                                            ICC_TREEVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        SetExceptionSink([](const std::wstring& text) { std::printf("error shown: %ls\n", text.c_str()); });
        SetMessageBoxAnswerer([](const MessageBoxRequest& request) {
            std::printf("message box: %ls\n", request.text.c_str());
            return IDOK;
        });
    }
    ~BenchWindowSession() {
        SetMessageBoxAnswerer({});
        SetExceptionSink({});
        if (SUCCEEDED(com_))
            ::CoUninitialize();
    }
    BenchWindowSession(const BenchWindowSession&) = delete;
    BenchWindowSession& operator=(const BenchWindowSession&) = delete;

private:
    WinLocale locale_;
    HRESULT com_ = E_FAIL;
};

// Runs the thread's queued messages; with a wait, keeps at it until nothing came for that long.
inline void Pump(DWORD quietMs = 0) {
    for (;;) {
        MSG msg;
        bool any = false;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (quietMs == 0 ||
            (!any && ::MsgWaitForMultipleObjects(0, nullptr, FALSE, quietMs, QS_ALLINPUT) == WAIT_TIMEOUT))
            return;
    }
}

// Runs the thread's posted messages only, such as the re-list that the main window
// posts; no painting or input, so that a timing holds the re-list alone.
inline void RunPosted() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A product key of its own under HKEY_CURRENT_USER, removed at the end.
class ScratchKey {
public:
    ScratchKey() : path_(L"Software\\Lumarek\\Kavet24-bench-" + std::to_wstring(::GetCurrentProcessId())) {}
    ~ScratchKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};
