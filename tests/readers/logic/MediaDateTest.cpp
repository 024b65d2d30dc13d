// The date of videos (MP4, MOV, M4V, 3GP) and HEIF photos read through ReadPhotoDate from files
// made byte for byte: the brands that tell them, the movie header and the QuickTime creation date,
// the Exif item, and boxes that lie about their sizes.
#include "readers/PhotoDate.h"
#include "support/logic/ExifImages.h"
#include "support/logic/MediaFiles.h"
#include "support/logic/MemoryByteSource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <variant>

namespace {

using Result = std::variant<TakenDate, NoPhotoDate>;

constexpr uint64_t kSeconds2019 = 3660681599; // 2019-12-31 23:59:59 UTC, from 1904
constexpr uint64_t kSeconds2070 = 5251651200; // 2070-06-01 00:00:00 UTC, past 32 bits
constexpr uint64_t kSeconds1969 = 2082841200; // 1969-12-31 23:00:00 UTC
const TakenDate kMovie2019{{2019, 12, 31, 23, 59, 59, 0}, true, DateSource::MovieHeader};

Result Read(const std::string& bytes) {
    MemoryByteSource source(bytes);
    const Result read = ReadPhotoDate(source);
    for (const auto& [offset, count] : source.Reads)
        EXPECT_LE(offset + count, source.Size()) << "read past the source's size";
    return read;
}

TEST(VideoDateTest, MovieHeaderCreationTimeOfEveryVideoBrandInBothVersions) {
    for (const char* brand : {"isom", "mp42", "qt  ", "M4V ", "3gp5", "3g2a"}) {
        EXPECT_EQ(Read(Video(brand, MovieHeader(0, kSeconds2019))), Result(kMovie2019)) << brand;
        EXPECT_EQ(Read(Video(brand, MovieHeader(1, kSeconds2070))),
                  Result(TakenDate{{2070, 6, 1, 0, 0, 0, 0}, true, DateSource::MovieHeader}))
            << brand;
    }
    // An old QuickTime file without `ftyp`; a `moov` running to the end (size 0) or with a 64-bit size.
    EXPECT_EQ(Read(IsoBox("wide", "") + IsoBox("moov", MovieHeader(0, kSeconds2019))), Result(kMovie2019));
    EXPECT_EQ(Read(FileType("isom") + BigEndian(0, 4) + "moov" + MovieHeader(0, kSeconds2019)),
              Result(kMovie2019));
    const std::string movie = MovieHeader(1, kSeconds2019);
    EXPECT_EQ(Read(FileType("mp41") + BigEndian(1, 4) + "moov" + BigEndian(16 + movie.size(), 8) + movie),
              Result(kMovie2019));
}

TEST(VideoDateTest, ZeroOrPre1970CreationTimeOrNoMovieHeaderIsNoDate) {
    for (const std::string& movie :
         {MovieHeader(0, 0), MovieHeader(1, kSeconds1969), MovieHeader(2, kSeconds2019),
          IsoBox("trak", MovieHeader(0, kSeconds2019))})
        EXPECT_EQ(Read(Video("isom", movie)), Result(NoPhotoDate::NoDateWritten));
    EXPECT_EQ(Read(IsoBox("ftyp", "abcd" + BigEndian(0, 4) + "wxyz") +
                   IsoBox("moov", MovieHeader(0, kSeconds2019))),
              Result(NoPhotoDate::NotRecognised));
}

TEST(VideoDateTest, QuickTimeCreationDateWithItsOffsetIsPreferred) {
    const TakenDate phone{{2023, 4, 15, 12, 30, 22, 0}, true, DateSource::QuickTimeCreation};
    const std::string header = MovieHeader(0, kSeconds2019);
    EXPECT_EQ(Read(Video("qt  ", header + CreationDateMeta("2023-04-15T14:30:22+0200", false))),
              Result(phone));
    EXPECT_EQ(
        Read(Video("mp42", header + IsoBox("udta", CreationDateMeta("2023-04-15T14:30:22+02:00", true)))),
        Result(phone));
    EXPECT_EQ(Read(Video("qt  ", CreationDateMeta("2023-04-15T11:30:22.25-01:00", false) + header)),
              Result(TakenDate{{2023, 4, 15, 12, 30, 22, 250}, true, DateSource::QuickTimeCreation}));
    // Without an offset, or impossible, it names no instant: the movie header's time stands.
    for (const char* text : {"2023-04-15T14:30:22", "2023-02-30T14:30:22+0200", "2023-04-15 14:30:22Z"})
        EXPECT_EQ(Read(Video("qt  ", header + CreationDateMeta(text, false))), Result(kMovie2019)) << text;
}

TEST(VideoDateTest, MediaDataIsSteppedOverNotRead) {
    constexpr size_t kMedia = 4 << 20;
    MemoryByteSource source(Video("isom", MovieHeader(0, kSeconds2019), kMedia));
    EXPECT_EQ(ReadPhotoDate(source), Result(kMovie2019));
    size_t bytesRead = 0;
    for (const auto& [offset, count] : source.Reads)
        bytesRead += count;
    EXPECT_LT(bytesRead, 200'000u);
}

// Every damaged file gives no date, at once and without reading outside the file.
TEST(VideoDateTest, BoxesThatLieAboutTheirSizeGiveNoDateQuickly) {
    const std::string header = MovieHeader(0, kSeconds2019);
    std::string manyTiny = FileType("isom");
    for (int i = 0; i < 200'000; ++i)
        manyTiny += IsoBox("free", "");
    manyTiny += IsoBox("moov", header);
    const std::string cases[] = {
        FileType("isom") + BigEndian(4, 4) + "free" + IsoBox("moov", header),   // smaller than its header
        FileType("isom") + BigEndian(1 << 30, 4) + "moov" + header,             // past the file's end
        FileType("isom") + BigEndian(1, 4) + "moov" + BigEndian(8, 8) + header, // 64-bit size too small
        FileType("isom") + IsoBox("moov", BigEndian(500, 4) + "mvhd" + header.substr(8)), // past its parent
        FileType("isom") + IsoBox("moov", IsoBox("udta", BigEndian(0, 4) + "meta")) +
            header, // meta holds nothing
        manyTiny,
    };
    for (const std::string& bytes : cases) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Read(bytes), Result(NoPhotoDate::NoDateWritten)) << bytes.size();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    }
}

const std::string kExifTiff = Tiff(false, {}, {{0x9003, "2022:08:01 09:10:11"}, {0x9291, "42"}});
const TakenDate kPhoto{{2022, 8, 1, 9, 10, 11, 420}, false, DateSource::Original};

TEST(HeifDateTest, ExifItemWithOrWithoutItsMarkerInEveryLocationVersion) {
    for (const char* brand : {"heic", "mif1", "avif"})
        for (const bool marker : {false, true})
            for (const int version : {0, 1, 2})
                for (const bool wide : {false, true})
                    EXPECT_EQ(Read(Heif(brand, kExifTiff, marker, version, wide)), Result(kPhoto))
                        << brand << marker << version << wide;
    EXPECT_EQ(Read(Heif("heic", Tiff(true, {}, {{0x9003, "2022:08:01 09:10:11"}, {0x9011, "Z"}}), true)),
              Result(TakenDate{{2022, 8, 1, 9, 10, 11, 0}, true, DateSource::Original}));
}

TEST(HeifDateTest, NoExifItemOrOneStoredOtherwiseIsNoDate) {
    std::string noExif = Heif("heic", kExifTiff, false);
    noExif.replace(noExif.find("Exif"), 4, "mime");
    EXPECT_EQ(Read(noExif), Result(NoPhotoDate::NoDateWritten));
    // Construction method 1: the item lies in the `idat` box, which is not read.
    std::string method = Heif("heic", kExifTiff, false, 1);
    const size_t second =
        method.find(BigEndian(2, 2) + BigEndian(0, 2) + BigEndian(0, 2), method.find("iloc") + 12);
    method[second + 3] = 1;
    EXPECT_EQ(Read(method), Result(NoPhotoDate::NoDateWritten));
    // An offset to the TIFF header past the item's end.
    std::string farHeader = Heif("heic", kExifTiff, false);
    farHeader.replace(farHeader.rfind(BigEndian(0, 4) + "II*"), 4, BigEndian(1 << 20, 4));
    EXPECT_EQ(Read(farHeader), Result(NoPhotoDate::NoDateWritten));
}

} // namespace
