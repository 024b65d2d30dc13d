// The watched kinds of change and the platform flags they give.
#include "monitor/FileChangeFilter.h"

#include <gtest/gtest.h>

using enum TFileChangeFilter;

TEST(FileChangeFilter, EachKindGivesItsPlatformFlag) {
    EXPECT_EQ(NotifyFlag(fnFileName), 0x1u);
    EXPECT_EQ(NotifyFlag(fnDirName), 0x2u);
    EXPECT_EQ(NotifyFlag(fnAttributes), 0x4u);
    EXPECT_EQ(NotifyFlag(fnSize), 0x8u);
    EXPECT_EQ(NotifyFlag(fnLastWrite), 0x10u);
    EXPECT_EQ(NotifyFlag(fnLastAccess), 0x20u);
    EXPECT_EQ(NotifyFlag(fnCreation), 0x40u);
    EXPECT_EQ(NotifyFlag(fnSecurity), 0x100u);
}

TEST(FileChangeFilter, SetGivesTheOrOfItsFlags) {
    EXPECT_EQ(TFileChangeFilters{}.NotifyFlags(), 0u);
    EXPECT_EQ((TFileChangeFilters{fnFileName, fnDirName, fnSize, fnLastWrite}.NotifyFlags()), 0x1Bu);
    EXPECT_EQ((TFileChangeFilters{fnFileName, fnDirName, fnAttributes, fnSize, fnLastWrite, fnCreation}
                   .NotifyFlags()),
              0x5Fu);
    EXPECT_EQ((TFileChangeFilters{fnSecurity, fnLastAccess}.NotifyFlags()), 0x120u);
}

TEST(FileChangeFilter, ListingWatchesEverythingButAccessAndSecurity) {
    EXPECT_EQ(kListingChangeFilter.NotifyFlags(), 0x5Fu);
}

TEST(FileChangeFilter, IncludeExcludeAndCompare) {
    TFileChangeFilters set;
    EXPECT_TRUE(set.Empty());
    set.Include(fnSize);
    set.Include(fnSize);
    EXPECT_TRUE(set.Contains(fnSize));
    EXPECT_FALSE(set.Contains(fnDirName));
    EXPECT_EQ(set, TFileChangeFilters{fnSize});
    set.Exclude(fnSize);
    EXPECT_EQ(set, TFileChangeFilters{});
    EXPECT_NE(set, TFileChangeFilters{fnSecurity});
}
