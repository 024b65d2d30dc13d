// A child control of a form: the window base plus what the containers need to lay it out (its
// alignment and creation order) and whether it takes its font from its parent. The position and
// size given when a control is created are design values, scaled to its form's DPI (see Form).
#pragma once

#include "ui/AlignLayout.h"
#include "ui/Window.h"

class Control : public Window {
public:
    Control();

    Align GetAlign() const { return align_; }
    void SetAlign(Align align);
    // Creation order among all controls: the order in which a container serves equal alignments.
    unsigned Order() const { return order_; }

    // A control with a font of its own (a bold label, a link) keeps it when the form's font changes.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont) { parentFont_ = parentFont; }

    // The DPI of the control's form, and a design length in pixels at that DPI.
    int Dpi() const;
    int Scaled(int designLength) const;

    int Width() const;
    int Height() const;
    void SetWidth(int width);
    void SetHeight(int height);
    // Shows or hides the control and lays out its parent again, as an aligned control's room changes.
    void SetShown(bool shown);

    // Lays out the direct children of a container window that are aligned controls.
    static void RealignChildren(HWND container);
    // Asks the parent to lay out its children again.
    void RealignParent() const;

protected:
    // Creates a platform control as a child, at the design position and size scaled to the
    // parent's DPI, and gives it its parent's font.
    bool CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                     HWND parent, int x = 0, int y = 0, int width = 0, int height = 0);
    // After creation of any child: take the parent's font.
    void TakeParentFont();

private:
    Align align_ = Align::None;
    unsigned order_ = 0;
    bool parentFont_ = true;
};
