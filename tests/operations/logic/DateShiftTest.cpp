// Moving a local date-time: whole days keep the time of day, the clock part carries over midnight,
// months and leap years, either way, and nothing leaves the years a file stamp can hold.
#include "operations/DateShift.h"

#include <gtest/gtest.h>

namespace {

CivilTime At(int year, int month, int day, int hour, int minute = 0, int second = 0, int ms = 0) {
    return CivilTime{year, month, day, hour, minute, second, ms};
}

TEST(DateShift, WholeDaysKeepTheTimeOfDayAndTheClockCarriesOverEveryBoundary) {
    EXPECT_EQ(ShiftLocal(At(2026, 3, 28, 10), {false, 1}), At(2026, 3, 29, 10)) << "across the spring change";
    EXPECT_EQ(ShiftLocal(At(2024, 2, 28, 23, 30), {false, 0, 1}), At(2024, 2, 29, 0, 30));
    EXPECT_EQ(ShiftLocal(At(2023, 2, 28, 23, 30), {false, 0, 1}), At(2023, 3, 1, 0, 30));
    EXPECT_EQ(ShiftLocal(At(2025, 1, 1, 0, 0, 10, 250), {true, 0, 0, 0, 30}),
              At(2024, 12, 31, 23, 59, 40, 250));
    EXPECT_EQ(ShiftLocal(At(2025, 3, 1, 1), {true, 366, 2}), At(2024, 2, 28, 23));
    EXPECT_EQ(ShiftLocal(At(2000, 1, 1, 12), {false, kMostShiftDays}), At(2027, 5, 18, 12));
}

TEST(DateShift, NothingOutsideTheHoldableYearsOrTheDialogsRanges) {
    EXPECT_EQ(ShiftLocal(At(1601, 1, 1, 0, 0, 5), {true, 0, 0, 0, 10}), std::nullopt);
    EXPECT_EQ(ShiftLocal(At(9999, 12, 31, 23), {false, 0, 1}), std::nullopt);
    EXPECT_EQ(ShiftLocal(At(2023, 2, 29, 10), {false, 1}), std::nullopt) << "not a date";
    EXPECT_FALSE(IsValidShift({false, 0, 0, 0, 0}));
    EXPECT_FALSE(IsValidShift({false, 0, 24}));
    EXPECT_FALSE(IsValidShift({true, -1}));
    EXPECT_EQ(ShiftText({true, 0, 0, 0, 30}), L"-00:00:30");
    EXPECT_EQ(ShiftText({false, 2, 1, 5, 0}), L"+2 j 01:05:00");
}

} // namespace
