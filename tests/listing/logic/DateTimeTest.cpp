// Day-count date-times and the FAT reduction of listed stamps.
#include "listing/DateTime.h"

#include <gtest/gtest.h>

namespace {

TEST(DateTime, KnownDayCounts) {
    EXPECT_EQ(EncodeDateTime({1899, 12, 30}), 0.0);
    EXPECT_EQ(EncodeDateTime({1980, 1, 1}), 29221.0);
    EXPECT_EQ(EncodeDateTime({2000, 2, 29, 12}), 36585.5);
    EXPECT_FALSE(EncodeDateTime({2001, 2, 29}));
    EXPECT_FALSE(EncodeDateTime({2001, 1, 1, 24}));
}

TEST(DateTime, DecodesWhatItEncodes) {
    const CivilTime t{2026, 12, 9, 10, 15, 32, 0};
    EXPECT_EQ(DecodeDateTime(*EncodeDateTime(t)), t);
    const CivilTime leap{2024, 2, 29, 23, 59, 58, 0};
    EXPECT_EQ(DecodeDateTime(*EncodeDateTime(leap)), leap);
}

TEST(DateTime, ZeroDateDecodesToZeros) {
    EXPECT_EQ(DecodeDateTime(kZeroDate), CivilTime{});
}

TEST(FatReduction, OddSecondsGoDownAndYearsStayIn1980To2107) {
    EXPECT_EQ(ReduceToFat({2020, 5, 1, 10, 15, 33, 999})->Second, 32);
    EXPECT_EQ(ReduceToFat({2020, 5, 1, 10, 15, 33, 999})->Millisecond, 0);
    EXPECT_FALSE(ReduceToFat({1975, 5, 1}));
    EXPECT_TRUE(ReduceToFat({1980, 1, 1}));
    EXPECT_TRUE(ReduceToFat({2107, 12, 31, 23, 59, 59}));
    EXPECT_FALSE(ReduceToFat({2108, 1, 1}));
    EXPECT_EQ(ListingDateTime(CivilTime{1975, 5, 1}), kZeroDate);
    EXPECT_EQ(ListingDateTime(std::nullopt), kZeroDate);
}

TEST(DateTime, MidnightIsAZeroFraction) {
    EXPECT_TRUE(IsMidnight(*EncodeDateTime({2020, 1, 1})));
    EXPECT_FALSE(IsMidnight(*EncodeDateTime({2020, 1, 1, 0, 0, 2})));
}

} // namespace
