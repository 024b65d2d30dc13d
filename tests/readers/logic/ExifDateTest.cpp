// The photo date from Exif data: the order of the three dates, their sub-seconds and offsets,
// damaged and cut-short files, in JPEG and TIFF files of both byte orders, and the extensions worth
// opening.
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
    std::optional<TakenDate> Read(const std::vector<ExifTag>& first, const std::vector<ExifTag>& exif) const {
        return ReadExifDate(Image(first, exif));
    }
};

TEST_P(ExifDateTest, PrefersOriginalThenDigitizedThenModifiedWithTheMatchingOffset) {
    const ExifTag modified{0x0132, "2023:01:02 03:04:05"};
    const ExifTag offsets[] = {{0x9010, "-05:30"}, {0x9011, "+02:00"}, {0x9012, "+14:30"}};
    EXPECT_EQ(
        Read({modified}, {{0x9003, kOriginal}, {0x9004, "2022:12:31 23:59:59"}, offsets[0], offsets[1]}),
        (TakenDate{{2021, 6, 15, 8, 20, 30, 0}, true, DateSource::Original}));
    EXPECT_EQ(Read({modified}, {{0x9004, "2024:02:29 00:00:00"}, offsets[1], offsets[2]}),
              (TakenDate{{2024, 2, 29, 0, 0, 0, 0}, false, DateSource::Digitized}));
    EXPECT_EQ(Read({modified}, {offsets[0], offsets[1]}),
              (TakenDate{{2023, 1, 2, 8, 34, 5, 0}, true, DateSource::Modified}));
    EXPECT_EQ(Read({}, {{0x9011, "+02:00"}}), std::nullopt);
}

// DateTime is rewritten by editing software: it stands in only for a file that has neither of the
// camera's dates at all, never for one whose camera wrote them blank or zeroed.
TEST_P(ExifDateTest, ImpossibleZeroedOrBlankDatesFallBackToDigitizedNeverToModified) {
    const ExifTag modified{0x0132, kOriginal + "  "};
    EXPECT_EQ(Read({modified}, {{0x9003, "0000:00:00 00:00:00"}, {0x9004, "2022:12:31 23:59:59"}}),
              (TakenDate{{2022, 12, 31, 23, 59, 59, 0}, false, DateSource::Digitized}));
    EXPECT_EQ(Read({modified}, {{0x9003, "2021:02:29 10:20:30"}, {0x9004, "0000:00:00 00:00:00"}}),
              std::nullopt);
    EXPECT_EQ(Read({modified}, {{0x9003, "    :  :     :  :  "}}), std::nullopt);
    EXPECT_EQ(Read({modified}, {{0x9004, ""}}), std::nullopt);
    EXPECT_EQ(Read({modified}, {}), (TakenDate{kOriginalTime, false, DateSource::Modified}));
    EXPECT_EQ(Read({{0x0132, "2021:13:01 10:20:30"}}, {{0x9010, "+01:00"}}), std::nullopt);
}

TEST_P(ExifDateTest, SubSecondsToTheMillisecondAndOffsetsInEveryWrittenForm) {
    const struct {
        std::string SubSeconds, Offset;
        CivilTime Expected;
        bool IsUtc;
    } cases[] = {
        {"5", "", {2021, 6, 15, 10, 20, 30, 500}, false},
        {"123456", "Z", {2021, 6, 15, 10, 20, 30, 123}, true},
        {"07 ", "+0200", {2021, 6, 15, 8, 20, 30, 70}, true},
        {"", "+02:00", {2021, 6, 15, 8, 20, 30, 0}, true},
        {"1a", "-0930", {2021, 6, 15, 19, 50, 30, 0}, true},
        {"999", "+2:00", {2021, 6, 15, 10, 20, 30, 999}, false},
        {"", "+15:00", kOriginalTime, false},
        {"", "   :  ", kOriginalTime, false},
    };
    for (const auto& c : cases) {
        std::vector<ExifTag> exif = {{0x9003, kOriginal}, {0x9291, c.SubSeconds}, {0x9011, c.Offset}};
        EXPECT_EQ(Read({}, exif), (TakenDate{c.Expected, c.IsUtc, DateSource::Original}))
            << c.SubSeconds << " " << c.Offset;
    }
    // Each date takes its own sub-seconds and offset, never another's.
    EXPECT_EQ(Read({}, {{0x9004, "2021:12:31 23:30:00"},
                        {0x9291, "9"},
                        {0x9292, "25"},
                        {0x9011, "Z"},
                        {0x9012, "-01:00"}}),
              (TakenDate{{2022, 1, 1, 0, 30, 0, 250}, true, DateSource::Digitized}));
}

TEST_P(ExifDateTest, ImageCutShortGivesNoDateUntilTheDateIsWhole) {
    const std::string image = Image({}, {{0x9003, kOriginal}});
    const size_t dateAt = image.find(kOriginal);
    for (size_t length = 0; length < image.size(); ++length) {
        const bool whole = length > dateAt + kOriginal.size();
        EXPECT_EQ(ReadExifDate(image.substr(0, length)),
                  whole ? std::optional(TakenDate{kOriginalTime}) : std::nullopt)
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

TEST(ExifDateReaderTest, KnowsPhotoAndVideoExtensionsInAnyCase) {
    for (const wchar_t* name : {L"a.jpg", L"B.JPEG", L"c.Jpe", L"d.tif", L"x.y.TIFF", L"e.HEIC", L"f.avif",
                                L"g.Mp4", L"h.MOV", L"i.m4v", L"j.3gp"})
        EXPECT_TRUE(MayHoldExifDate(name)) << name;
    for (const wchar_t* name : {L"a.png", L"jpg", L"a.jpg.txt", L"a.jpgx", L"a.", L"dir.jpg\\file"})
        EXPECT_FALSE(MayHoldExifDate(name)) << name;
}

} // namespace
