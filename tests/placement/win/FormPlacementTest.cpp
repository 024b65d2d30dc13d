// The placement store on a real top-level window, against the real registry under a scratch key.
#include "placement/FormPlacement.h"

#include "base/Errors.h"
#include "placement/PlacementText.h"
#include "support/win/MessagePump.h"
#include "support/win/ScratchRegistryKey.h"
#include "ui/ExceptionDisplay.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// A plain form at the main window's design place, hidden until Show like a form being built.
class TestForm : public Window, public PlacementOwner {
public:
    TestForm() {
        CreateWindowOfClass(RegisterClassOnce(L"KavetPlacementTestForm"), L"Kavet", WS_OVERLAPPEDWINDOW, 0,
                            102, 102, 750, 550, nullptr);
    }
    ~TestForm() override { Destroy(); }

    HWND PlacementWindow() const override { return Handle(); }
    std::wstring PlacementClassName() const override { return L"TMainForm"; }
    void SetWindowState(WindowState state) override {
        if (Visible())
            ::ShowWindow(Handle(), ShowCommand(state));
        else
            pendingState = state;
    }
    BorderStyle PlacementBorderStyle() const override { return border; }
    FormPosition PlacementPosition() const override { return position; }
    void SetPlacementPosition(FormPosition value) override { position = value; }
    std::wstring ActiveControlName() const override { return activeControl; }
    bool FocusControlByName(const std::wstring& name) override {
        focusedByName = name;
        return true;
    }

    // The first show, in the state the placement asked for.
    void Show() { ::ShowWindow(Handle(), ShowCommand(pendingState.value_or(WindowState::Normal))); }

    static int ShowCommand(WindowState state) {
        switch (state) {
        case WindowState::Maximized:
            return SW_SHOWMAXIMIZED;
        case WindowState::Minimized:
            return SW_SHOWMINIMIZED;
        case WindowState::Normal:
            break;
        }
        return SW_SHOWNORMAL;
    }

    std::optional<WindowState> pendingState;
    BorderStyle border = BorderStyle::Sizeable;
    FormPosition position = FormPosition::Designed;
    std::wstring activeControl;
    std::wstring focusedByName;
};

RECT NormalRect(HWND hwnd) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(hwnd, &placement);
    return placement.rcNormalPosition;
}

FourNumbers Numbers(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

const FourNumbers kDesignRect{102, 102, 852, 652};

} // namespace

class FormPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(form.HandleAllocated());
        Configure(placement);
    }

    void Configure(TFormPlacement& p) {
        p.SetIniFileName(key);
        p.SetIniSection(L"Application");
        p.SetUseRegistry(true);
    }

    std::optional<std::wstring> Stored(const std::wstring& name) {
        return ScratchRegistryKey::Text(section, name);
    }
    void Put(const std::wstring& name, const std::wstring& text) {
        ScratchRegistryKey::PutText(section, name, text);
    }

    ScratchRegistryKey scratch;
    std::wstring key = scratch / L"Kavet24";
    std::wstring section = key + L"\\Application";
    std::wstring suffix = TFormPlacement::CurrentResolutionSuffix();
    TestForm form;
    TFormPlacement placement{&form};
};

TEST_F(FormPlacementTest, FirstRunKeepsTheDesignPlaceInNormalState) {
    placement.LoadPlacement();
    form.Show();
    EXPECT_TRUE(placement.Restored());
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), kDesignRect);
    EXPECT_EQ(form.pendingState, WindowState::Normal);
    EXPECT_FALSE(::IsZoomed(form.Handle()));
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key));
}

TEST_F(FormPlacementTest, StoreBeforeAnyLoadWritesNothing) {
    placement.StorePlacement();
    EXPECT_FALSE(placement.Saved());
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key));
}

