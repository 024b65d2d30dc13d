// The main window built for 144 DPI: its panes, bars, toolbar buttons and columns at one and a
// half times their design sizes, while the widths it stores stay in design units.
#include "MainFormFixture.h"

#include "ui/Dpi.h"

#include <memory>

namespace {

class MainFormScalingTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        OpenWindow();
    }

    HWND TreePane() const { return ::GetParent(::GetParent(Tree())); }
    HWND FirstSplitter() const {
        for (HWND bar : ChildrenOfClass(Window(), L"KavetSplitter"))
            if (::GetParent(bar) == Window())
                return bar;
        return nullptr;
    }

    ScopedDpiOverride dpi{144};
};

} // namespace

TEST_F(MainFormScalingTest, PanesAndBarsTakeTheirDesignSizesAtTheWindowsDpi) {
    EXPECT_EQ(form->Dpi(), 144);
    RECT r{};
    ::GetWindowRect(Window(), &r);
    EXPECT_EQ(r.right - r.left, 1125);
    EXPECT_EQ(WindowWidth(TreePane()), 480);
    EXPECT_EQ(WindowWidth(FirstSplitter()), 3);
    EXPECT_EQ(ListColumnWidth(List(), 0), 180);
    const std::vector<ToolButton> buttons = ToolButtons(Window());
    EXPECT_EQ(buttons.size(), 8u);
    for (const ToolButton& button : buttons) {
        const SIZE size = ToolButtonSize(button);
        EXPECT_EQ(size.cx, 105);
        EXPECT_EQ(size.cy, 68);
    }
}

TEST_F(MainFormScalingTest, SplitterMovesAreStoredInDesignUnits) {
    const HWND splitter = FirstSplitter();
    ::SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
    ::SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 5));
    ::SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(0, 5)); // the bar has moved with the mouse
    EXPECT_EQ(WindowWidth(TreePane()), 510);
    form->Close();
    EXPECT_EQ(ScratchRegistryKey::Dword(key / L"Options", L"DirTreeWidth"), 340u);

    const ScopedDpiOverride at96(96);
    OpenWindowOnStoredSettings();
    EXPECT_EQ(WindowWidth(TreePane()), 340);
}
