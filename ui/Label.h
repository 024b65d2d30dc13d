// A static text: alignment, word wrap, and optionally a font of its own (face, bold) and a colour.
#pragma once

#include "ui/Control.h"
#include "base/Handles.h"

class Label : public Control {
public:
    enum class TextAlign { Left, Center, Right };

    bool Create(HWND parent, const std::wstring& caption, int x, int y, int width, int height,
                TextAlign align = TextAlign::Left, bool wordWrap = true);
    // Gives the label a font of its own (design height), kept when the form's font changes.
    void SetOwnFont(const std::wstring& face, int height, bool bold = false, bool underline = false);
    // Makes the label as high as its text needs, wrapped at its width, in its font.
    void FitHeightToText();
    void SetTextColor(COLORREF color);
    COLORREF TextColor() const { return color_; }

protected:
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    GdiObject ownFont_;
    COLORREF color_ = CLR_INVALID;
};
