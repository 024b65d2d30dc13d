// UTF-8 and wide text: characters outside the basic plane, lone surrogates and damaged bytes.
#include "base/Utf8Text.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8TextTest, RoundTripsEveryPlaneWhateverTheWidthOfWchar) {
    const std::wstring text = L"été \u20AC \U0001F600 z";
    EXPECT_EQ(Utf8FromWide(text), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 z");
    EXPECT_EQ(WideFromUtf8(Utf8FromWide(text)), text);
    std::wstring emoji;
    EXPECT_TRUE(AppendWide(emoji, 0x1F600));
    size_t pos = 0;
    EXPECT_EQ(NextWideCodePoint(emoji, pos), 0x1F600u);
    EXPECT_EQ(pos, emoji.size());
}

TEST(Utf8TextTest, LoneSurrogateBecomesReplacementCharacter) {
    const std::wstring lone(1, static_cast<wchar_t>(0xD800));
    EXPECT_EQ(Utf8FromWide(lone + L"a"), "\xEF\xBF\xBD"
                                         "a");
}

TEST(Utf8TextTest, RejectsMalformedOverlongSurrogateAndOutOfRangeBytes) {
    for (const char* bad : {"\x80", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xF8\x88\x80\x80\x80", "a\xE2\x82"})
        EXPECT_FALSE(WideFromUtf8(bad).has_value()) << bad;
    EXPECT_EQ(WideFromUtf8(""), L"");
}

} // namespace
