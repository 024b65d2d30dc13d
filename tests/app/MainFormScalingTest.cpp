// The main window built for 144 DPI: its panes, bars, toolbar buttons and columns at one and a
// half times their design sizes, while the widths it stores stay in design units.
#include "app/MainForm.h"
#include "support/win/ScratchRegistryKey.h"
#include "ui/Dpi.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class MainFormScalingTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TMainForm>(key.Path());
        ::ShowWindow(form->Handle(), SW_SHOWNORMAL);
    }

    ScopedDpiOverride dpi{144};
    ScratchRegistryKey key;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(MainFormScalingTest, PanesAndBarsTakeTheirDesignSizesAtTheWindowsDpi) {
    EXPECT_EQ(form->Dpi(), 144);
    RECT r{};
    ::GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 1125);
    EXPECT_EQ(form->PanelDirTree.Width(), 480);
    EXPECT_EQ(form->S1.Width(), 3);
    EXPECT_EQ(form->FileList->ColumnWidth(0), 180);
    for (auto& [bar, name] : form->ToolButtons()) {
        const SIZE size = bar->ButtonSize(name);
        EXPECT_EQ(size.cx, 105);
        EXPECT_EQ(size.cy, 68);
    }
}

TEST_F(MainFormScalingTest, SplitterMovesAreStoredInDesignUnits) {
    form->S1.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
    form->S1.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 5));
    form->S1.Send(WM_LBUTTONUP, 0, MAKELPARAM(0, 5)); // the bar has moved with the mouse
    EXPECT_EQ(form->PanelDirTree.Width(), 510);
    EXPECT_EQ(form->Settings.DirTreeWidth, 340);
    form->Close();
    EXPECT_EQ(ScratchRegistryKey::Dword(key / L"Options", L"DirTreeWidth"), 340u);

    const ScopedDpiOverride at96(96);
    form = std::make_unique<TMainForm>(key.Path());
    EXPECT_EQ(form->PanelDirTree.Width(), 340);
}
