// The window base: messages reach the wrapper, children's notifications reach the child's wrapper,
// and an exception in a handler goes to the exception display instead of crossing the procedure.
#include "ui/ExceptionDisplay.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <stdexcept>

namespace {

class Frame : public Window {
public:
    Frame() {
        CreateWindowOfClass(RegisterClassOnce(L"KavetTestFrame"), L"Frame", WS_OVERLAPPEDWINDOW, 0, 0, 0, 300,
                            200, nullptr);
    }
    int sizeMessages = 0;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_SIZE)
            ++sizeMessages;
        if (msg == WM_USER + 1)
            throw std::runtime_error("boom");
        return Window::HandleMessage(msg, wp, lp);
    }
};

class Edit : public Window {
public:
    explicit Edit(HWND parent) {
        CreateControl(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 100, 20, parent, 7);
    }
    int changes = 0;

protected:
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) override {
        if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
            ++changes;
            result = 0;
            return true;
        }
        return false;
    }
};

} // namespace

TEST(Window, CreatedWindowIsFoundFromItsHandleAndGetsItsMessages) {
    Frame frame;
    ASSERT_TRUE(frame.HandleAllocated());
    EXPECT_EQ(Window::FromHandle(frame.Handle()), &frame);
    frame.SetBounds(10, 10, 400, 300);
    EXPECT_GT(frame.sizeMessages, 0);
    EXPECT_EQ(frame.Text(), L"Frame");
}

TEST(Window, ChildNotificationReachesTheChildWrapperFirst) {
    Frame frame;
    Edit edit(frame.Handle());
    ASSERT_TRUE(edit.HandleAllocated());
    edit.SetText(L"abc");
    EXPECT_EQ(edit.changes, 1);
}

TEST(Window, ExceptionInAHandlerGoesToTheExceptionDisplay) {
    std::wstring shown;
    SetExceptionSink([&](const std::wstring& text) { shown = text; });
    Frame frame;
    frame.Send(WM_USER + 1);
    SetExceptionSink({});
    EXPECT_EQ(shown, L"boom");
}

TEST(Window, DestroyingTheWrapperDestroysItsWindow) {
    HWND hwnd;
    {
        Frame frame;
        hwnd = frame.Handle();
        EXPECT_TRUE(::IsWindow(hwnd));
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

namespace {

// A wrapper over a control made elsewhere, counting the messages it sees.
class Watcher : public Window {
public:
    int messages = 0;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        ++messages;
        return Window::HandleMessage(msg, wp, lp);
    }
};

LRESULT CALLBACK CountingSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return ::DefSubclassProc(hwnd, msg, wp, lp);
}

HWND BareEdit(HWND parent) {
    return ::CreateWindowExW(0, L"EDIT", L"abc", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TEST(Window, AttachedControlAnswersThroughTheWrapperAndIsHandedBackWhole) {
    Frame frame;
    const HWND hwnd = BareEdit(frame.Handle());
    const LONG_PTR ownProc = ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    {
        Watcher watcher;
        watcher.Attach(hwnd);
        EXPECT_EQ(Window::FromHandle(hwnd), &watcher);
        EXPECT_EQ(::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0), 3);
        EXPECT_GT(watcher.messages, 0);
    }
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(Window::FromHandle(hwnd), nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC), ownProc);
    EXPECT_EQ(::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0), 3);
}

TEST(Window, ALaterSubclassKeepsWorkingAfterTheWrapperLetsGo) {
    Frame frame;
    const HWND hwnd = BareEdit(frame.Handle());
    int later = 0;
    {
        Watcher watcher;
        watcher.Attach(hwnd);
        ASSERT_TRUE(::SetWindowSubclass(hwnd, &CountingSubclass, 1, reinterpret_cast<DWORD_PTR>(&later)));
        ::SetWindowTextW(hwnd, L"abcdef");
        EXPECT_GT(watcher.messages, 0);
    }
    later = 0;
    EXPECT_EQ(Window::FromHandle(hwnd), nullptr);
    EXPECT_EQ(::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0), 6);
    EXPECT_EQ(later, 1);
    ::RemoveWindowSubclass(hwnd, &CountingSubclass, 1);
    EXPECT_EQ(::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0), 6);
    EXPECT_TRUE(::DestroyWindow(hwnd));
}

TEST(Window, DestroyedControlLeavesItsWrapperWithoutAHandle) {
    Frame frame;
    Edit edit(frame.Handle());
    const HWND hwnd = edit.Handle();
    ASSERT_EQ(Window::FromHandle(hwnd), &edit);
    ::DestroyWindow(hwnd);
    EXPECT_FALSE(edit.HandleAllocated());
    EXPECT_EQ(Window::FromHandle(hwnd), nullptr);
}

TEST(Window, ListenerHearsAMessageFirstAndMayTakeItUntilItStops) {
    Frame frame;
    int heard = 0;
    const int key = frame.Listen(WM_USER + 1, [&](WPARAM wp, LPARAM, LRESULT& result) {
        heard += static_cast<int>(wp);
        result = 42;
        return true;
    });
    // Taken by the listener: the frame's own handler would throw.
    EXPECT_EQ(frame.Send(WM_USER + 1, 3), 42);
    EXPECT_EQ(heard, 3);
    frame.SetBounds(10, 10, 400, 300);
    EXPECT_GT(frame.sizeMessages, 0) << "other messages still reach the window";

    frame.StopListening(key);
    std::wstring shown;
    SetExceptionSink([&](const std::wstring& text) { shown = text; });
    frame.Send(WM_USER + 1, 5);
    SetExceptionSink({});
    EXPECT_EQ(heard, 3);
    EXPECT_EQ(shown, L"boom");
}
