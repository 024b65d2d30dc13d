// Local times near a change of offset, under TZ=Europe/Paris: clocks go from 02:00 to 03:00 on
// 28 March 2021 and from 03:00 back to 02:00 on 31 October 2021.
#include "listing/FileTimes.h"

#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

namespace {

uint64_t Utc(int year, int month, int day, int hour, int minute) {
    const FILETIME ft = UtcFileTime(year, month, day, hour, minute, 0);
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

TEST(LocalTimeConverter, SkippedTimeIsReadWithTheOffsetBeforeTheChange) {
    LocalTimeConverter converter;
    const std::optional<uint64_t> utc = converter.ToUtc({2021, 3, 28, 2, 30, 0, 0});
    ASSERT_TRUE(utc);
    EXPECT_EQ(*utc, Utc(2021, 3, 28, 1, 30));
    EXPECT_EQ(converter.ToLocal(*utc), (CivilTime{2021, 3, 28, 3, 30, 0, 0}));
}

TEST(LocalTimeConverter, RepeatedTimeIsItsFirstOccurrence) {
    LocalTimeConverter converter;
    EXPECT_EQ(converter.ToUtc({2021, 10, 31, 2, 30, 0, 0}), Utc(2021, 10, 31, 0, 30));
    // Both instants show 02:30; the times on either side of the hour have one reading each.
    EXPECT_EQ(converter.ToLocal(Utc(2021, 10, 31, 1, 30)), (CivilTime{2021, 10, 31, 2, 30, 0, 0}));
    EXPECT_EQ(converter.ToUtc({2021, 10, 31, 1, 59, 0, 0}), Utc(2021, 10, 30, 23, 59));
    EXPECT_EQ(converter.ToUtc({2021, 10, 31, 3, 0, 0, 0}), Utc(2021, 10, 31, 2, 0));
}

TEST(LocalTimeConverter, RefusesDatesBefore1601AndImpossibleOnes) {
    LocalTimeConverter converter;
    EXPECT_FALSE(converter.ToUtc({1601, 1, 1, 0, 30, 0, 0}));
    EXPECT_FALSE(converter.ToUtc({2021, 2, 29, 10, 0, 0, 0}));
}

} // namespace
