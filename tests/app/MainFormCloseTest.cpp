// Closing the main window at any moment: while a re-list waits for its turn, during a batch, while
// the Options dialog previews, with an edited box; and what the close must leave alone.
#include "MainFormFixture.h"

#include "base/Locale.h"
#include "base/TextHelpers.h"
#include "settings/optionsdialog/ParametresForm.h"
#include "ui/ModalRunner.h"

namespace {

// The message by which the window asks itself for a re-list once the handler that asked is done.
constexpr UINT kRelistMessage = WM_APP + 0x10;

std::wstring Comparable(const std::wstring& path) {
    return CurrentLocale().ToUpper(StripTrailingBackslashes(path));
}

class MainFormClose : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        folder.MakeFile(L"beta.txt", "12345");
        folder.MakeFile(L"Alpha.doc", "1");
        OpenWindow();
        window = Window();
        ::SetForegroundWindow(window);
        PumpMessages();
    }

    void PostClose() const { ::PostMessageW(window, WM_CLOSE, 0, 0); }
    // The close ran to its end: window gone, nothing watches or re-lists any more, settings stored.
    void ExpectClosedCleanly() {
        PumpFor(300);
        EXPECT_FALSE(::IsWindow(window));
        folder.MakeFile(L"after the close.txt");
        PumpFor(300); // a monitor still on would re-list into the window that is gone
        EXPECT_EQ(Comparable(StoredSettings().Directory), Comparable(folder.Path()));
    }

    HWND window = nullptr;
};

} // namespace

TEST_F(MainFormClose, CloseWhileAMonitorRelistWaitsForItsTurn) {
    // The user closes just as another program changes the folder: the close comes before the
    // re-list that the change asked for.
    folder.MakeFile(L"delta.txt");
    bool closed = false;
    const ULONGLONG start = ::GetTickCount64();
    while (!closed && ::GetTickCount64() - start < 10000) {
        MSG msg{};
        if (::PeekMessageW(&msg, window, kRelistMessage, kRelistMessage, PM_REMOVE)) {
            PostClose();
            ::PostMessageW(window, kRelistMessage, msg.wParam, msg.lParam);
            closed = true;
        } else if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    ASSERT_TRUE(closed) << "the change asked for no re-list";
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(window); }));
    ExpectClosedCleanly();
}

TEST_F(MainFormClose, CloseDuringABatch) {
    int files = 0;
    form->Batches().RunOnSelection(L"Essai", [&](const BatchFiles&) {
        return BatchWork{L"Essai", 0, [](size_t, const std::wstring&) { return PlannedFile(); },
                         [&](size_t, const std::wstring&, const PlannedFile&) {
                             if (files++ == 0)
                                 PostClose();
                             return FileOutcome();
                         }};
    });
    EXPECT_EQ(files, 2) << "the batch finishes its files";
    ExpectClosedCleanly();
}

TEST_F(MainFormClose, CloseWhileTheOptionsDialogPreviews) {
    {
        ScopedModalRunner runner([this](Form& shown) {
            PostClose();
            auto& options = dynamic_cast<TParametres&>(shown);
            options.CheckCtrlSizeKo.SetChecked(!options.CheckCtrlSizeKo.Checked());
            options.BtnApercu.Click();
            // The dialog's own loop takes up the close.
            PumpMessages();
        });
        Choose(L"Options...");
    }
    ExpectClosedCleanly();
    EXPECT_EQ(StoredSettings().SizeKo, SettingsRecord().SizeKo)
        << "the preview left unconfirmed is not stored";
}

TEST_F(MainFormClose, EditedMaskBoxLeftAsTheWindowGoes) {
    const HWND mask = MaskBox(Window());
    ::SetWindowTextW(mask, L"*.TXT");
    ::SetFocus(mask);
    ASSERT_EQ(::GetFocus(), mask);
    form->Close();
    ExpectClosedCleanly();
}

TEST_F(MainFormClose, EditedAddressBoxLeftAsTheWindowGoesAsksNothing) {
    const HWND address = AddressBox(Window());
    ::SetWindowTextW(address, (folder / L"nowhere").c_str());
    ::SetFocus(address);
    ASSERT_EQ(::GetFocus(), address);
    form->Close();
    ExpectClosedCleanly(); // and no warning about the folder (any box is an error)
}

TEST_F(MainFormClose, ImageListsOutliveTheWindow) {
    const HIMAGELIST system =
        reinterpret_cast<HIMAGELIST>(::SendMessageW(List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    ASSERT_GT(ImageList_GetImageCount(system), 0);
    // The shell keeps its lists alive here, so a list of the test's own stands in for its small one:
    // the file list must leave every list it is given.
    const HIMAGELIST own = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    ASSERT_EQ(ImageList_AddIcon(own, ::LoadIconW(nullptr, IDI_APPLICATION)), 0);
    ::SendMessageW(List(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(own));
    form->Close();
    form.reset();
    EXPECT_EQ(ImageList_GetImageCount(own), 1) << "the list went with the file list";
    EXPECT_GT(ImageList_GetImageCount(system), 0);
    ImageList_Destroy(own);
}
