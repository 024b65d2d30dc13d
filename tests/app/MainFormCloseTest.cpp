// Closing the main window at any moment: while a re-list waits for its turn, during a batch, while
// the Options dialog previews, with an edited box; and what the close must leave alone.
#include "app/MainForm.h"
#include "settings/SettingsStore.h"
#include "settings/optionsdialog/ParametresForm.h"
#include "WindowProbe.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TempFolder.h"
#include "ui/ModalRunner.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class MainFormClose : public ::testing::Test {
protected:
    void SetUp() override {
        folder.MakeFile(L"beta.txt", "12345");
        folder.MakeFile(L"Alpha.doc", "1");
        SettingsRecord settings;
        settings.Directory = folder.Path();
        SettingsStore(key.Path()).StoreOptions(settings);
        form = std::make_unique<TMainForm>(key.Path());
        window = form->Handle();
        ::ShowWindow(window, SW_SHOWNORMAL);
        ::SetForegroundWindow(window);
        PumpMessages();
    }
    void TearDown() override {
        form.reset();
        EXPECT_EQ(reports.Text(), L"");
    }

    void PostClose() const { ::PostMessageW(window, WM_CLOSE, 0, 0); }
    // The close ran to its end: window gone, monitor off for good, settings stored.
    void ExpectClosedCleanly() {
        PumpFor(300);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_FALSE(form->Listing);
        EXPECT_FALSE(form->FolderMonitor->Active()) << "nothing watches again after the close";
        SettingsRecord stored;
        SettingsStore(key.Path()).LoadOptions(stored);
        EXPECT_EQ(stored.Directory, form->Settings.Directory);
    }

    TempFolder folder;
    ScratchRegistryKey key;
    UnexpectedReports reports;
    std::unique_ptr<TMainForm> form;
    HWND window = nullptr;
};

} // namespace

TEST_F(MainFormClose, CloseWhileAMonitorRelistWaitsForItsTurn) {
    const auto relist = form->FolderMonitor->OnChange;
    form->FolderMonitor->OnChange = [this, relist](TRxFolderMonitor& monitor) {
        PostClose(); // the user closes just as another program changes the folder
        relist(monitor);
    };
    folder.MakeFile(L"delta.txt");
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
        form->AffichageOptionsClick();
    }
    ExpectClosedCleanly();
    SettingsRecord stored;
    SettingsStore(key.Path()).LoadOptions(stored);
    EXPECT_EQ(stored.SizeKo, SettingsRecord().SizeKo) << "the preview left unconfirmed is not stored";
}

TEST_F(MainFormClose, EditedMaskBoxLeftAsTheWindowGoes) {
    form->EditMask.SetText(L"*.TXT");
    ::SetFocus(form->EditMask.Handle());
    ASSERT_EQ(::GetFocus(), form->EditMask.Handle());
    form->Close();
    ExpectClosedCleanly();
}

TEST_F(MainFormClose, EditedAddressBoxLeftAsTheWindowGoesAsksNothing) {
    form->EditDirName.SetText(folder / L"nowhere");
    ::SetFocus(form->EditDirName.Handle());
    ASSERT_EQ(::GetFocus(), form->EditDirName.Handle());
    form->Close();
    ExpectClosedCleanly(); // and no warning about the folder (the answerer records any box)
}

TEST_F(MainFormClose, ImageListsOutliveTheWindow) {
    const HIMAGELIST system = form->FileList->LargeImages();
    ASSERT_GT(ImageList_GetImageCount(system), 0);
    // The shell keeps its lists alive here, so a list of the test's own stands in for its small one:
    // the file list must leave every list it is given.
    const HIMAGELIST own = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    ASSERT_EQ(ImageList_AddIcon(own, ::LoadIconW(nullptr, IDI_APPLICATION)), 0);
    form->FileList->SetSmallImages(own);
    form->Close();
    form.reset();
    EXPECT_EQ(ImageList_GetImageCount(own), 1) << "the list went with the file list";
    EXPECT_GT(ImageList_GetImageCount(system), 0);
    ImageList_Destroy(own);
}
