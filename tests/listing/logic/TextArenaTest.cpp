// Texts kept in shared blocks: every text comes back whole and stays where it was put.
#include "listing/TextArena.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(TextArena, KeepsEveryTextWholeAcrossBlocks) {
    TextArena arena;
    // Lengths up to a few hundred fill many blocks and leave tails that the next text cannot use;
    // one text longer than any block gets a block of its own.
    std::vector<std::wstring> texts;
    for (int i = 0; i < 20000; ++i)
        texts.push_back(std::wstring(static_cast<size_t>(i * 37 % 300), static_cast<wchar_t>(L'a' + i % 26)) +
                        std::to_wstring(i));
    texts.insert(texts.begin() + 5000, std::wstring(200000, L'x'));
    std::vector<std::wstring_view> kept;
    for (const std::wstring& text : texts)
        kept.push_back(arena.Keep(text));
    for (size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(kept[i], texts[i]) << "text " << i;
        ASSERT_NE(kept[i].data(), texts[i].data()) << "a copy, not the caller's text";
    }
}

TEST(TextArena, EmptyTextAndClear) {
    TextArena arena;
    EXPECT_TRUE(arena.Keep(L"").empty());
    arena.Keep(L"before");
    arena.Clear();
    EXPECT_EQ(arena.Keep(L"after"), L"after");
}

TEST(TextArena, PairsComeBackByPlaceWithTheLongestNames) {
    // Names up to the longest a path allows, each with a short name or none, over many blocks:
    // a place that lost its block's number or its offset gives another text.
    TextArena arena;
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    for (int i = 0; i < 3000; ++i) {
        const size_t length = i % 500 == 7 ? 32767 : static_cast<size_t>(i * 13 % 260);
        pairs.emplace_back(std::wstring(length, static_cast<wchar_t>(L'a' + i % 26)) + std::to_wstring(i),
                           i % 3 == 0 ? std::wstring() : L"S~" + std::to_wstring(i));
    }
    std::vector<uint32_t> places;
    for (const auto& [name, shortName] : pairs)
        places.push_back(arena.KeepPair(name, shortName));
    for (size_t i = 0; i < pairs.size(); ++i) {
        const auto& [name, shortName] = pairs[i];
        ASSERT_EQ(arena.View(places[i], 0, name.size()), name) << "pair " << i;
        ASSERT_EQ(arena.View(places[i], name.size(), shortName.size()), shortName) << "pair " << i;
    }
}

} // namespace
