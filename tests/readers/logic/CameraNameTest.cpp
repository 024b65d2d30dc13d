// The camera a photo names: read from the first directory of JPEG, TIFF and HEIF files, damaged
// ones included, then shown and matched as the user types it.
#include "readers/CameraName.h"
#include "readers/PhotoDate.h"
#include "support/logic/ExifImages.h"
#include "support/logic/MediaFiles.h"
#include "support/logic/MemoryByteSource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint16_t kMake = 0x010F;
constexpr uint16_t kModel = 0x0110;

std::optional<ExifCamera> CameraOf(const std::string& bytes) {
    MemoryByteSource source(bytes);
    return ReadPhotoCamera(source);
}

TEST(CameraName, ReadFromTheFirstDirectoryOfEveryPhotoKindAndNeverPastTheBytes) {
    const std::string canon = Tiff(false, {{kMake, "Canon"}, {kModel, "Canon EOS 80D"}}, {});
    const std::string padded = Tiff(true, {{kMake, "  NIKON CORPORATION   "}, {kModel, "D7"}}, {});
    std::string lying = canon;
    lying[8 + 2 + 4] = '\x40'; // the Make entry's count now reaches far past the end
    std::string cut = canon.substr(0, canon.size() - 10);
    const struct {
        const char* what;
        std::string bytes;
        std::optional<ExifCamera> camera;
    } cases[] = {
        {"TIFF", canon, ExifCamera{"Canon", "Canon EOS 80D"}},
        {"JPEG, padded, big-endian", Jpeg(padded), ExifCamera{"NIKON CORPORATION", "D7"}},
        {"HEIC", Heif("heic", canon, true), ExifCamera{"Canon", "Canon EOS 80D"}},
        {"model alone", Jpeg(Tiff(false, {{kModel, "iPhone 15"}}, {})), ExifCamera{"", "iPhone 15"}},
        {"tags only in the Exif directory", Tiff(false, {}, {{kMake, "Canon"}}), std::nullopt},
        {"blank names", Tiff(false, {{kMake, "   "}, {kModel, ""}}, {}), std::nullopt},
        {"a count past the end", lying, ExifCamera{"", "Canon EOS 80D"}},
        {"cut short in its values", cut, ExifCamera{"Canon", ""}},
        {"a video", Video("isom", MovieHeader(0, 3'000'000'000)), std::nullopt},
        {"not a photo", "pas une image", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CameraOf(c.bytes), c.camera) << c.what;
    EXPECT_EQ(ReadExifCamera(Jpeg(canon)), (ExifCamera{"Canon", "Canon EOS 80D"}));
}

TEST(CameraName, ShownOnceAndMatchedIgnoringCaseAndSpaces) {
    const ExifCamera canon{"Canon", "Canon EOS 80D"};
    const ExifCamera nikon{"NIKON CORPORATION", "NIKON D7500"};
    const ExifCamera latin1{"Cam\xE9ra", "X"};
    EXPECT_EQ(CameraNameOf(canon), L"Canon EOS 80D");
    EXPECT_EQ(CameraNameOf(nikon), L"NIKON CORPORATION NIKON D7500");
    EXPECT_EQ(CameraNameOf({"", "iPhone 15"}), L"iPhone 15");
    EXPECT_EQ(CameraNameOf({"Apple", ""}), L"Apple");
    EXPECT_EQ(CameraNameOf({"Canonet", "Canon X"}), L"Canonet Canon X") << "a name is not a prefix of a word";
    EXPECT_EQ(CameraNameOf(latin1), L"Caméra X") << "one byte a letter";
    EXPECT_EQ(CameraNameOf({"Caméra", "X"}), L"Caméra X") << "UTF-8";

    EXPECT_TRUE(CameraMatches(canon, L"  canon   eos 80d "));
    EXPECT_TRUE(CameraMatches(canon, L"CANON CANON EOS 80D"));
    EXPECT_TRUE(CameraMatches(latin1, L"CAMÉRA x"));
    EXPECT_FALSE(CameraMatches(canon, L"Canon EOS 800D"));
    EXPECT_FALSE(CameraMatches(canon, L"Canon"));
    EXPECT_FALSE(CameraMatches({"", ""}, L"   "));
}

} // namespace
