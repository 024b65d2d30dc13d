// A top-level window of the program: the main window or a dialog. It owns its font (made from a
// face name, inherited by its controls), lays out its aligned controls, dispatches its menus'
// commands and keyboard shortcuts, and can be shown modally with a modal result.
//
// Scaling: a form takes its DPI when it is created. The sizes given to Create, to SetFontName and
// to the Create of its controls are those of the design at 96 DPI and are scaled to that DPI;
// everything read back from a window, or set on one later (SetBounds, SetWidth), is in pixels.
#pragma once

#include "ui/Control.h"
#include "ui/Dpi.h"
#include "base/Handles.h"

#include <functional>
#include <string>

class Accelerators;

enum ModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };

class Form : public Window {
public:
    Form();
    ~Form() override;

    // Creates the window with a client area of the given design size; owner is the window it
    // stays above (and that a modal showing disables) and whose DPI it takes.
    bool Create(const std::wstring& caption, int x, int y, int clientWidth, int clientHeight, DWORD style,
                HWND owner = nullptr, DWORD exStyle = 0);
    // The usual style of a dialog: fixed border, system menu only. Children are not clipped out:
    // group boxes leave their inside to the dialog's background.
    static constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

    const std::wstring& FontName() const { return fontName_; }
    // The design height; the font itself is scaled to the form's DPI.
    int FontHeight() const { return fontHeight_; }
    // Remakes the form's font and gives it to every control that takes its parent's font.
    void SetFontName(const std::wstring& name, int height = -11);
    HFONT FormFont() const { return static_cast<HFONT>(font_.Get()); }

    int Dpi() const { return dpi_; }
    // A design length in pixels at the form's DPI, and a length in pixels back in design units.
    int Scale(int designLength) const;
    int Unscale(int length) const;
    // The DPI of the form that holds a window, or the window's own when no form holds it.
    static int DpiOf(HWND window);

    // In pixels.
    void SetClientSize(int width, int height);
    void CenterOnScreen();
    // Centres the form over its owner, kept on the owner's screen; on the screen when it has none.
    void CenterOnOwner();
    // The least client area a resizable form may be dragged to, in design units.
    void SetMinClientSize(int designWidth, int designHeight) { minClient_ = SIZE{designWidth, designHeight}; }
    void SetIcon(HICON icon);

    // Shows the form modally and returns its modal result: runs the modal loop (or the installed
    // ModalRunner) until a result is set or the form is closed, which gives mrCancel.
    int ShowModal();
    int GetModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool IsModal() const { return modal_; }

    // Asks the form to close, as its title-bar button does.
    void Close();

    // The main form ends the message loop when it is destroyed.
    void SetMainForm(bool main) { mainForm_ = main; }
    void SetMenuBar(HMENU menu);
    void SetAccelerators(const Accelerators* accelerators) { accelerators_ = accelerators; }

    // Keyboard shortcuts and dialog keys for the form that a queued message is meant for.
    static bool PreTranslate(MSG& msg);
    // The form that holds a window, or null.
    static Form* OfWindow(HWND hwnd);

    std::function<void()> OnShow;
    std::function<void()> OnResize;
    // Called before the window goes away (not when a modal form merely ends its showing).
    std::function<void()> OnClose;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void RunModalLoop();

    std::wstring fontName_ = L"MS Sans Serif";
    int fontHeight_ = -11;
    int dpi_ = kDesignDpi;
    GdiObject font_;
    int modalResult_ = mrNone;
    bool modal_ = false;
    bool mainForm_ = false;
    bool shownOnce_ = false;
    const Accelerators* accelerators_ = nullptr;
    HWND focusBefore_ = nullptr; // the owner's control with the focus when the form was created
    SIZE minClient_{0, 0};
};
