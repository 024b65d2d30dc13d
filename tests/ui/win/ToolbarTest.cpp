// Toolbars: button sizes with and without captions, a drop-down part, hints, clicks; and the
// dock that holds them.
#include "ui/Dock.h"
#include "ui/Form.h"
#include "ui/GlyphList.h"
#include "ui/Toolbar.h"

#include <gtest/gtest.h>

namespace {

class BarOnAForm : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(form.Create(L"Bars", 0, 0, 600, 300, WS_OVERLAPPEDWINDOW));
        ASSERT_TRUE(dock.Create(form.Handle(), 51));
        auto square = [](HDC dc, const RECT& box) {
            RECT inner{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
            ::FillRect(dc, &inner, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        };
        ASSERT_TRUE(
            bar.Create(dock.Handle(), L"Standard", MakeGlyphList(16, {square, square}),
                       {{.Name = L"Up", .Caption = L"Parent", .Glyph = 0, .OnClick = [this] { ++clicks; }},
                        {.Name = L"View",
                         .Caption = L"Affichage",
                         .Hint = L"Vues",
                         .Glyph = 1,
                         .DropDown = true,
                         .OnDropDown = [this](POINT) { ++dropDowns; }}}));
        dock.Add(bar);
    }

    void Size(bool captions) {
        bar.SetShowCaptions(captions);
        bar.SetButtonSize(L"Up", captions ? 70 : 30, captions ? 45 : 30);
        bar.SetButtonSize(L"View", captions ? 70 : 40, captions ? 45 : 30);
        dock.Arrange();
    }

    Form form;
    Dock dock;
    Toolbar bar;
    int clicks = 0;
    int dropDowns = 0;
};

} // namespace

TEST_F(BarOnAForm, ButtonsWithCaptionsAre70By45) {
    Size(true);
    EXPECT_EQ(bar.ButtonSize(L"Up").cx, 70);
    EXPECT_EQ(bar.ButtonSize(L"Up").cy, 45);
    EXPECT_EQ(bar.ButtonSize(L"View").cx, 70);
    EXPECT_EQ(bar.ButtonCaption(L"Up"), L"Parent");
}

TEST_F(BarOnAForm, GlyphOnlyButtonsAre30By30AndTheDropDownOne40) {
    Size(false);
    EXPECT_EQ(bar.ButtonSize(L"Up").cx, 30);
    EXPECT_EQ(bar.ButtonSize(L"Up").cy, 30);
    EXPECT_EQ(bar.ButtonSize(L"View").cx, 40);
    EXPECT_EQ(bar.ButtonSize(L"View").cy, 30);
    EXPECT_EQ(bar.ButtonCaption(L"Up"), L"");
    Size(true);
    EXPECT_EQ(bar.ButtonSize(L"View").cx, 70);
    EXPECT_EQ(bar.ButtonSize(L"View").cy, 45);
}

TEST_F(BarOnAForm, DockHeightFollowsTheBarsAndVanishesWithoutThem) {
    Size(true);
    const int tall = dock.Height();
    Size(false);
    EXPECT_LT(dock.Height(), tall);
    dock.SetBarVisible(bar, false);
    EXPECT_FALSE(dock.Visible());
    dock.SetBarVisible(bar, true);
    EXPECT_TRUE(dock.Visible());
}

TEST_F(BarOnAForm, ClicksAndDropDownReachTheirHandlers) {
    bar.ClickButton(L"Up");
    EXPECT_EQ(clicks, 1);
    bar.DropDownButton(L"View");
    EXPECT_EQ(dropDowns, 1);
    EXPECT_TRUE(bar.ButtonHasDropDown(L"View"));
    EXPECT_FALSE(bar.ButtonHasDropDown(L"Up"));
}

TEST_F(BarOnAForm, DisabledButtonIgnoresClicks) {
    bar.SetButtonEnabled(L"Up", false);
    EXPECT_FALSE(bar.ButtonEnabled(L"Up"));
    bar.ClickButton(L"Up");
    EXPECT_EQ(clicks, 0);
}

TEST_F(BarOnAForm, HintIsTheCaptionUnlessGiven) {
    EXPECT_EQ(bar.ButtonHint(L"Up"), L"Parent");
    EXPECT_EQ(bar.ButtonHint(L"View"), L"Vues");
}

TEST(GlyphList, GlyphsAreDrawnAtTheDesignSizeAndScaledToTheDpi) {
    // A black square over the design's lower-right quarter.
    auto corner = [](HDC dc, const RECT& box) {
        RECT quarter{box.right / 2, box.bottom / 2, box.right, box.bottom};
        ::FillRect(dc, &quarter, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    };
    ImageListHandle list = MakeGlyphList(16, {corner}, 144);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(list.Get(), &width, &height));
    EXPECT_EQ(width, 24);
    EXPECT_EQ(height, 24);

    MemoryDC dc;
    GdiObject bitmap(::CreateCompatibleBitmap(WindowDC(nullptr).Get(), 24, 24));
    SelectionGuard selected(dc.Get(), bitmap.Get());
    ::PatBlt(dc.Get(), 0, 0, 24, 24, WHITENESS);
    ::ImageList_Draw(list.Get(), 0, dc.Get(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(::GetPixel(dc.Get(), 11, 11), RGB(255, 255, 255)) << "outside the square";
    EXPECT_EQ(::GetPixel(dc.Get(), 12, 12), RGB(0, 0, 0)) << "the square starts at 8 x 1.5";
    EXPECT_EQ(::GetPixel(dc.Get(), 23, 23), RGB(0, 0, 0)) << "and fills the image to its edge";
}
