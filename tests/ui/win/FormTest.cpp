// Forms: modal showing through the runner seam, closing with a result, and the font that the
// controls take from their form.
#include "ui/Button.h"
#include "ui/Dpi.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Fonts.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ModalRunner.h"

#include <gtest/gtest.h>

namespace {

class Dialog : public Form {
public:
    Dialog() {
        Create(L"Dialog", 10, 10, 200, 100, kDialogStyle);
        ok.Create(Handle(), L"OK", 10, 60, 80, 25, mrOk, true);
        cancel.Create(Handle(), L"Annuler", 100, 60, 80, 25, mrCancel);
        box.Create(Handle(), L"Choix", 10, 10, 150, 20);
    }
    Button ok;
    Button cancel;
    CheckBox box;
};

} // namespace

TEST(Form, ShowModalReturnsTheResultOfTheButtonTheRunnerPresses) {
    Dialog dialog;
    bool wasVisible = false;
    ScopedModalRunner runner([&](Form& form) {
        wasVisible = form.Visible() && form.IsModal();
        static_cast<Dialog&>(form).ok.Click();
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(dialog.Visible());
}

TEST(Form, ChoicesMadeDuringTheShowingStayReadableAfterwards) {
    Dialog dialog;
    ScopedModalRunner runner([](Form& form) {
        auto& d = static_cast<Dialog&>(form);
        d.box.Click();
        d.cancel.Click();
    });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_TRUE(dialog.box.Checked());
}

TEST(Form, ClosingAModalFormGivesCancelAndKeepsTheWindow) {
    Dialog dialog;
    ScopedModalRunner runner([](Form& form) { form.Close(); });
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_TRUE(dialog.HandleAllocated());
}

TEST(Form, RunnerThatDecidesNothingGivesCancelRatherThanWaiting) {
    Dialog dialog;
    ScopedModalRunner runner([](Form&) {});
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

TEST(Form, OwnerIsDisabledDuringTheShowingAndEnabledAfter) {
    Form owner;
    ASSERT_TRUE(owner.Create(L"Owner", 0, 0, 300, 200, WS_OVERLAPPEDWINDOW));
    Form dialog;
    ASSERT_TRUE(dialog.Create(L"Owned", 0, 0, 100, 50, Form::kDialogStyle, owner.Handle()));
    bool ownerEnabledDuring = true;
    ScopedModalRunner runner([&](Form& form) {
        ownerEnabledDuring = owner.Enabled();
        form.SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(owner.Enabled());
}

TEST(Form, ControlsTakeTheFormFontAndFollowItsChangesUnlessTheyHaveTheirOwn) {
    Form form;
    ASSERT_TRUE(form.Create(L"Fonts", 0, 0, 300, 200, WS_OVERLAPPEDWINDOW));
    Edit edit;
    edit.Create(form.Handle(), L"", 0, 0, 100, 20);
    Label bold;
    bold.Create(form.Handle(), L"Gras", 0, 30, 100, 20);
    bold.SetOwnFont(L"Verdana", -11, true);
    EXPECT_EQ(FontFaceName(edit.Font()), L"MS Sans Serif");

    form.SetFontName(L"Verdana");
    EXPECT_EQ(form.FontName(), L"Verdana");
    EXPECT_EQ(edit.Font(), form.FormFont());
    EXPECT_NE(bold.Font(), form.FormFont());
    LOGFONTW lf{};
    ::GetObjectW(bold.Font(), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

TEST(Form, SetClientSizeGivesExactlyThatClientArea) {
    Form form;
    ASSERT_TRUE(form.Create(L"Size", 0, 0, 285, 82, Form::kDialogStyle));
    RECT r = form.ClientRect();
    EXPECT_EQ(r.right, 285);
    EXPECT_EQ(r.bottom, 82);
    form.SetClientSize(300, 100);
    r = form.ClientRect();
    EXPECT_EQ(r.right, 300);
    EXPECT_EQ(r.bottom, 100);
}

TEST(Form, BuiltForAnotherDpiScalesItsDesignSizesAndFont) {
    const ScopedDpiOverride dpi(144);
    Dialog dialog;
    EXPECT_EQ(dialog.Dpi(), 144);
    const RECT client = dialog.ClientRect();
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 150);
    const RECT ok = dialog.ok.WindowRectInParent();
    EXPECT_EQ(ok.left, 15);
    EXPECT_EQ(ok.top, 90);
    EXPECT_EQ(ok.right - ok.left, 120);
    EXPECT_EQ(ok.bottom - ok.top, 38);
    Label bold;
    bold.Create(dialog.Handle(), L"Kavet24", 10, 10, 100, 16);
    bold.SetOwnFont(L"Verdana", -11, true);
    for (HFONT used : {dialog.box.Font(), bold.Font()}) {
        LOGFONTW font{};
        ::GetObjectW(used, sizeof(font), &font);
        EXPECT_EQ(font.lfHeight, -17) << "8 points at 144 DPI";
    }
    EXPECT_EQ(dialog.Unscale(dialog.Scale(121)), 121);
}
