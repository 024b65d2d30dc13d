// A file time in the user's local time, under the tests' Paris zone (TZ=Europe/Paris).
#include "base/FileTimeTicks.h"
#include "base/TimeText.h"

#include "support/win/Days.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::AnyOf;
using ::testing::Eq;

uint64_t UtcTicks(const SYSTEMTIME& utc) {
    FILETIME time{};
    ::SystemTimeToFileTime(&utc, &time);
    return FileTimeTicks(time);
}

TEST(JournalTimeText, LocalTimeDayFirstAtTodaysOffset) {
    // One hour ahead of UTC while Paris keeps winter time, two in summer.
    EXPECT_THAT(JournalTimeText(UtcTicks(Day(2024, 1, 5, 23, 7, 9))),
                AnyOf(Eq(L"06/01/2024 00:07:09"), Eq(L"06/01/2024 01:07:09")));
}

} // namespace
