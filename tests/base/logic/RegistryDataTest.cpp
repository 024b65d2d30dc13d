// Conversion of raw registry bytes into settings values.
#include "base/RegistryData.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Utf16(const std::wstring& text, bool terminate = true) {
    std::vector<uint8_t> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
    }
    if (terminate)
        bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

} // namespace

TEST(RegistryDataTest, TextValueReadsUpToItsTerminator) {
    const auto bytes = Utf16(L"C:\\Données");
    EXPECT_EQ(TextFromRegistryData(kRegText, bytes.data(), bytes.size()), L"C:\\Données");
}

TEST(RegistryDataTest, ExpandableTextIsNotExpanded) {
    const auto bytes = Utf16(L"%TEMP%\\x");
    EXPECT_EQ(TextFromRegistryData(kRegExpandText, bytes.data(), bytes.size()), L"%TEMP%\\x");
}

TEST(RegistryDataTest, TextWithoutTerminatorOrWithOddByteIsTolerated) {
    auto bytes = Utf16(L"abc", false);
    bytes.push_back(0x41);
    EXPECT_EQ(TextFromRegistryData(kRegText, bytes.data(), bytes.size()), L"abc");
}

TEST(RegistryDataTest, TextStopsAtEmbeddedNul) {
    auto bytes = Utf16(L"ab");
    const auto tail = Utf16(L"cd");
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    EXPECT_EQ(TextFromRegistryData(kRegText, bytes.data(), bytes.size()), L"ab");
}

TEST(RegistryDataTest, EmptyTextValueIsAnEmptyText) {
    EXPECT_EQ(TextFromRegistryData(kRegText, nullptr, 0), L"");
}

TEST(RegistryDataTest, DwordIsNotText) {
    const uint8_t bytes[] = {1, 0, 0, 0};
    EXPECT_FALSE(TextFromRegistryData(kRegDword, bytes, sizeof bytes));
}

TEST(RegistryDataTest, DwordReadsLittleEndianAndSigned) {
    const uint8_t bytes[] = {0x2C, 0x01, 0, 0};
    EXPECT_EQ(IntegerFromRegistryData(kRegDword, bytes, sizeof bytes), 300);
    const uint8_t minusOne[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(IntegerFromRegistryData(kRegDword, minusOne, sizeof minusOne), -1);
}

TEST(RegistryDataTest, DwordOfWrongSizeOrTypeGivesNothing) {
    const uint8_t bytes[] = {1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(IntegerFromRegistryData(kRegDword, bytes, 2));
    EXPECT_FALSE(IntegerFromRegistryData(kRegDword, bytes, 8));
    EXPECT_FALSE(IntegerFromRegistryData(kRegText, bytes, 4));
    EXPECT_FALSE(IntegerFromRegistryData(3 /* binary */, bytes, 4));
}

TEST(RegistryDataTest, BooleanIsAnyNonZeroDword) {
    const uint8_t five[] = {5, 0, 0, 0};
    const uint8_t zero[] = {0, 0, 0, 0};
    EXPECT_EQ(BoolFromRegistryData(kRegDword, five, 4), true);
    EXPECT_EQ(BoolFromRegistryData(kRegDword, zero, 4), false);
}

TEST(RegistryDataTest, BooleanStoredAsTextGivesNothing) {
    const auto bytes = Utf16(L"1");
    EXPECT_FALSE(BoolFromRegistryData(kRegText, bytes.data(), bytes.size()));
}
