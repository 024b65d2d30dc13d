// The CSV line of a batch's file and the words of a dry run's change: what scripts and users read.
#include "batch/BatchCsv.h"
#include "batch/PlannedChangeText.h"

#include <gtest/gtest.h>

namespace {

// 2025-03-30T21:22:33Z in UTC ticks from 1601.
constexpr uint64_t kInstant = 133878433530000000;

} // namespace

TEST(BatchCsv, InstantsAreIsoUtcWithAFractionOnlyWhenThereIsOne) {
    EXPECT_EQ(IsoUtcText(kInstant), L"2025-03-30T21:22:33Z");
    EXPECT_EQ(IsoUtcText(kInstant + 5'000'000), L"2025-03-30T21:22:33.5Z");
    EXPECT_EQ(IsoUtcText(kInstant + 1), L"2025-03-30T21:22:33.0000001Z");
    EXPECT_EQ(IsoUtcText(0), L"1601-01-01T00:00:00Z");
    // The last second of a leap day, and the day after it.
    EXPECT_EQ(IsoUtcText(126444735990000000), L"2001-09-09T01:46:39Z");
    EXPECT_EQ(IsoUtcText(133537247990000000), L"2024-02-29T23:59:59Z");
    EXPECT_EQ(IsoUtcText(133537248000000000), L"2024-03-01T00:00:00Z");
}

TEST(BatchCsv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(CsvField(L"été.jpg"), L"été.jpg");
    EXPECT_EQ(CsvField(L"a,b \"c\".jpg"), L"\"a,b \"\"c\"\".jpg\"");
    EXPECT_EQ(CsvField(L"two\r\nlines"), L"\"two\r\nlines\"");
    EXPECT_EQ(CsvField(L""), L"");

    const FileNow before{L"Ancien.JPG", 0, kInstant, kInstant, kInstant};
    // Name, attributes, then creation, access and write.
    const FileNow after{L"ancien.jpg", 0, kInstant, kInstant, kInstant + 10'000'000};
    EXPECT_EQ(BatchCsvLine({L"C:\\x,y\\Ancien.JPG", L"modifié", L"", before, after}),
              L"\"C:\\x,y\\Ancien.JPG\",modifié,,2025-03-30T21:22:33Z,2025-03-30T21:22:33Z,"
              L"2025-03-30T21:22:33Z,2025-03-30T21:22:34Z,2025-03-30T21:22:33Z,2025-03-30T21:22:33Z,"
              L"Ancien.JPG,ancien.jpg");
    EXPECT_EQ(BatchCsvLine({L"C:\\gone.jpg", L"non modifié", L"fichier introuvable", {}, {}}),
              L"C:\\gone.jpg,non modifié,fichier introuvable,,,,,,,,");
}

TEST(PlannedChangeText, NamesEachStampThatChangesOrTheNewName) {
    // Local time one hour ahead of UTC, as the caller's converter gives it.
    const ToLocalTime local = [](uint64_t ticks) -> std::optional<CivilTime> {
        if (ticks == 0)
            return std::nullopt;
        return ticks == kInstant ? CivilTime{2025, 3, 30, 22, 22, 33} : CivilTime{2025, 3, 31, 0, 22, 33};
    };
    JournalFile record{L"a.jpg", L"a.jpg"};
    record.OldCreation = record.NewCreation = kInstant;
    record.OldWrite = kInstant;
    record.NewWrite = kInstant + 1;
    record.OldAccess = 0;
    record.NewAccess = kInstant;
    EXPECT_EQ(PlannedChangeText(record, local),
              L"modification 2025-03-30 22:22:33 → 2025-03-31 00:22:33, accès ? → 2025-03-30 22:22:33");
    record.NewName = L"A.JPG";
    EXPECT_EQ(PlannedChangeText(record, local), L"a.jpg → A.JPG");
}