TEST_F(FormPlacementTest, StoreWritesEveryValueAsTextUnderItsName) {
    placement.LoadPlacement();
    form.Show();
    placement.StorePlacement();
    EXPECT_TRUE(placement.Saved());
    EXPECT_EQ(Stored(L"FormVersion"), L"0");
    EXPECT_EQ(Stored(L"ShowCmd"), L"1");
    EXPECT_TRUE(Stored(L"Flags"));
    EXPECT_EQ(Stored(L"PixelsPerInch"), std::to_wstring(TFormPlacement::ScreenPixelsPerInch()));
    EXPECT_EQ(Stored(L"NormPos" + suffix), L"102,102,852,652");
    EXPECT_EQ(Stored(L"NormPos"), L"102,102,852,652");
    ASSERT_TRUE(Stored(L"MinMaxPos" + suffix));
    EXPECT_EQ(Stored(L"MinMaxPos"), Stored(L"MinMaxPos" + suffix));
    EXPECT_EQ(Stored(L"Visible"), L"0");
    EXPECT_FALSE(Stored(L"ActiveControl"));
    for (const auto& name : ScratchRegistryKey::ValueNames(section))
        EXPECT_EQ(ScratchRegistryKey::ValueType(section, name), static_cast<DWORD>(REG_SZ)) << name.size();
    EXPECT_EQ(ScratchRegistryKey::ValueNames(section).size(), 9u);
}

TEST_F(FormPlacementTest, RestoringAHiddenFormLeavesItHidden) {
    Put(L"NormPos", L"10,20,300,400");
    Put(L"ShowCmd", L"1");
    placement.LoadPlacement();
    EXPECT_FALSE(::IsWindowVisible(form.Handle()));
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), (FourNumbers{10, 20, 300, 400}));
}

TEST_F(FormPlacementTest, WindowClosedMaximizedOpensMaximizedWithItsNormalPlace) {
    placement.LoadPlacement();
    form.Show();
    ::SetWindowPos(form.Handle(), nullptr, 50, 60, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(form.Handle(), SW_MAXIMIZE);
    placement.StorePlacement();
    EXPECT_EQ(Stored(L"ShowCmd"), L"3");

    TestForm next;
    TFormPlacement nextPlacement(&next);
    Configure(nextPlacement);
    nextPlacement.LoadPlacement();
    EXPECT_EQ(next.pendingState, WindowState::Maximized);
    next.Show();
    EXPECT_TRUE(::IsZoomed(next.Handle()));
    EXPECT_EQ(Numbers(NormalRect(next.Handle())), (FourNumbers{50, 60, 690, 540}));
}

TEST_F(FormPlacementTest, WindowClosedMinimizedStartsTheApplicationMinimized) {
    Put(L"ShowCmd", L"2");
    placement.LoadPlacement();
    EXPECT_EQ(form.pendingState, WindowState::Normal);
    form.Show();
    PumpFor(200);
    EXPECT_TRUE(::IsIconic(form.Handle()));
}

TEST_F(FormPlacementTest, BlankSeparatedPositionIsApplied) {
    Put(L"NormPos", L"10 20 300 400");
    placement.LoadPlacement();
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), (FourNumbers{10, 20, 300, 400}));
}

TEST_F(FormPlacementTest, ResolutionSuffixedNameIsPreferredOverThePlainOne) {
    Put(L"NormPos" + suffix, L"30,40,530,440");
    Put(L"NormPos", L"10,20,300,400");
    Put(L"NormPos(1x1)", L"1,1,900,900");
    placement.LoadPlacement();
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), (FourNumbers{30, 40, 530, 440}));
}

TEST_F(FormPlacementTest, OtherPixelsPerInchIgnoresThePositionButAppliesTheState) {
    Put(L"NormPos", L"10,20,300,400");
    Put(L"PixelsPerInch", std::to_wstring(TFormPlacement::ScreenPixelsPerInch() + 24));
    Put(L"ShowCmd", L"3");
    placement.LoadPlacement();
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), kDesignRect);
    EXPECT_EQ(form.pendingState, WindowState::Maximized);
}

TEST_F(FormPlacementTest, GarbledValuesFallBackToTheDesign) {
    Put(L"NormPos", L"abc,,99999999999, 1e3");
    Put(L"PixelsPerInch", L"beaucoup");
    Put(L"Flags", L"-1");
    ScratchRegistryKey::PutDword(section, L"ShowCmd", 3);
    ScratchRegistryKey::PutDword(section, L"FormVersion", 7);
    EXPECT_NO_THROW(placement.LoadPlacement());
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), kDesignRect);
    EXPECT_EQ(form.pendingState, WindowState::Normal);
}

TEST_F(FormPlacementTest, MissingWordsKeepTheCurrentPlace) {
    Put(L"NormPos", L"10,20");
    placement.LoadPlacement();
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), (FourNumbers{10, 20, 852, 652}));
}

