// The stored column layout in the real registry, under a scratch key: what a first run, odd
// stored values and wrong value types give, and exactly what is written.
#include "ListTestFrame.h"
#include "support/win/ScratchRegistryKey.h"

#include "ui/Dpi.h"
#include "ui/ExceptionDisplay.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const std::vector<int> kNaturalOrder{0, 1, 2, 3, 4, 5, 6, 7};
const std::vector<int> kFormWidths{120, 60, 120, 120, 100, 120, 50, 300};

class ColumnSettingsTest : public ::testing::Test {
protected:
    // The file list's eight columns, created and pointed at the scratch key.
    std::unique_ptr<TdfsExtListView> MakeFileList() {
        auto list = std::make_unique<TdfsExtListView>();
        ConfigureFileList(*list);
        list->SaveSettings().RegistryKey = key.Path();
        EXPECT_TRUE(list->Create(frame.Handle(), 0, 0, 880, 360, 101));
        return list;
    }

    std::unique_ptr<TdfsExtListView> MakeThreeColumnList() {
        auto list = std::make_unique<TdfsExtListView>();
        list->AddColumn(L"A", 50);
        list->AddColumn(L"B", 60);
        list->AddColumn(L"C", 70);
        list->SetVirtualMode(true);
        list->SetViewStyle(vsReport);
        list->SetAutoColumnSort(acsSortToggle);
        list->SaveSettings().RegistryKey = key.Path();
        EXPECT_TRUE(list->Create(frame.Handle(), 0, 0, 400, 200, 102));
        return list;
    }

    static std::vector<int> Widths(const TdfsExtListView& list) {
        std::vector<int> widths;
        for (int c = 0; c < list.ColumnCount(); ++c)
            widths.push_back(list.ColumnWidth(c));
        return widths;
    }

    static std::vector<int> Order(const TdfsExtListView& list) {
        std::vector<int> order;
        list.CurrentColumnOrder(list.ColumnCount(), order);
        return order;
    }

    // What a read gives when nothing usable is stored.
    static void ExpectFormLayoutSortedByTheFirstColumnAscending(const TdfsExtListView& list) {
        EXPECT_EQ(Order(list), kNaturalOrder);
        EXPECT_EQ(Widths(list), kFormWidths);
        EXPECT_EQ(list.SortColumnIndex(), 0);
        EXPECT_TRUE(list.SortAscending());
        EXPECT_EQ(list.ViewStyle(), vsReport);
    }

    ScratchRegistryKey key;
    ListTestFrame frame;
};

} // namespace

TEST_F(ColumnSettingsTest, FirstRunKeepsTheFormLayoutAndSortsByTheFirstColumnAscending) {
    auto list = MakeFileList();
    list->SortByColumn(3, false);
    list->SetSortAscending(false);
    EXPECT_TRUE(list->ReadColumnSettings());
    ExpectFormLayoutSortedByTheFirstColumnAscending(*list);
}

TEST_F(ColumnSettingsTest, ReadingUnderAMissingKeyCreatesNothing) {
    const std::wstring missing = key / L"Missing";
    auto list = MakeFileList();
    list->SaveSettings().RegistryKey = missing;
    EXPECT_TRUE(list->ReadColumnSettings());
    ExpectFormLayoutSortedByTheFirstColumnAscending(*list);
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(missing));
}

TEST_F(ColumnSettingsTest, SizeThatDoesNotConvertKeepsThatColumnsWidth) {
    ScratchRegistryKey::PutText(key / L"Columns", L"Sizes", L"80,abc,100");
    auto list = MakeThreeColumnList();
    list->ReadColumnSettings();
    EXPECT_EQ(Widths(*list), (std::vector<int>{80, 60, 100}));
}

