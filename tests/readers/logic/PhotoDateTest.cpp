// The photo date read through a byte source: how far the file is read, which files give no date
// and why, and sources that fail or hold fewer bytes than they claim.
#include "readers/PhotoDate.h"
#include "support/logic/ExifImages.h"
#include "support/logic/MemoryByteSource.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

const ExifDate kTaken{{2021, 6, 15, 10, 20, 30, 0}};
const std::string kPhoto = Jpeg(Tiff(false, {}, {{0x9003, "2021:06:15 10:20:30"}}));

// `photo` with `kilobytes` of other segments before its Exif one.
std::string Behind(std::string photo, int kilobytes) {
    for (int i = 0; i < kilobytes / 60; ++i)
        photo.insert(2, std::string("\xFF\xE2\xEA\x62", 4) + std::string(60000, 'x'));
    return photo + std::string(1000, 'y');
}

std::variant<ExifDate, NoPhotoDate> Read(MemoryByteSource& source) {
    const auto read = ReadPhotoDate(source);
    for (const auto& [offset, count] : source.Reads)
        EXPECT_LE(offset + count, source.Size()) << "read past the source's size";
    return read;
}

TEST(PhotoDateTest, ReadsFurtherOnlyWhileTheDateIsNotFoundAndNoFurtherThanTheLimit) {
    MemoryByteSource first(Behind(kPhoto, 0) + std::string(300'000, 'z'));
    EXPECT_EQ(Read(first), (std::variant<ExifDate, NoPhotoDate>(kTaken)));
    EXPECT_EQ(first.Reads.size(), 1u);

    MemoryByteSource distant(Behind(kPhoto, 120));
    EXPECT_EQ(Read(distant), (std::variant<ExifDate, NoPhotoDate>(kTaken)));
    EXPECT_EQ(distant.Reads.size(), 2u);

    // Past the limit the date is not looked for.
    MemoryByteSource tooFar(Behind(kPhoto, 1080));
    EXPECT_EQ(Read(tooFar), (std::variant<ExifDate, NoPhotoDate>(NoPhotoDate::NoDateWritten)));
    EXPECT_EQ(tooFar.Reads.back().first + tooFar.Reads.back().second, kExifBytesRead);
}

TEST(PhotoDateTest, TellsAFileOfAnotherKindFromAPhotoWithoutADate) {
    for (const std::string& bytes : {std::string(), std::string("pas une image"), std::string("\xFF")}) {
        MemoryByteSource other(bytes);
        EXPECT_EQ(Read(other), (std::variant<ExifDate, NoPhotoDate>(NoPhotoDate::NotJpegOrTiff)));
    }
    MemoryByteSource undated(Jpeg(Tiff(true, {}, {{0x010F, "Appareil"}})));
    EXPECT_EQ(Read(undated), (std::variant<ExifDate, NoPhotoDate>(NoPhotoDate::NoDateWritten)));
}

TEST(PhotoDateTest, ASourceThatFailsOrHoldsFewerBytesThanItClaimsGivesNoDate) {
    const size_t dateEnd = kPhoto.find("2021:") + 19;
    // The file ends before its date, though its size says it holds more.
    MemoryByteSource cut(kPhoto.substr(0, dateEnd - 1), 2'000'000);
    EXPECT_EQ(Read(cut), (std::variant<ExifDate, NoPhotoDate>(NoPhotoDate::NoDateWritten)));
    // Bytes past the size the source gives are not read.
    MemoryByteSource beyond(kPhoto, dateEnd - 1);
    EXPECT_EQ(Read(beyond), (std::variant<ExifDate, NoPhotoDate>(NoPhotoDate::NoDateWritten)));

    for (size_t failing : {0, 1}) {
        MemoryByteSource failed(Behind(kPhoto, 120));
        failed.FailFromRead(failing);
        EXPECT_EQ(Read(failed), (std::variant<ExifDate, NoPhotoDate>(NoPhotoDate::Unreadable))) << failing;
    }
}

} // namespace
