// The settings record's defaults and the order of its stored values.
#include "settings/SettingsRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

TEST(SettingsRecordTest, DefaultsAreThoseOfAFirstRun) {
    const SettingsRecord s;
    EXPECT_TRUE(s.Directory.empty());
    EXPECT_TRUE(s.ShowState && s.ShowDir && s.ShowAdr && s.ShowGrid && s.ShowInfo && s.ShowCaptions);
    EXPECT_TRUE(s.SaveColumn);
    EXPECT_FALSE(s.KOctet);
    EXPECT_TRUE(s.NameMaj);
    EXPECT_FALSE(s.SizeKo);
    EXPECT_TRUE(s.TimeZero && s.FullYear && s.SaveDate);
    EXPECT_TRUE(s.Date.empty());
    EXPECT_TRUE(s.Time.empty());
    EXPECT_TRUE(s.Creation && s.LastWrite && s.LastAccess);
    EXPECT_EQ(s.PanelWidth, 300);
    EXPECT_EQ(s.DirTreeWidth, 320);
    EXPECT_TRUE(s.FirstZero && s.FirstMin && s.FirstMaj && s.FirstMajMin);
}

TEST(SettingsRecordTest, FieldsAreVisitedInStoredOrderWithTheirValueNames) {
    SettingsRecord s;
    std::vector<std::wstring> names;
    SettingsRecord::VisitFields(s, [&names](const wchar_t* name, auto&) { names.emplace_back(name); });
    const std::vector<std::wstring> expected = {
        L"Directory",    L"ShowState",  L"ShowDir",      L"ShowAdr",    L"ShowGrid", L"ShowInfo",
        L"ShowCaptions", L"SaveColumn", L"KOctet",       L"NameMaj",    L"SizeKo",   L"TimeZero",
        L"FullYear",     L"SaveDate",   L"Date",         L"Time",       L"Creation", L"LastWrite",
        L"LastAccess",   L"PanelWidth", L"DirTreeWidth", L"FirstZero",  L"FirstMin", L"FirstMaj",
        L"FirstMajMin",  L"Shift",      L"ShiftMask",    L"SubFolders", L"Folders",  L"NamePattern",
        L"NameMask"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(names.size(), static_cast<size_t>(SettingsRecord::kFieldCount));
}

TEST(SettingsRecordTest, VisitingGivesAccessToEveryField) {
    SettingsRecord s;
    SettingsRecord::VisitFields(s, [](const wchar_t*, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, bool>)
            field = !field;
        else if constexpr (std::is_same_v<Field, int>)
            field = -field;
        else
            field = L"x";
    });
    EXPECT_FALSE(s.ShowState);
    EXPECT_TRUE(s.KOctet);
    EXPECT_FALSE(s.FirstMajMin);
    EXPECT_EQ(s.PanelWidth, -300);
    EXPECT_EQ(s.Time, L"x");
    EXPECT_NE(s, SettingsRecord{});
}