TEST_F(ColumnSettingsTest, SizesStartingWithMinusOneApplyNoWidth) {
    ScratchRegistryKey::PutText(key / L"Columns", L"Sizes", L"-1,10,10");
    auto list = MakeThreeColumnList();
    list->ReadColumnSettings();
    EXPECT_EQ(Widths(*list), (std::vector<int>{50, 60, 70}));
}

TEST_F(ColumnSettingsTest, SortColumnBeyondTheColumnsBecomesTheLastOne) {
    ScratchRegistryKey::PutText(key / L"Sort", L"SortCol", L"12");
    auto list = MakeFileList();
    list->ReadColumnSettings();
    EXPECT_EQ(list->SortColumnIndex(), 7);
}

TEST_F(ColumnSettingsTest, NegativeSortColumnBecomesTheFirstOne) {
    ScratchRegistryKey::PutText(key / L"Sort", L"SortCol", L"-3");
    auto list = MakeFileList();
    list->SortByColumn(4, true);
    list->ReadColumnSettings();
    EXPECT_EQ(list->SortColumnIndex(), 0);
}

TEST_F(ColumnSettingsTest, AscendingThatIsNotANumberMeansAscending) {
    ScratchRegistryKey::PutText(key / L"Sort", L"Ascending", L"oui");
    auto list = MakeFileList();
    list->SetSortAscending(false);
    list->ReadColumnSettings();
    EXPECT_TRUE(list->SortAscending());

    ScratchRegistryKey::PutText(key / L"Sort", L"Ascending", L"0");
    list->ReadColumnSettings();
    EXPECT_FALSE(list->SortAscending());
}

TEST_F(ColumnSettingsTest, ViewStyleOutOfRangeKeepsTheCurrentView) {
    ScratchRegistryKey::PutText(key / L"ViewStyle", L"ViewStyle", L"7");
    auto list = MakeFileList();
    list->ReadColumnSettings();
    EXPECT_EQ(list->ViewStyle(), vsReport);

    ScratchRegistryKey::PutText(key / L"ViewStyle", L"ViewStyle", L"1");
    list->ReadColumnSettings();
    EXPECT_EQ(list->ViewStyle(), vsSmallIcon);
}

TEST_F(ColumnSettingsTest, OrderThatIsNotAPermutationIsNotAppliedAndTheNaturalOrderIsUsed) {
    auto list = MakeFileList();
    list->ApplyColumnOrder({7, 6, 5, 4, 3, 2, 1, 0});
    ScratchRegistryKey::PutText(key / L"Columns", L"Order", L"1,1,2,3,4,5,6,7");
    list->ReadColumnSettings();
    EXPECT_EQ(Order(*list), kNaturalOrder);
}

TEST_F(ColumnSettingsTest, StoredOrderIsAppliedAndWidthsFollowTheDisplayPositions) {
    ScratchRegistryKey::PutText(key / L"Columns", L"Order", L"2,0,1");
    ScratchRegistryKey::PutText(key / L"Columns", L"Sizes", L"90,40,30");
    auto list = MakeThreeColumnList();
    list->ReadColumnSettings();
    EXPECT_EQ(Order(*list), (std::vector<int>{2, 0, 1}));
    // Column 2 is shown first, so it gets the first width.
    EXPECT_EQ(Widths(*list), (std::vector<int>{40, 30, 90}));
}

