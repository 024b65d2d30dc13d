// "Date de prise de vue" on real files in a temporary folder: a video's and a HEIF photo's dates
// become the stamps the operation writes, an exact instant as it is, a camera's clock as local time.
#include "operations/PhotoStamp.h"

#include "base/FileTimeTicks.h"
#include "support/logic/ExifImages.h"
#include "support/logic/MediaFiles.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

namespace {

constexpr uint64_t kTicksPerMillisecond = 10'000;

TEST(PhotoStampTest, VideosAndHeifPhotosAreStampedWithTheDateTheyWereTaken) {
    TempFolder folder;
    const FileStamping stamping = BatchStamping();
    FileOutcome why;

    // 2019-12-31 23:59:59 UTC in the movie header, from 1904.
    const std::wstring mp4 = folder.MakeFile(L"clip.mp4", Video("isom", MovieHeader(0, 3660681599)));
    EXPECT_EQ(PhotoTakenStamp(stamping, mp4, why), FileTimeTicks(UtcFileTime(2019, 12, 31, 23, 59, 59)));

    const std::wstring mov =
        folder.MakeFile(L"phone.MOV", Video("qt  ", MovieHeader(0, 3660681599) +
                                                        CreationDateMeta("2023-04-15T14:30:22+0200", false)));
    EXPECT_EQ(PhotoTakenStamp(stamping, mov, why), FileTimeTicks(UtcFileTime(2023, 4, 15, 12, 30, 22)));

    // A camera's clock without an offset is local time: summer time in Paris, two hours ahead.
    const std::wstring heic = folder.MakeFile(
        L"photo.heic",
        Heif("heic", Tiff(false, {}, {{0x9003, "2022:08:01 09:10:11"}, {0x9291, "42"}}), true));
    EXPECT_EQ(PhotoTakenStamp(stamping, heic, why),
              FileTimeTicks(UtcOfLocal(2022, 8, 1, 9, 10, 11)) + 420 * kTicksPerMillisecond);

    const std::wstring exact = folder.MakeFile(
        L"exact.avif",
        Heif("avif", Tiff(true, {}, {{0x9003, "2022:08:01 09:10:11"}, {0x9011, "+0530"}}), false, 1));
    EXPECT_EQ(PhotoTakenStamp(stamping, exact, why), FileTimeTicks(UtcFileTime(2022, 8, 1, 3, 40, 11)));

    const std::wstring undated = folder.MakeFile(L"undated.mp4", Video("mp42", MovieHeader(0, 0)));
    EXPECT_EQ(PhotoTakenStamp(stamping, undated, why), std::nullopt);
    EXPECT_EQ(why.Detail(), L"aucune date de prise de vue");
}

} // namespace
