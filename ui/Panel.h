// A plain container: lays out its aligned children whenever it is resized, may show a caption
// (the explorer pane's heading) and a bevel, and passes its children's notifications on to them.
#pragma once

#include "ui/Control.h"

#include <functional>

class Panel : public Control {
public:
    enum class Bevel { None, Raised, Lowered };
    enum class CaptionAlign { Left, Center, Right };

    ~Panel() override;
    bool Create(HWND parent, Align align, int width, int height, const std::wstring& caption = {});

    void SetBevel(Bevel bevel);
    void SetCaptionAlign(CaptionAlign align);
    void Realign() { RealignChildren(Handle()); }

    // After the panel was resized and its aligned children laid out: lets the owner fit children
    // that are not toolkit controls (a tree or list view filling the panel).
    std::function<void()> OnResize;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint();

    HFONT font_ = nullptr; // the parent's, not owned
    Bevel bevel_ = Bevel::None;
    CaptionAlign captionAlign_ = CaptionAlign::Center;
};