TEST_F(ColumnSettingsTest, WritesTextValuesUnderTheirExactNames) {
    auto list = MakeFileList();
    list->ApplyColumnOrder({7, 0, 1, 2, 3, 4, 5, 6});
    list->SetColumnWidth(7, 250);
    list->SortByColumn(2, false);
    list->SetSortAscending(false);
    ASSERT_TRUE(list->WriteColumnSettings());

    EXPECT_EQ(ScratchRegistryKey::ValueType(key / L"Columns", L"Order"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Order"), L"7,0,1,2,3,4,5,6");
    EXPECT_EQ(ScratchRegistryKey::ValueType(key / L"Columns", L"Sizes"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Sizes"), L"250,120,60,120,120,100,120,50");
    EXPECT_EQ(ScratchRegistryKey::ValueType(key / L"Sort", L"Ascending"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Sort", L"Ascending"), L"0");
    EXPECT_EQ(ScratchRegistryKey::ValueType(key / L"Sort", L"SortCol"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Sort", L"SortCol"), L"2");
    EXPECT_EQ(ScratchRegistryKey::ValueType(key / L"ViewStyle", L"ViewStyle"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"ViewStyle", L"ViewStyle"), L"3");
}

TEST_F(ColumnSettingsTest, WrittenLayoutIsReadBackByTheNextRun) {
    {
        auto list = MakeFileList();
        list->ApplyColumnOrder({1, 0, 2, 3, 4, 5, 6, 7});
        list->SetColumnWidth(0, 200);
        list->SortByColumn(5, false);
        list->SetSortAscending(false);
        list->SetViewStyle(vsList);
        list->WriteColumnSettings();
    }
    auto next = MakeFileList();
    next->ReadColumnSettings();
    EXPECT_EQ(Order(*next), (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(next->ColumnWidth(0), 200);
    EXPECT_EQ(next->ColumnWidth(1), 60);
    EXPECT_EQ(next->SortColumnIndex(), 5);
    EXPECT_FALSE(next->SortAscending());
    EXPECT_EQ(next->ViewStyle(), vsList);
}

TEST_F(ColumnSettingsTest, WidthsAreStoredAsAt96DpiSoThatALayoutReadsBackTheSameOnAnyScreen) {
    {
        const ScopedDpiOverride dpi(144);
        auto list = MakeFileList();
        list->SetColumnWidth(0, 180);
        list->SetColumnWidth(7, 301);
        list->WriteColumnSettings();
        auto again = MakeFileList();
        again->ReadColumnSettings();
        EXPECT_EQ(again->ColumnWidth(0), 180);
        EXPECT_EQ(again->ColumnWidth(4), 100) << "a width read back is not moved by rounding";
    }
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Sizes"), L"120,40,80,80,67,80,33,201");
    auto at96 = MakeFileList();
    at96->ReadColumnSettings();
    EXPECT_EQ(at96->ColumnWidth(0), 120);
    EXPECT_EQ(at96->ColumnWidth(7), 201);
}

TEST_F(ColumnSettingsTest, WidthsWrittenInAnotherViewAreTheReportColumnWidths) {
    auto list = MakeFileList();
    list->SetViewStyle(vsList);
    list->WriteColumnSettings();
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Columns", L"Sizes"), L"120,60,120,120,100,120,50,300");
}

TEST_F(ColumnSettingsTest, FlagsLeaveOutTheirGroups) {
    auto list = MakeFileList();
    list->SaveSettings().SaveColumnOrder = false;
    list->SaveSettings().SaveColumnSizes = false;
    list->SaveSettings().SaveViewStyle = false;
    list->WriteColumnSettings();
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key / L"Columns"));
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key / L"ViewStyle"));
    EXPECT_TRUE(ScratchRegistryKey::KeyExists(key / L"Sort"));
}

TEST_F(ColumnSettingsTest, AutoSaveWritesWhenTheWindowIsDestroyed) {
    auto list = MakeFileList();
    list->SaveSettings().AutoSave = true;
    list->SortByColumn(6, true);
    list->Destroy();
    EXPECT_EQ(ScratchRegistryKey::ValueType(key / L"Sort", L"SortCol"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(key / L"Sort", L"SortCol"), L"6");
}

TEST_F(ColumnSettingsTest, WithoutAutoSaveNothingIsWrittenOrRead) {
    ScratchRegistryKey::PutText(key / L"Sort", L"SortCol", L"4");
    auto list = MakeFileList();
    EXPECT_FALSE(list->AutoReadColumnSettings());
    EXPECT_EQ(list->SortColumnIndex(), 0);
    list->Destroy();
    EXPECT_FALSE(ScratchRegistryKey::KeyExists(key / L"Columns"));
}

TEST_F(ColumnSettingsTest, AutoSaveSetBeforeCreationReadsTheLayoutAtStart) {
    ScratchRegistryKey::PutText(key / L"Sort", L"SortCol", L"4");
    ScratchRegistryKey::PutText(key / L"Sort", L"Ascending", L"0");
    TdfsExtListView list;
    ConfigureFileList(list);
    list.SaveSettings().RegistryKey = key.Path();
    list.SaveSettings().AutoSave = true;
    ASSERT_TRUE(list.Create(frame.Handle(), 0, 0, 880, 360, 103));
    EXPECT_EQ(list.SortColumnIndex(), 4);
    EXPECT_FALSE(list.SortAscending());
    list.SaveSettings().AutoSave = false;
}

TEST_F(ColumnSettingsTest, ValuesOfAnotherTypeReadAsMissingAndGiveTheDefaults) {
    ScratchRegistryKey::PutDword(key / L"Columns", L"Order", 76543210);
    ScratchRegistryKey::PutDword(key / L"Columns", L"Sizes", 80);
    ScratchRegistryKey::PutDword(key / L"Sort", L"SortCol", 3);
    ScratchRegistryKey::PutDword(key / L"Sort", L"Ascending", 0);
    ScratchRegistryKey::PutDword(key / L"ViewStyle", L"ViewStyle", 1);
    auto list = MakeFileList();
    list->SortByColumn(4, false);
    EXPECT_NO_THROW(list->ReadColumnSettings());
    ExpectFormLayoutSortedByTheFirstColumnAscending(*list);
    EXPECT_EQ(list->UpdateDepth(), 0);
}

TEST_F(ColumnSettingsTest, FailedWriteAtDestructionIsShownAndTheWindowStillGoes) {
    ScratchRegistryKey::PutDword(key / L"Sort", L"SortCol", 3);
    auto list = MakeFileList();
    // A key name longer than the registry allows cannot be created.
    list->SaveSettings().RegistryKey = key.Path() + L"\\" + std::wstring(300, L'k');
    list->SaveSettings().AutoSave = true;
    std::wstring shown;
    SetExceptionSink([&](const std::wstring& text) { shown = text; });
    HWND hwnd = list->Handle();
    list->Destroy();
    SetExceptionSink({});
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(shown.rfind(L"Echec à la création de la clé ", 0), 0u) << shown;
}

TEST(ColumnSettingsUnderTheUserRoot, EmptyRegistryKeyPutsTheSectionsDirectlyUnderTheUsersKey) {
    for (const wchar_t* section : {L"Columns", L"Sort", L"ViewStyle"}) {
        HKEY existing = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, section, 0, KEY_READ, &existing) == ERROR_SUCCESS) {
            ::RegCloseKey(existing);
            GTEST_SKIP() << "HKEY_CURRENT_USER already holds a key of that name";
        }
    }
    struct CleanUp {
        ~CleanUp() {
            for (const wchar_t* section : {L"Columns", L"Sort", L"ViewStyle"})
                ::RegDeleteTreeW(HKEY_CURRENT_USER, section);
        }
    } cleanUp;
    ListTestFrame frame;
    TdfsExtListView list;
    ConfigureFileList(list);
    ASSERT_TRUE(list.Create(frame.Handle(), 0, 0, 880, 360, 104));
    list.SaveSettings().RegistryKey = L"";
    list.WriteColumnSettings();
    EXPECT_EQ(ScratchRegistryKey::ValueType(L"Columns", L"Order"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(L"Columns", L"Order"), L"0,1,2,3,4,5,6,7");
    EXPECT_EQ(ScratchRegistryKey::ValueType(L"Sort", L"SortCol"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::ValueType(L"ViewStyle", L"ViewStyle"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ScratchRegistryKey::Text(L"ViewStyle", L"ViewStyle"), L"3");
}
