// The preview's texts: the difference between two stamps, each file's row from its plan (stamps
// or names, a file left alone, one already as asked), and the count line as files are planned.
#include "batch/PreviewRows.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int64_t kSecond = 10'000'000;
constexpr int64_t kHour = 3600 * kSecond;
constexpr int64_t kDay = 24 * kHour;

struct DifferenceCase {
    int64_t ticks;
    const wchar_t* text;
};

class DifferenceTextTest : public ::testing::TestWithParam<DifferenceCase> {};

TEST_P(DifferenceTextTest, ShowsTheSpanInDaysAndClockTime) {
    EXPECT_EQ(DifferenceText(GetParam().ticks), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, DifferenceTextTest,
    ::testing::Values(
        DifferenceCase{kHour, L"+1 h"}, DifferenceCase{-kHour, L"-1 h"}, DifferenceCase{23 * kHour, L"+23 h"},
        DifferenceCase{2 * kDay, L"+2 j"}, DifferenceCase{-(3 * kDay + 2 * kHour), L"-3 j 02:00"},
        DifferenceCase{kDay + 90 * 60 * kSecond, L"+1 j 01:30"},
        DifferenceCase{kDay + 5 * kSecond, L"+1 j 00:00:05"}, DifferenceCase{30 * kSecond, L"+00:00:30"},
        DifferenceCase{-(kHour + 61 * kSecond), L"-01:01:01"}, DifferenceCase{kSecond / 2, L"+00:00:00,5"},
        DifferenceCase{-1, L"-00:00:00,0000001"}, DifferenceCase{0, L"0"},
        DifferenceCase{40 * 60 * kSecond + 2 * kSecond + kSecond / 10, L"+00:40:02"},
        DifferenceCase{-(kHour - kSecond / 3), L"-1 h"}, DifferenceCase{kDay + 3, L"+1 j"},
        DifferenceCase{10'000 * kDay, L"+10000 j"}));

// Times shown by their ticks, so that each text says which stamp it came from.
std::wstring TicksText(uint64_t ticks) {
    return L"@" + std::to_wstring(ticks);
}

JournalFile Stamps(uint64_t creation, uint64_t write, uint64_t access) {
    JournalFile file;
    file.OldName = file.NewName = L"a.jpg";
    file.OldCreation = file.NewCreation = creation;
    file.OldWrite = file.NewWrite = write;
    file.OldAccess = file.NewAccess = access;
    return file;
}

struct RowCase {
    const char* name;
    std::optional<JournalFile> record;
    std::optional<FileOutcome> refusal;
    PreviewKind kind;
    PreviewRow row;
};

std::vector<RowCase> RowCases() {
    const JournalFile same = Stamps(100, 200, 300);
    JournalFile writeMoved = same;
    writeMoved.NewWrite = 200 + kHour;
    JournalFile allMoved = same;
    allMoved.NewCreation = 100 + kDay;
    allMoved.OldWrite = 200 + 2 * kDay; // moved back by two days
    allMoved.NewWrite = 200;
    allMoved.NewAccess = 300 + kSecond;
    JournalFile accessAndCreation = same;
    accessAndCreation.NewCreation = 100 + 30 * kSecond;
    accessAndCreation.NewAccess = 300 + kHour;
    JournalFile renamed = same;
    renamed.OldName = L"Photo.JPG";
    renamed.NewName = L"PHOTO.JPG";
    return {
        {"OnlyTheModificationMoves",
         writeMoved,
         std::nullopt,
         PreviewKind::Changes,
         {L"modification @200", L"modification @" + std::to_wstring(200 + kHour), L"+1 h", L""}},
        {"EveryStampMovesTheDifferenceIsTheModifications",
         allMoved,
         std::nullopt,
         PreviewKind::Changes,
         {L"création @100 ; modification @" + std::to_wstring(200 + 2 * kDay) + L" ; dernier accès @300",
          L"création @" + std::to_wstring(100 + kDay) + L" ; modification @200 ; dernier accès @" +
              std::to_wstring(300 + kSecond),
          L"-2 j", L""}},
        {"WithoutTheModificationTheFirstChangingStampGivesTheDifference",
         accessAndCreation,
         std::nullopt,
         PreviewKind::Changes,
         {L"création @100 ; dernier accès @300",
          L"création @" + std::to_wstring(100 + 30 * kSecond) + L" ; dernier accès @" +
              std::to_wstring(300 + kHour),
          L"+00:00:30", L""}},
        {"ANameChangeShowsBothNames",
         renamed,
         std::nullopt,
         PreviewKind::Changes,
         {L"Photo.JPG", L"PHOTO.JPG", L"", L""}},
        {"NoRecordIsAlreadyAsAsked",
         std::nullopt,
         std::nullopt,
         PreviewKind::AlreadyAsAsked,
         {L"", L"", L"", L"déjà comme demandé"}},
        {"ARecordThatChangesNothingIsAlreadyAsAsked",
         same,
         std::nullopt,
         PreviewKind::AlreadyAsAsked,
         {L"", L"", L"", L"déjà comme demandé"}},
        {"ARefusedFileGivesItsReason",
         std::nullopt,
         FileOutcome::Failed(Failure::InUse),
         PreviewKind::LeftAlone,
         {L"", L"", L"", FileOutcome::Failed(Failure::InUse).ReasonText()}},
    };
}

void PrintTo(const RowCase& c, std::ostream* os) {
    *os << c.name;
}

class PreviewRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(PreviewRowTest, ShowsWhatThePlanWouldChange) {
    const RowCase& c = GetParam();
    EXPECT_EQ(PreviewKindOf(c.record, c.refusal), c.kind);
    const PreviewRow row = PreviewRowOf(c.record, c.refusal, TicksText);
    EXPECT_EQ(row.Current, c.row.Current);
    EXPECT_EQ(row.New, c.row.New);
    EXPECT_EQ(row.Difference, c.row.Difference);
    EXPECT_EQ(row.Remark, c.row.Remark);
}

INSTANTIATE_TEST_SUITE_P(Plans, PreviewRowTest, ::testing::ValuesIn(RowCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PreviewTallyTest, CountsWhilePlanningThenTellsEachKind) {
    PreviewTally tally;
    tally.Total = 100'000;
    for (int i = 0; i < 12'000; ++i)
        tally.Add(PreviewKind::Changes);
    EXPECT_EQ(tally.CountLine(), L"Analyse : 12 000 fichiers sur 100 000");
    for (int i = 12'000; i < 99'998; ++i)
        tally.Add(PreviewKind::Changes);
    tally.Add(PreviewKind::AlreadyAsAsked);
    tally.Add(PreviewKind::LeftAlone);
    EXPECT_EQ(tally.CountLine(),
              L"100 000 fichiers : 99 998 seraient modifiés, 1 déjà comme demandé, 1 laissé tel quel");

    PreviewTally few;
    few.Total = 3;
    few.Add(PreviewKind::LeftAlone);
    EXPECT_EQ(few.CountLine(), L"Analyse : 1 fichier sur 3");
    few.Add(PreviewKind::LeftAlone);
    few.Add(PreviewKind::Changes);
    EXPECT_EQ(few.CountLine(), L"3 fichiers : 1 serait modifié, 2 laissés tels quels");
    EXPECT_EQ(PreviewTally{}.CountLine(), L"Aucun fichier");
}

} // namespace
