// Collation keys kept without their lengths: each key's end is found from its neighbour, across
// blocks, for empty, short and very long texts alike.
#include "listing/SortKeyStore.h"
#include "base/FixedLocale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

FixedLocale french;

TEST(SortKeyStore, EveryKeyComesBackWholeAcrossBlocks) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < 20000; ++i)
        texts.push_back(std::wstring(static_cast<size_t>(i * 7 % 40), L'é') + std::to_wstring(i));
    texts.insert(texts.begin() + 3, std::wstring());
    texts.insert(texts.begin() + 9000, std::wstring(32767, L'Z'));
    texts.push_back(std::wstring());
    SortKeyStore store;
    for (const std::wstring& text : texts)
        store.Add(text, french);
    ASSERT_EQ(store.Count(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(store.Key(i), french.SortKey(texts[i])) << "key " << i;
    store.Clear();
    EXPECT_EQ(store.Count(), 0u);
    store.Add(L"b", french);
    EXPECT_EQ(store.Key(0), french.SortKey(L"b"));
}

} // namespace
