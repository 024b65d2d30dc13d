// Files' own icons read on the cache's thread: the row meanwhile gets its type's icon, marked as
// waiting; the owner is woken once the icon came and takes it in on its own thread.
#include "app/FileIconCache.h"

#include "support/win/MessagePump.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>

TEST(FileIconCache, AProgramsOwnIconComesFromTheThreadTheTypesAtOnce) {
    TempFolder folder;
    const std::wstring text = folder.MakeFile(L"notes.txt");
    const std::wstring program = folder.MakeFile(L"outil.exe");
    std::atomic<int> wakes{0};
    FileIconCache icons([&wakes] { ++wakes; });

    const int textIcon = icons.IconIndex(text);
    EXPECT_GE(textIcon, 0);
    const int waiting = icons.IconIndex(program);
    ASSERT_TRUE(FileIconCache::Pending(waiting));
    EXPECT_GE(FileIconCache::Shown(waiting), 0) << "the type's icon is shown meanwhile";
    EXPECT_EQ(icons.IconIndex(program), waiting) << "asked again while it is fetched";

    ASSERT_TRUE(PumpUntil([&] { return wakes > 0; })) << "the owner was never woken";
    EXPECT_TRUE(icons.TakeFetched());
    const int own = icons.IconIndex(program);
    EXPECT_FALSE(FileIconCache::Pending(own));
    EXPECT_GE(own, 0);
    EXPECT_FALSE(icons.TakeFetched()) << "nothing more came";
    EXPECT_EQ(wakes, 1) << "one file asked once";

    // Without anyone to wake, the icon is read at once.
    FileIconCache direct;
    EXPECT_EQ(direct.IconIndex(program), own);
}
