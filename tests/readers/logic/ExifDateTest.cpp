// The photo date from Exif data: the order of the three dates, their offsets, damaged and cut-short
// files, in JPEG and TIFF files of both byte orders, and the extensions worth opening.
#include "readers/ExifDate.h"
#include "support/logic/ExifImages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kOriginal = "2021:06:15 10:20:30";
const CivilTime kOriginalTime{2021, 6, 15, 10, 20, 30, 0};

// Each case runs on JPEG and TIFF images in both byte orders.
class ExifDateTest : public testing::TestWithParam<std::tuple<bool, bool>> {
protected:
    std::string Image(const std::vector<ExifTag>& first, const std::vector<ExifTag>& exif) const {
        const std::string tiff = Tiff(std::get<0>(GetParam()), first, exif);
        return std::get<1>(GetParam()) ? Jpeg(tiff) : tiff;
    }
    std::optional<ExifDate> Read(const std::vector<ExifTag>& first, const std::vector<ExifTag>& exif) const {
        return ReadExifDate(Image(first, exif));
    }
};

TEST_P(ExifDateTest, PrefersOriginalThenDigitizedThenModifiedWithTheMatchingOffset) {
    const ExifTag modified{0x0132, "2023:01:02 03:04:05"};
    const ExifTag offsets[] = {{0x9010, "-05:30"}, {0x9011, "+02:00"}, {0x9012, "+14:30"}};
    EXPECT_EQ(
        Read({modified}, {{0x9003, kOriginal}, {0x9004, "2022:12:31 23:59:59"}, offsets[0], offsets[1]}),
        (ExifDate{kOriginalTime, 120, ExifDateSource::Original}));
    EXPECT_EQ(Read({modified}, {{0x9004, "2024:02:29 00:00:00"}, offsets[1], offsets[2]}),
              (ExifDate{{2024, 2, 29, 0, 0, 0, 0}, std::nullopt, ExifDateSource::Digitized}));
    EXPECT_EQ(Read({modified}, {offsets[0], offsets[1]}),
              (ExifDate{{2023, 1, 2, 3, 4, 5, 0}, -330, ExifDateSource::Modified}));
    EXPECT_EQ(Read({}, {{0x9011, "+02:00"}}), std::nullopt);
}

TEST_P(ExifDateTest, ImpossibleZeroedOrBlankDatesFallBackToTheNext) {
    EXPECT_EQ(Read({{0x0132, kOriginal + "  "}},
                   {{0x9003, "2021:02:29 10:20:30"}, {0x9004, "0000:00:00 00:00:00"}}),
              (ExifDate{kOriginalTime, std::nullopt, ExifDateSource::Modified}));
    EXPECT_EQ(Read({{0x0132, "2021:13:01 10:20:30"}},
                   {{0x9003, "2021:06:15 24:00:00"}, {0x9004, "    :  :     :  :  "}}),
              std::nullopt);
}

TEST_P(ExifDateTest, ImageCutShortGivesNoDateUntilTheDateIsWhole) {
    const std::string image = Image({}, {{0x9003, kOriginal}});
    const size_t dateAt = image.find(kOriginal);
    for (size_t length = 0; length < image.size(); ++length) {
        const bool whole = length > dateAt + kOriginal.size();
        EXPECT_EQ(ReadExifDate(image.substr(0, length)),
                  whole ? std::optional(ExifDate{kOriginalTime}) : std::nullopt)
            << length;
    }
}

INSTANTIATE_TEST_SUITE_P(BothByteOrdersJpegAndTiff, ExifDateTest,
                         testing::Combine(testing::Bool(), testing::Bool()));

TEST(ExifDateReaderTest, StopsAtImageDataAndAtAPointerBackToTheFirstDirectory) {
    const std::string tiff = Tiff(false, {}, {{0x9003, kOriginal}});
    EXPECT_EQ(ReadExifDate(std::string("\xFF\xD8\xFF\xDA\0\x02", 6) + Jpeg(tiff).substr(2)), std::nullopt);
    EXPECT_EQ(
        ReadExifDate(std::string("II*\0\x08\0\0\0\x01\0\x69\x87\x04\0\x01\0\0\0\x08\0\0\0\x08\0\0\0", 26)),
        std::nullopt);
}

TEST(ExifDateReaderTest, KnowsJpegAndTiffExtensionsInAnyCase) {
    for (const wchar_t* name : {L"a.jpg", L"B.JPEG", L"c.Jpe", L"d.tif", L"x.y.TIFF"})
        EXPECT_TRUE(MayHoldExifDate(name)) << name;
    for (const wchar_t* name : {L"a.png", L"jpg", L"a.jpg.txt", L"a.jpgx", L"a.", L"dir.jpg\\file"})
        EXPECT_FALSE(MayHoldExifDate(name)) << name;
}

} // namespace
