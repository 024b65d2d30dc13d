// A date-time written by the stamping shows, once the folder is listed again, as the clock time
// chosen: in years whose time-zone rules differ from today's, and on volumes that keep local time.
#include "operations/FileStamping.h"

#include "support/win/OperationFiles.h"
#include "listing/FileListing.h"
#include "listing/FileTimes.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CivilTime ListedWrite(const std::wstring& folder) {
    TFileListing listing;
    EXPECT_EQ(listing.ReadFolder(folder, L"*.*"), 1);
    return listing.Count() == 1 ? DecodeDateTime(listing[0].Modified) : CivilTime{};
}

CivilTime WriteAndList(const TempFolder& folder, const CivilTime& local) {
    const std::wstring path = folder.MakeFile(L"stamp.txt");
    EXPECT_TRUE(FileSetDateTime(path, local, StampSet{Stamp::LastWrite}));
    return ListedWrite(folder.Path());
}

// Run by its own test entry under TZ=America/New_York: the United States moved their summer time
// in 2007, and 20 March is summer time under today's rules but was winter time in 2005.
TEST(NewYorkZone, StampsBeforeAndAfterTheRuleChangeShowTheClockTimeWritten) {
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    ::GetDynamicTimeZoneInformation(&zone);
    if (std::wstring(zone.TimeZoneKeyName) != L"Eastern Standard Time")
        GTEST_SKIP() << "needs TZ=America/New_York";
    const CivilTime in2005{2005, 3, 20, 10, 0, 0, 0};
    const CivilTime in2021{2021, 3, 20, 10, 0, 0, 0};

    TempFolder first;
    EXPECT_EQ(WriteAndList(first, in2005), in2005);
    EXPECT_TRUE(SameTime(ReadStamps(first / L"stamp.txt")->LastWrite, UtcFileTime(2005, 3, 20, 15, 0, 0)));
    TempFolder second;
    EXPECT_EQ(WriteAndList(second, in2021), in2021);
    EXPECT_TRUE(SameTime(ReadStamps(second / L"stamp.txt")->LastWrite, UtcFileTime(2021, 3, 20, 14, 0, 0)));
}

// A date in the other season than today's: there the offset in force now and the date's own
// offset differ by the hour of summer time.
CivilTime DateInTheOtherSeason() {
    TIME_ZONE_INFORMATION now{};
    const bool summerNow = ::GetTimeZoneInformation(&now) == TIME_ZONE_ID_DAYLIGHT;
    return summerNow ? CivilTime{2015, 1, 15, 10, 0, 0, 0} : CivilTime{2015, 6, 15, 10, 0, 0, 0};
}

TEST(LocalTimeVolume, KeepsTheClockTimeWrittenAndShowsItBack) {
    const ScopedVolumeStampClock fat(StampClock::Local);
    const CivilTime chosen = DateInTheOtherSeason();
    FILETIME written{};
    const ScopedFileTimeWriter recorder(
        [&](HANDLE file, const FILETIME& creation, const FILETIME& lastAccess, const FILETIME& lastWrite) {
            written = lastWrite;
            return PlatformFileTimeWriter(file, creation, lastAccess, lastWrite);
        });
    TempFolder folder;

    EXPECT_EQ(WriteAndList(folder, chosen), chosen);

    // Such a volume turns the stamp it is given into local time with the offset in force now: the
    // disk keeps the clock time chosen, not one an hour off.
    FILETIME kept{};
    ASSERT_TRUE(::FileTimeToLocalFileTime(&written, &kept));
    SYSTEMTIME keptTime{};
    ASSERT_TRUE(::FileTimeToSystemTime(&kept, &keptTime));
    EXPECT_EQ(keptTime.wDay, chosen.Day);
    EXPECT_EQ(keptTime.wHour, chosen.Hour);
    EXPECT_EQ(keptTime.wMinute, 0);
}

} // namespace
