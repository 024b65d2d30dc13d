// The date-time dialog on real windows, played through the modal runner seam.
#include "operations/dialogs/DateHeureForm.h"
#include "operations/dialogs/OperationPrompts.h"
#include "operations/dialogs/RegionalDateText.h"
#include "support/win/Days.h"
#include "ui/MessageBox.h"
#include "ui/ModalRunner.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

const std::wstring kFont = L"Tahoma";

class DateHeureFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls),
                                      ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            boxes.push_back(request);
            return IDOK;
        });
    }
    void TearDown() override { SetMessageBoxAnswerer({}); }

    std::vector<MessageBoxRequest> boxes;
    SettingsRecord settings;
};

TDateHeure& AsDateHeure(Form& form) {
    return dynamic_cast<TDateHeure&>(form);
}

} // namespace

TEST_F(DateHeureFormTest, NoStampChosenWarnsAndStaysOpen) {
    bool stayedOpen = false;
    ScopedModalRunner runner([&](Form& form) {
        TDateHeure& dialog = AsDateHeure(form);
        dialog.Stamps.CheckCreation.SetChecked(false);
        dialog.Stamps.CheckModification.SetChecked(false);
        dialog.Stamps.CheckAcces.SetChecked(false);
        dialog.BtnOk.Click();
        stayedOpen = dialog.GetModalResult() == mrNone && ::IsWindowVisible(dialog.Handle());
        dialog.BtnCancel.Click();
    });
    const SettingsRecord before = settings;
    EXPECT_FALSE(AskDateTime(nullptr, kFont, settings));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Avertissement");
    EXPECT_EQ(boxes[0].text, L"\r\nSélectionnez une date à modifier");
    EXPECT_EQ(boxes[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(settings, before);
}

TEST_F(DateHeureFormTest, RemembersTheAcceptedChoiceWhenAsked) {
    settings.SaveDate = true;
    {
        ScopedModalRunner runner([&](Form& form) {
            TDateHeure& dialog = AsDateHeure(form);
            dialog.DatePicker.SetValue(Day(2021, 6, 15));
            dialog.TimePicker.SetValue(Day(2021, 6, 15, 13, 45, 30));
            dialog.Stamps.CheckModification.SetChecked(false);
            dialog.Stamps.CheckAcces.SetChecked(false);
            dialog.BtnOk.Click();
        });
        const auto choice = AskDateTime(nullptr, kFont, settings);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->When, (CivilTime{2021, 6, 15, 13, 45, 30, 0}));
        EXPECT_EQ(choice->Stamps, StampSet{Stamp::Creation});
    }
    EXPECT_EQ(settings.Date, ShortDateText(Day(2021, 6, 15)));
    EXPECT_EQ(settings.Time, LongTimeText(Day(2021, 6, 15, 13, 45, 30)));
    EXPECT_TRUE(settings.Creation);
    EXPECT_FALSE(settings.LastWrite);
    EXPECT_FALSE(settings.LastAccess);

    TDateHeure again(nullptr, kFont, settings);
    EXPECT_EQ(again.PickedDateTime(), (CivilTime{2021, 6, 15, 13, 45, 30, 0}));
    EXPECT_TRUE(again.Stamps.CheckCreation.Checked());
    EXPECT_FALSE(again.Stamps.CheckModification.Checked());
    EXPECT_FALSE(again.Stamps.CheckAcces.Checked());
}

TEST_F(DateHeureFormTest, UnreadableRememberedTextsGiveNow) {
    settings.SaveDate = true;
    settings.Date = L"pas une date";
    settings.Time = L"";
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    TDateHeure dialog(nullptr, kFont, settings);
    const CivilTime picked = dialog.PickedDateTime();
    EXPECT_EQ(picked.Year, now.wYear);
    EXPECT_EQ(picked.Month, now.wMonth);
    EXPECT_EQ(picked.Day, now.wDay);
    EXPECT_NEAR(picked.Hour * 3600 + picked.Minute * 60 + picked.Second,
                now.wHour * 3600 + now.wMinute * 60 + now.wSecond, 5);
}

TEST_F(DateHeureFormTest, WithoutMemoryOpensWithNowAndAllStampsAndRemembersNothing) {
    settings.SaveDate = false;
    settings.Date = ShortDateText(Day(2001, 2, 3));
    settings.Time = LongTimeText(Day(2001, 2, 3, 4, 5, 6));
    settings.Creation = false;
    settings.LastWrite = false;
    const SettingsRecord before = settings;
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    bool allChecked = false;
    CivilTime opened;
    ScopedModalRunner runner([&](Form& form) {
        TDateHeure& dialog = AsDateHeure(form);
        allChecked = dialog.Stamps.CheckCreation.Checked() && dialog.Stamps.CheckModification.Checked() &&
                     dialog.Stamps.CheckAcces.Checked();
        opened = dialog.PickedDateTime();
        dialog.BtnDateMini.Click();
        dialog.Stamps.CheckAcces.SetChecked(false);
        dialog.BtnOk.Click();
    });
    const auto choice = AskDateTime(nullptr, kFont, settings);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->Stamps, (StampSet{Stamp::Creation, Stamp::LastWrite}));
    EXPECT_TRUE(allChecked);
    EXPECT_EQ(opened.Year, now.wYear);
    EXPECT_EQ(opened.Day, now.wDay);
    EXPECT_EQ(settings, before);
}

