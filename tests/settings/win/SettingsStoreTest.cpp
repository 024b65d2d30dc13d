// Loading and storing the settings record against the real registry, under a scratch product key.
#include "settings/SettingsStore.h"

#include "support/win/ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <type_traits>

class SettingsStoreTest : public ::testing::Test {
protected:
    ScratchRegistryKey scratch;
    SettingsStore store{scratch / L"Kavet24"};

    static SettingsRecord FirstRunRecord() {
        SettingsRecord s;
        s.Directory = L"C:\\Programmes\\Kavet24";
        return s;
    }
};

TEST_F(SettingsStoreTest, KeysFollowTheProductKey) {
    EXPECT_EQ(SettingsStore().ProductKey(), L"Software\\Lumarek\\Kavet24");
    EXPECT_EQ(SettingsStore().OptionsKey(), L"Software\\Lumarek\\Kavet24\\Options");
    EXPECT_EQ(SettingsStore().ApplicationKey(), L"Software\\Lumarek\\Kavet24\\Application");
}

TEST_F(SettingsStoreTest, FirstRunKeepsEveryDefaultAndTheProgramFolder) {
    SettingsRecord s = FirstRunRecord();
    store.LoadOptions(s);
    EXPECT_EQ(s, FirstRunRecord());
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(store.OptionsKey()));
}

TEST_F(SettingsStoreTest, StoreWritesVersionAndEveryValueWithItsType) {
    store.StoreOptions(FirstRunRecord());
    EXPECT_EQ(ScratchRegistryKey::Text(store.ProductKey(), L"Version"), L"2.0.0.0");
    const auto names = ScratchRegistryKey::ValueNames(store.OptionsKey());
    EXPECT_EQ(names.size(), static_cast<size_t>(SettingsRecord::kFieldCount));
    SettingsRecord record;
    SettingsRecord::VisitFields(record, [&](const wchar_t* name, auto& field) {
        SCOPED_TRACE(name);
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
        const bool isText = std::is_same_v<std::remove_reference_t<decltype(field)>, std::wstring>;
        EXPECT_EQ(ScratchRegistryKey::ValueType(store.OptionsKey(), name),
                  static_cast<DWORD>(isText ? REG_SZ : REG_DWORD));
    });
    EXPECT_EQ(ScratchRegistryKey::Text(store.OptionsKey(), L"Directory"), L"C:\\Programmes\\Kavet24");
    EXPECT_EQ(ScratchRegistryKey::Dword(store.OptionsKey(), L"PanelWidth"), 300u);
    EXPECT_EQ(ScratchRegistryKey::Dword(store.OptionsKey(), L"KOctet"), 0u);
    EXPECT_EQ(ScratchRegistryKey::Dword(store.OptionsKey(), L"ShowState"), 1u);
}

TEST_F(SettingsStoreTest, RoundTripKeepsEveryField) {
    SettingsRecord changed;
    SettingsRecord::VisitFields(changed, [](const wchar_t* name, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, bool>)
            field = !field;
        else if constexpr (std::is_same_v<Field, int>)
            field += 17;
        else
            field = std::wstring(L"valeur ") + name;
    });
    store.StoreOptions(changed);
    SettingsRecord loaded = FirstRunRecord();
    store.LoadOptions(loaded);
    EXPECT_EQ(loaded, changed);
}

