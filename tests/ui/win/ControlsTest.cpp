// Small controls: the status bar's panels, the upper-case edit box and its swallowed keys, the
// link label's click, the message box seam and the hourglass guard.
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/LinkLabel.h"
#include "ui/MessageBox.h"
#include "ui/StatusBar.h"
#include "ui/WaitCursor.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class ControlsOnAForm : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form.Create(L"Controls", 0, 0, 400, 200, WS_OVERLAPPEDWINDOW)); }
    Form form;
};

} // namespace

TEST_F(ControlsOnAForm, StatusBarPanelsTakeTheirWidthsAndTexts) {
    StatusBar bar;
    ASSERT_TRUE(bar.Create(form.Handle(), {170, -1}));
    int edges[4] = {};
    EXPECT_EQ(bar.Send(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 170);
    EXPECT_EQ(edges[1], -1);
    bar.SetPanelWidth(0, 250);
    bar.Send(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 250);
    bar.SetPanelText(1, L"12 octets");
    EXPECT_EQ(bar.PanelText(1), L"12 octets");
}

TEST_F(ControlsOnAForm, UpperCaseEditForcesTypedLetters) {
    Edit edit;
    ASSERT_TRUE(edit.Create(form.Handle(), L"*.*", 0, 0, 100, 20, true));
    edit.Send(WM_CHAR, L'a');
    EXPECT_NE(edit.Text().find(L'A'), std::wstring::npos);
    EXPECT_EQ(edit.Text().find(L'a'), std::wstring::npos);
}

TEST_F(ControlsOnAForm, KeyPressCanSwallowEnter) {
    Edit edit;
    ASSERT_TRUE(edit.Create(form.Handle(), L"abc", 0, 0, 100, 20));
    int enters = 0;
    edit.OnKeyPress = [&](wchar_t& key) {
        if (key == L'\r') {
            ++enters;
            key = 0;
        }
    };
    edit.Send(WM_CHAR, L'\r');
    EXPECT_EQ(enters, 1);
    edit.SelectAll();
    EXPECT_EQ(edit.Selection(), std::make_pair(0, 3));
}

TEST_F(ControlsOnAForm, LinkHandsHttpAndItsAddressToTheShellOnClick) {
    std::wstring opened;
    LinkLabel::SetOpener([&](const std::wstring& url) { opened = url; });
    LinkLabel link;
    ASSERT_TRUE(link.Create(form.Handle(), L"www.example.org", 100, 50, 150, 16));
    form.Send(WM_COMMAND, MAKEWPARAM(0, STN_CLICKED), reinterpret_cast<LPARAM>(link.Handle()));
    LinkLabel::SetOpener({});
    EXPECT_EQ(opened, L"http://www.example.org");
    EXPECT_EQ(link.TextColor(), RGB(0, 0, 255));
}

TEST(MessageBoxSeam, AnswererSeesTextCaptionAndButtons) {
    MessageBoxRequest seen;
    SetMessageBoxAnswerer([&](const MessageBoxRequest& r) {
        seen = r;
        return IDOK;
    });
    EXPECT_EQ(ShowMessageBox(nullptr, L"Texte", MB_OK | MB_HELP | MB_ICONWARNING), IDOK);
    SetMessageBoxAnswerer({});
    EXPECT_EQ(seen.text, L"Texte");
    EXPECT_EQ(seen.caption, L"Kavet24");
    EXPECT_EQ(seen.flags, static_cast<UINT>(MB_OK | MB_HELP | MB_ICONWARNING));
}

TEST(WaitCursor, IsActiveInsideTheScopeAndEndsAlsoOnAnException) {
    EXPECT_FALSE(WaitCursor::Active());
    try {
        WaitCursor wait;
        EXPECT_TRUE(WaitCursor::Active());
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(WaitCursor::Active());
}
