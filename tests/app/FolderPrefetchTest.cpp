// The start's read of the remembered folder on a thread of its own: taken by the window only for
// that folder and mask, once, and never when the folder changed after the read began.
#include "MainFormFixture.h"

#include "app/FolderPrefetch.h"
#include "base/TextHelpers.h"

#include <memory>

namespace {

class FolderPrefetchTest : public MainFormFixture {};

} // namespace

TEST_F(FolderPrefetchTest, TakenOnceForTheSameFolderAndMaskInAnyLetterCase) {
    folder.MakeFile(L"beta.txt", "12345");
    folder.MakeFile(L"Alpha.doc", "1");
    const std::wstring upper = CurrentLocale().ToUpper(folder.Path());
    {
        FolderPrefetch prefetch(folder.Path(), L"*.*");
        EXPECT_FALSE(prefetch.Take(folder.Path(), L"*.txt")) << "another mask";
    }
    {
        FolderPrefetch prefetch(folder.Path(), L"*.*");
        EXPECT_FALSE(prefetch.Take(folder.Path() + L"\\sub", L"*.*")) << "another folder";
    }
    FolderPrefetch prefetch(folder.Path(), L"*.*");
    std::optional<TFileListing> read = prefetch.Take(upper + L"\\", L"*.*");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Count(), 2u);
    EXPECT_EQ(read->TotalSize(), 6);
    // The paths it gives out are spelt as the window spells the folder.
    read->Sort(TFileListing::kName, true);
    EXPECT_EQ(read->FullName(0), WithTrailingBackslash(upper) + L"Alpha.doc");
    EXPECT_FALSE(prefetch.Take(folder.Path(), L"*.*")) << "taken twice";
}

TEST_F(FolderPrefetchTest, AFileMadeAfterTheReadBeganShowsInTheWindowThatWasGivenTheRead) {
    folder.MakeFile(L"beta.txt", "12345");
    SettingsRecord settings;
    settings.Directory = folder.Path();
    SettingsStore(key.Path()).StoreOptions(settings);
    auto prefetch = std::make_unique<FolderPrefetch>(folder.Path(), FolderView::kStartMask);
    PumpFor(300); // the read is over by now
    folder.MakeFile(L"delta.txt");
    form = std::make_unique<TMainForm>(key.Path(), nullptr,
                                       journalFolder.empty() ? JournalStore::DefaultFolder() : journalFolder,
                                       std::move(prefetch));
    ::ShowWindow(form->Handle(), SW_SHOWNORMAL);
    PumpMessages();
    EXPECT_EQ(Shown(), (Names{L"beta.txt", L"delta.txt"}));
}