TEST_F(SettingsStoreTest, BooleanStoredAsTextReadsTheDefaultAndIsRewrittenAsDword) {
    ScratchRegistryKey::PutText(store.OptionsKey(), L"ShowState", L"0");
    SettingsRecord s = FirstRunRecord();
    store.LoadOptions(s);
    EXPECT_TRUE(s.ShowState);
    store.StoreOptions(s);
    EXPECT_EQ(ScratchRegistryKey::ValueType(store.OptionsKey(), L"ShowState"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(ScratchRegistryKey::Dword(store.OptionsKey(), L"ShowState"), 1u);
}

TEST_F(SettingsStoreTest, BooleanStoredAsFiveReadsTrueAndIsRewrittenAsOne) {
    ScratchRegistryKey::PutDword(store.OptionsKey(), L"KOctet", 5);
    SettingsRecord s = FirstRunRecord();
    store.LoadOptions(s);
    EXPECT_TRUE(s.KOctet);
    store.StoreOptions(s);
    EXPECT_EQ(ScratchRegistryKey::Dword(store.OptionsKey(), L"KOctet"), 1u);
}

TEST_F(SettingsStoreTest, GarbledWidthKeepsItsDefault) {
    ScratchRegistryKey::PutText(store.OptionsKey(), L"PanelWidth", L"large");
    ScratchRegistryKey::PutDword(store.OptionsKey(), L"DirTreeWidth", 250);
    SettingsRecord s = FirstRunRecord();
    store.LoadOptions(s);
    EXPECT_EQ(s.PanelWidth, 300);
    EXPECT_EQ(s.DirTreeWidth, 250);
}

TEST_F(SettingsStoreTest, EmptyStoredDirectoryReplacesTheDefault) {
    ScratchRegistryKey::PutText(store.OptionsKey(), L"Directory", L"");
    SettingsRecord s = FirstRunRecord();
    store.LoadOptions(s);
    EXPECT_EQ(s.Directory, L"");
}

class SettingsVersionTest : public SettingsStoreTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(SettingsVersionTest, PlacementOfAnotherVersionIsDropped) {
    if (*GetParam())
        ScratchRegistryKey::PutText(store.ProductKey(), L"Version", GetParam());
    ScratchRegistryKey::PutText(store.ApplicationKey(), L"NormPos", L"1,2,3,4");
    ScratchRegistryKey::PutText(store.ApplicationKey() + L"\\Inner", L"x", L"y");
    SettingsRecord s = FirstRunRecord();
    store.LoadOptions(s);
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(store.ApplicationKey()));
    EXPECT_TRUE(ScratchRegistryKey::KeyExists(store.ProductKey()));
}

INSTANTIATE_TEST_SUITE_P(Versions, SettingsVersionTest,
                         ::testing::Values(L"", L"1.0", L"2.0.0.0 ", L"2.0.0", L"2.0.0.1"));

TEST_F(SettingsStoreTest, PlacementOfTheCurrentVersionIsKept) {
    ScratchRegistryKey::PutText(store.ProductKey(), L"Version", L"2.0.0.0");
    ScratchRegistryKey::PutText(store.ApplicationKey(), L"NormPos", L"1,2,3,4");
    SettingsRecord s = FirstRunRecord();
    store.LoadOptions(s);
    EXPECT_EQ(ScratchRegistryKey::Text(store.ApplicationKey(), L"NormPos"), L"1,2,3,4");
}

TEST_F(SettingsStoreTest, VersionStoredAsDwordCountsAsMissing) {
    ScratchRegistryKey::PutDword(store.ProductKey(), L"Version", 2);
    ScratchRegistryKey::PutText(store.ApplicationKey(), L"NormPos", L"1,2,3,4");
    SettingsRecord s = FirstRunRecord();
    store.LoadOptions(s);
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(store.ApplicationKey()));
    store.StoreOptions(s);
    EXPECT_EQ(ScratchRegistryKey::Text(store.ProductKey(), L"Version"), L"2.0.0.0");
}

TEST_F(SettingsStoreTest, OptionsKeyThatCannotBeCreatedLeavesNoSettingsAndRaisesNothing) {
    HKEY handle = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, store.ProductKey().c_str(), 0, nullptr,
                                REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(handle);
    SettingsRecord changed = FirstRunRecord();
    changed.ShowGrid = false;
    EXPECT_NO_THROW(store.StoreOptions(changed));
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(store.OptionsKey()));
    SettingsRecord loaded = FirstRunRecord();
    store.LoadOptions(loaded);
    EXPECT_TRUE(loaded.ShowGrid);
}