TEST_F(DateHeureFormTest, DateMiniAndTimeZeroGiveFirstOf1980AtMidnight) {
    ScopedModalRunner runner([&](Form& form) {
        TDateHeure& dialog = AsDateHeure(form);
        dialog.BtnDateMini.Click();
        dialog.BtnTimeZero.Click();
        dialog.BtnOk.Click();
    });
    const auto choice = AskDateTime(nullptr, kFont, settings);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->When, (CivilTime{1980, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(choice->Stamps, kAllStamps);
}

TEST_F(DateHeureFormTest, FocusStartsInTheTimePicker) {
    HWND focused = nullptr;
    HWND timePicker = nullptr;
    ScopedModalRunner runner([&](Form& form) {
        TDateHeure& dialog = AsDateHeure(form);
        timePicker = dialog.TimePicker.Handle();
        focused = ::GetFocus();
        while (focused && ::GetParent(focused) && focused != timePicker &&
               ::GetParent(focused) != dialog.Handle())
            focused = ::GetParent(focused);
    });
    EXPECT_FALSE(AskDateTime(nullptr, kFont, settings));
    ASSERT_NE(timePicker, nullptr);
    EXPECT_EQ(focused, timePicker);
}

TEST_F(DateHeureFormTest, CurrentDateAndTimeButtonsTakeTheClock) {
    TDateHeure dialog(nullptr, kFont, settings);
    dialog.BtnDateMini.Click();
    dialog.BtnTimeZero.Click();
    dialog.BtnDateActual.Click();
    dialog.BtnTimeActual.Click();
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const CivilTime picked = dialog.PickedDateTime();
    EXPECT_EQ(picked.Year, now.wYear);
    EXPECT_EQ(picked.Day, now.wDay);
    EXPECT_NEAR(picked.Hour * 3600 + picked.Minute * 60 + picked.Second,
                now.wHour * 3600 + now.wMinute * 60 + now.wSecond, 5);
}

TEST_F(DateHeureFormTest, LayoutCaptionsAndFont) {
    TDateHeure dialog(nullptr, kFont, settings);
    RECT client{};
    ::GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(client.right, 175);
    EXPECT_EQ(client.bottom, 242);
    EXPECT_EQ(dialog.FontName(), kFont);
    EXPECT_EQ(dialog.Text(), L"Horodatage");
    EXPECT_EQ(dialog.BoxDate.Text(), L" Date ");
    EXPECT_EQ(dialog.BoxHeure.Text(), L" Heure ");
    EXPECT_EQ(dialog.BoxAction.Text(), L" Action ");
    EXPECT_EQ(dialog.Stamps.CheckAcces.Text(), L"Date de dernier accès");
    EXPECT_EQ(dialog.BtnOk.Text(), L"&Régler");
    const LONG_PTR style = ::GetWindowLongPtrW(dialog.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_FALSE(::GetWindowLongPtrW(dialog.BtnDateMini.Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(::GetWindowLongPtrW(dialog.TimePicker.Handle(), GWL_STYLE) & DTS_UPDOWN);
    // Tab order: the time picker, the three boxes, then the date picker.
    HWND next = ::GetNextDlgTabItem(dialog.Handle(), dialog.TimePicker.Handle(), FALSE);
    EXPECT_EQ(next, dialog.Stamps.CheckCreation.Handle());
    next = ::GetNextDlgTabItem(dialog.Handle(), dialog.Stamps.CheckAcces.Handle(), FALSE);
    EXPECT_EQ(next, dialog.DatePicker.Handle());
}

TEST_F(DateHeureFormTest, OpensAboveAndLeftOfTheCursorNearTheBottomRightCorner) {
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    ASSERT_TRUE(::SetCursorPos(screenWidth - 10, screenHeight - 10));
    POINT cursor{};
    ::GetCursorPos(&cursor);
    TDateHeure corner(nullptr, kFont, settings);
    RECT frame{};
    ::GetWindowRect(corner.Handle(), &frame);
    EXPECT_EQ(frame.right, cursor.x);
    EXPECT_EQ(frame.bottom, cursor.y);

    ASSERT_TRUE(::SetCursorPos(20, 30));
    ::GetCursorPos(&cursor);
    TDateHeure topLeft(nullptr, kFont, settings);
    ::GetWindowRect(topLeft.Handle(), &frame);
    EXPECT_EQ(frame.left, cursor.x);
    EXPECT_EQ(frame.top, cursor.y);
}
