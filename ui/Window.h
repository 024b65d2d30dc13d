// The one window base class of the toolkit. A window is either made from a class registered here
// (forms, panels) or is a platform control (list view, tree view, edit...) that the wrapper
// subclasses. Either way every message reaches the virtual HandleMessage of the wrapper.
//
// Notifications: a parent forwards WM_NOTIFY, WM_COMMAND (from controls), WM_DRAWITEM,
// WM_MEASUREITEM, WM_CTLCOLOR* and WM_H/VSCROLL to the wrapper of the child that sent them
// (HandleReflected); only when the child does not handle it does the parent see it as usual.
//
// Another object may listen to a message of a window (Listen): a control that needs a broadcast
// only its top-level window receives hears it there without subclassing that window again.
//
// Exceptions never leave a window procedure: they are caught there and handed to ReportException.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    bool HandleAllocated() const { return hwnd_ != nullptr; }

    // The wrapper of a window made or subclassed by this toolkit; null for any other window.
    static Window* FromHandle(HWND hwnd);

    // Registers (once per process) a window class of this toolkit whose procedure dispatches to
    // the wrappers.
    static const wchar_t* RegisterClassOnce(const wchar_t* className, UINT classStyle = CS_DBLCLKS,
                                            HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                            HCURSOR cursor = nullptr, HICON icon = nullptr);

    // Creates a window of a class registered with RegisterClassOnce.
    bool CreateWindowOfClass(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                             int x, int y, int width, int height, HWND parent, HMENU menuOrId = nullptr);
    // Creates a platform control (WC_LISTVIEW, L"EDIT"...) and subclasses it.
    bool CreateControl(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, int x,
                       int y, int width, int height, HWND parent, int id = 0);
    // Subclasses a window made elsewhere; the wrapper does not destroy it.
    void Attach(HWND hwnd);

    void Destroy();

    // Small conveniences used everywhere.
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    RECT ClientRect() const;
    RECT WindowRectInParent() const;
    void SetBounds(int x, int y, int width, int height);
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);
    bool Enabled() const;
    void SetFont(HFONT font, bool redraw = true);
    HFONT Font() const;
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;

    // Hears msg before the window handles it. A listener that returns true has handled it and set
    // result: the window does not see it. Returns the key that StopListening takes.
    using Listener = std::function<bool(WPARAM wp, LPARAM lp, LRESULT& result)>;
    int Listen(UINT msg, Listener listener);
    void StopListening(int key);

protected:
    // Every message of the window. Derived classes handle what they need and call
    // Window::HandleMessage for the rest, which forwards child notifications and then runs the
    // default procedure.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    // A notification or command that the parent forwarded from this window. Return true (and set
    // result) when handled; the parent then returns result without handling it itself.
    virtual bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }

    // Called after the window has received WM_NCDESTROY; the handle is already cleared.
    virtual void Destroyed() {}

    // The platform's handling of a message: the subclassed control's own procedure or
    // DefWindowProc.
    LRESULT DefaultHandling(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK ClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    bool NotifyListeners(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    bool ForwardToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void Bind(HWND hwnd);
    // Forgets the window and gives a subclassed control its own procedure back; windowGoing when
    // the window receives its last message.
    void Unbind(bool windowGoing);

    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
    WNDPROC previousProc_ = nullptr; // a subclassed control's own procedure
    bool owned_ = true;

    struct Listening {
        int Key;
        UINT Msg;
        Listener Call;
    };
    std::vector<Listening> listeners_;
    int lastListenKey_ = 0;
};
