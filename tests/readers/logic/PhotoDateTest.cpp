// The photo date read through a byte source: how far the file is read, which files give no date
// and why, and sources that fail or hold fewer bytes than they claim.
#include "readers/PhotoDate.h"

#include "readers/ExifDate.h"
#include "support/logic/ExifImages.h"
#include "support/logic/MemoryByteSource.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

const TakenDate kTaken{{2021, 6, 15, 10, 20, 30, 0}};
const std::string kPhoto = Jpeg(Tiff(false, {}, {{0x9003, "2021:06:15 10:20:30"}}));

// `photo` with `kilobytes` of other segments before its Exif one.
std::string Behind(std::string photo, int kilobytes) {
    for (int i = 0; i < kilobytes / 60; ++i)
        photo.insert(2, std::string("\xFF\xE2\xEA\x62", 4) + std::string(60000, 'x'));
    return photo + std::string(1000, 'y');
}

std::variant<TakenDate, NoPhotoDate> Read(MemoryByteSource& source) {
    const auto read = ReadPhotoDate(source);
    for (const auto& [offset, count] : source.Reads)
        EXPECT_LE(offset + count, source.Size()) << "read past the source's size";
    return read;
}

TEST(PhotoDateTest, ReadsFurtherOnlyWhileTheDateIsNotFoundAndNoFurtherThanTheLimit) {
    MemoryByteSource first(Behind(kPhoto, 0) + std::string(300'000, 'z'));
    EXPECT_EQ(Read(first), (std::variant<TakenDate, NoPhotoDate>(kTaken)));
    EXPECT_EQ(first.Reads.size(), 1u);

    MemoryByteSource distant(Behind(kPhoto, 120));
    EXPECT_EQ(Read(distant), (std::variant<TakenDate, NoPhotoDate>(kTaken)));
    EXPECT_EQ(distant.Reads.size(), 2u);

    // Past the limit the date is not looked for.
    MemoryByteSource tooFar(Behind(kPhoto, 1080));
    EXPECT_EQ(Read(tooFar), (std::variant<TakenDate, NoPhotoDate>(NoPhotoDate::NoDateWritten)));
    for (const auto& [offset, count] : tooFar.Reads)
        EXPECT_LE(offset + count, kExifBytesRead);
}

TEST(PhotoDateTest, TellsAFileOfAnotherKindFromAPhotoWithoutADate) {
    for (const std::string& bytes : {std::string(), std::string("pas une image"), std::string("\xFF")}) {
        MemoryByteSource other(bytes);
        EXPECT_EQ(Read(other), (std::variant<TakenDate, NoPhotoDate>(NoPhotoDate::NotRecognised)));
    }
    MemoryByteSource undated(Jpeg(Tiff(true, {}, {{0x010F, "Appareil"}})));
    EXPECT_EQ(Read(undated), (std::variant<TakenDate, NoPhotoDate>(NoPhotoDate::NoDateWritten)));
}

TEST(PhotoDateTest, ASourceThatFailsOrHoldsFewerBytesThanItClaimsGivesNoDate) {
    const size_t dateEnd = kPhoto.find("2021:") + 19;
    // The file ends before its date, though its size says it holds more.
    MemoryByteSource cut(kPhoto.substr(0, dateEnd - 1), 2'000'000);
    EXPECT_EQ(Read(cut), (std::variant<TakenDate, NoPhotoDate>(NoPhotoDate::NoDateWritten)));
    // Bytes past the size the source gives are not read.
    MemoryByteSource beyond(kPhoto, dateEnd - 1);
    EXPECT_EQ(Read(beyond), (std::variant<TakenDate, NoPhotoDate>(NoPhotoDate::NoDateWritten)));

    for (size_t failing : {0, 1}) {
        MemoryByteSource failed(Behind(kPhoto, 120));
        failed.FailFromRead(failing);
        EXPECT_EQ(Read(failed), (std::variant<TakenDate, NoPhotoDate>(NoPhotoDate::Unreadable))) << failing;
    }
}

// A TIFF whose first directory lies at 3 MiB, its Exif directory and date after it: read where
// the offsets say, a few bytes at a time, not by reading the file up to them.
TEST(PhotoDateTest, ReadsATiffDirectoryWhereverItsOffsetLies) {
    constexpr uint32_t kAt = 3 << 20;
    const auto le = [](uint32_t value, int size) {
        std::string out;
        for (int i = 0; i < size; ++i)
            out += static_cast<char>(value >> 8 * i);
        return out;
    };
    std::string tiff = std::string("II*\0", 4) + le(kAt, 4);
    tiff.resize(kAt, '\0');
    tiff += le(1, 2) + le(0x8769, 2) + le(4, 2) + le(1, 4) + le(kAt + 18, 4) + le(0, 4);
    tiff += le(1, 2) + le(0x9003, 2) + le(2, 2) + le(20, 4) + le(kAt + 36, 4) + le(0, 4);
    tiff += std::string("2021:06:15 10:20:30") + '\0';
    MemoryByteSource far(tiff);
    EXPECT_EQ(Read(far), (std::variant<TakenDate, NoPhotoDate>(kTaken)));
    size_t bytesRead = 0;
    for (const auto& [offset, count] : far.Reads)
        bytesRead += count;
    EXPECT_LE(bytesRead, 200'000u);

    // The same directory with the file cut short before its date.
    MemoryByteSource cut(tiff.substr(0, tiff.size() - 5));
    EXPECT_EQ(Read(cut), (std::variant<TakenDate, NoPhotoDate>(NoPhotoDate::NoDateWritten)));
}

} // namespace