TEST_F(FormPlacementTest, EmptyRectangleIsNotApplied) {
    Put(L"NormPos", L"500,20,100,400");
    placement.LoadPlacement();
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), kDesignRect);
}

TEST_F(FormPlacementTest, FixedSizeFormIsOnlyMoved) {
    form.border = BorderStyle::Single;
    Put(L"NormPos", L"10,20,300,400");
    placement.LoadPlacement();
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), (FourNumbers{10, 20, 760, 570}));
}

TEST_F(FormPlacementTest, CenteredFormKeepsTheRestoredPlace) {
    form.position = FormPosition::ScreenCenter;
    Put(L"NormPos", L"10,20,300,400");
    placement.LoadPlacement();
    EXPECT_EQ(form.position, FormPosition::Designed);
}

TEST_F(FormPlacementTest, PlacementOfAnOlderFormVersionIsNotApplied) {
    placement.SetVersion(2);
    Put(L"FormVersion", L"1");
    Put(L"NormPos", L"10,20,300,400");
    bool restoredEvent = false;
    placement.OnRestorePlacement = [&](TFormPlacement&) { restoredEvent = true; };
    placement.LoadPlacement();
    EXPECT_EQ(Numbers(NormalRect(form.Handle())), kDesignRect);
    EXPECT_TRUE(placement.Restored());
    EXPECT_FALSE(restoredEvent);
}

TEST_F(FormPlacementTest, FocusedControlIsKeptOnlyWhenAsked) {
    form.activeControl = L"EditMask";
    placement.LoadPlacement();
    placement.StorePlacement();
    EXPECT_FALSE(Stored(L"ActiveControl"));

    placement.SetOptions(fpState | fpPosition | fpActiveControl);
    placement.StorePlacement();
    EXPECT_EQ(Stored(L"ActiveControl"), L"EditMask");
    placement.LoadPlacement();
    EXPECT_EQ(form.focusedByName, L"EditMask");
}

TEST_F(FormPlacementTest, EventsFollowRestoreAndStore) {
    int restores = 0;
    int saves = 0;
    placement.OnRestorePlacement = [&](TFormPlacement&) { ++restores; };
    placement.OnSavePlacement = [&](TFormPlacement&) { ++saves; };
    placement.LoadPlacement();
    placement.StorePlacement();
    EXPECT_EQ(restores, 1);
    EXPECT_EQ(saves, 1);
}

TEST_F(FormPlacementTest, StoreDuringDestructionMarksTheFormVisible) {
    placement.FormShow();
    placement.FormDestroy();
    EXPECT_EQ(Stored(L"Visible"), L"1");
    EXPECT_FALSE(placement.Destroying());
}

TEST_F(FormPlacementTest, DestructionAfterACloseStoresNothingMore) {
    placement.FormShow();
    placement.FormCloseQuery(true);
    EXPECT_EQ(Stored(L"Visible"), L"0");
    placement.FormDestroy();
    EXPECT_EQ(Stored(L"Visible"), L"0");
}

TEST_F(FormPlacementTest, RefusedCloseStoresNothing) {
    placement.FormShow();
    placement.FormCloseQuery(false);
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key));
}

TEST_F(FormPlacementTest, WithoutTheRegistryNothingIsWritten) {
    placement.SetUseRegistry(false);
    placement.LoadPlacement();
    placement.StorePlacement();
    EXPECT_TRUE(placement.Saved());
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key));
}

TEST_F(FormPlacementTest, UnwritableKeyRaisesFromACallAndIsReportedFromAFormEvent) {
    HKEY handle = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(handle);
    placement.LoadPlacement();
    EXPECT_THROW(placement.StorePlacement(), RegistryError);

    std::wstring reported;
    SetExceptionSink([&](const std::wstring& text) { reported = text; });
    placement.FormCloseQuery(true);
    SetExceptionSink({});
    EXPECT_NE(reported.find(L"Application"), std::wstring::npos);
}

TEST_F(FormPlacementTest, NamesDefaultToTheProgramAndTheFormClass) {
    TFormPlacement unnamed(&form);
    EXPECT_EQ(unnamed.IniSection(), L"TMainForm");
    EXPECT_EQ(unnamed.IniFileName(), L"Software\\kavet_placement_tests");
    EXPECT_EQ(unnamed.Options(), static_cast<PlacementOptions>(fpState | fpPosition));
    EXPECT_EQ(TFormPlacement(nullptr).Options(), 0u);
}
