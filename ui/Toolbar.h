// A bar of glyph buttons (the platform's toolbar): each button has a name, a caption shown under
// its glyph or hidden, a hint shown as a tooltip, an OnClick, and optionally a drop-down part.
// Button sizes are set by the owner; the bar's own size follows its buttons.
#pragma once

#include "ui/Control.h"
#include "base/Handles.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct ToolButtonDesc {
    std::wstring Name;
    std::wstring Caption;
    std::wstring Hint; // the caption when empty
    int Glyph = -1;    // index in the bar's image list
    bool DropDown = false;
    std::function<void()> OnClick;
    // The drop-down part was pressed; the point is the bottom-left corner of the button, on screen.
    std::function<void(POINT)> OnDropDown;
};

class Toolbar : public Control {
public:
    Toolbar();
    ~Toolbar() override;
    bool Create(HWND parent, const std::wstring& caption, ImageListHandle glyphs,
                const std::vector<ToolButtonDesc>& buttons);

    const std::wstring& Caption() const { return caption_; }
    std::vector<std::wstring> ButtonNames() const;
    bool HasButton(const std::wstring& name) const;

    // Captions under the glyphs, or glyphs only (the captions then only appear as tooltips).
    void SetShowCaptions(bool show);
    bool ShowCaptions() const { return showCaptions_; }
    // Every button of the bar is as high as the given height.
    void SetButtonSize(const std::wstring& name, int width, int height);
    SIZE ButtonSize(const std::wstring& name) const;
    std::wstring ButtonHint(const std::wstring& name) const;
    std::wstring ButtonCaption(const std::wstring& name) const;
    bool ButtonHasDropDown(const std::wstring& name) const;

    void SetButtonEnabled(const std::wstring& name, bool enabled);
    bool ButtonEnabled(const std::wstring& name) const;

    // The width and height the bar needs for its buttons.
    SIZE IdealSize() const;
    // Presses a button's main part or its drop-down part as the user does.
    void ClickButton(const std::wstring& name);
    void DropDownButton(const std::wstring& name);

protected:
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    struct Button {
        ToolButtonDesc desc;
        int id = 0;
        std::wstring shownText;
    };
    class TipRelay;

    Button* FindByName(const std::wstring& name);
    const Button* FindByName(const std::wstring& name) const;
    Button* FindById(int id);
    void ApplyText(Button& button);
    void Fit();

    std::wstring caption_;
    ImageListHandle glyphs_;
    std::vector<Button> buttons_;
    std::unique_ptr<TipRelay> tips_;
    bool showCaptions_ = true;
    int height_ = 0;
};
