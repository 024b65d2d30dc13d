// The report of a batch: its count line in French, the rows of the files not done or done with
// remarks, and the text copied for a mail.
#include "operations/BatchReport.h"
#include "operations/StampReadBack.h"

#include <gtest/gtest.h>

namespace {

FileOutcome WithRemark(const wchar_t* remark) {
    FileOutcome outcome;
    outcome.AddRemark(remark);
    return outcome;
}

TEST(BatchReportTest, CountLineNamesOnlyWhatHappenedWithFrenchPlurals) {
    BatchReport report;
    for (int i = 0; i < 11; ++i)
        report.Add(L"f" + std::to_wstring(i), FileOutcome());
    report.Add(L"photo.jpg", WithRemark(L"date de création non conservée par le système de fichiers"));
    report.Add(L"twin.txt", FileOutcome::Failed(Failure::CaseTwin, L"« TWIN.TXT »"));
    report.Add(L"locked.txt", FileOutcome::Failed(Failure::InUse));
    EXPECT_EQ(report.CountLine(), L"12 fichiers modifiés, 2 non modifiés, 1 avec remarque");
    EXPECT_TRUE(report.NeedsWindow());
    EXPECT_EQ(report.Text(), L"12 fichiers modifiés, 2 non modifiés, 1 avec remarque\r\n"
                             L"photo.jpg\tmodifié, avec remarque\tdate de création non conservée par le "
                             L"système de fichiers\r\n"
                             L"twin.txt\tnon modifié\tun autre fichier porte le même nom à la casse près "
                             L"(« TWIN.TXT »)\r\n"
                             L"locked.txt\tnon modifié\tfichier utilisé par un autre programme\r\n");

    BatchReport quiet;
    quiet.Add(L"a.txt", FileOutcome());
    quiet.SetNotReached(3);
    EXPECT_EQ(quiet.CountLine(), L"1 fichier modifié, 3 non traités (opération arrêtée)");
    EXPECT_FALSE(quiet.NeedsWindow());
    EXPECT_EQ(BatchReport().CountLine(), L"0 fichier modifié");
}

TEST(BatchReportTest, FilesAnUndoFoundAlreadyAsBeforeAreCountedApart) {
    BatchReport report;
    report.Add(L"a.txt", FileOutcome());
    report.Add(L"b.txt", FileOutcome::AlreadyAsBefore());
    report.Add(L"c.txt", FileOutcome::AlreadyAsBefore());
    EXPECT_EQ(report.Changed(), 1u);
    EXPECT_EQ(report.CountLine(), L"1 fichier modifié, 2 déjà comme avant");
    EXPECT_FALSE(report.NeedsWindow());
}

TEST(BatchReportTest, FilesAlreadyAsAskedAreCountedApartFromTheFilesChanged) {
    BatchReport report;
    report.Add(L"a.txt", FileOutcome::AlreadyAsAsked());
    report.Add(L"b.txt", FileOutcome::Failed(Failure::InUse));
    report.Add(L"c.txt", FileOutcome::AlreadyAsBefore());
    EXPECT_EQ(report.Changed(), 0u);
    EXPECT_EQ(report.AlreadyAsAsked(), 1u);
    EXPECT_EQ(report.CountLine(),
              L"0 fichier modifié, 1 non modifié, 1 déjà comme demandé, 1 déjà comme avant");
    EXPECT_EQ(report.Rows().size(), 1u);
}

TEST(BatchReportTest, FailureWithoutReasonIsNeverCountedAsDone) {
    EXPECT_FALSE(FileOutcome::Failed(Failure::None).Done());
    EXPECT_EQ(FileOutcome::Failed(Failure::Other, L"Le périphérique n'est pas prêt (code 21)").ReasonText(),
              L"Le périphérique n'est pas prêt (code 21)");
}

constexpr uint64_t kSecond = 10'000'000;

TEST(StampReadBackTest, EachWayAFileSystemKeepsLessIsTold) {
    const uint64_t asked = 1000 * kSecond;
    const uint64_t before = 10 * kSecond;
    const CivilTime askedLocal{2015, 6, 15, 10, 30, 0, 0};
    const CivilTime other{2015, 6, 15, 9, 0, 0, 0};
    EXPECT_EQ(CompareReadBack(StampKind::LastWrite, asked, before, asked, askedLocal, askedLocal),
              ReadBack::AsAsked);
    EXPECT_EQ(CompareReadBack(StampKind::LastWrite, asked, before, asked + kSecond, askedLocal, other),
              ReadBack::Rounded);
    EXPECT_EQ(CompareReadBack(StampKind::LastAccess, asked, before, asked - 900 * kSecond, askedLocal,
                              CivilTime{2015, 6, 15, 0, 0, 0, 0}),
              ReadBack::KeptToTheDay);
    EXPECT_EQ(CompareReadBack(StampKind::LastWrite, asked, before, before, askedLocal, other),
              ReadBack::NotKept);
    EXPECT_EQ(CompareReadBack(StampKind::LastWrite, asked, before, asked * 2, askedLocal, other),
              ReadBack::Differs);
    // A creation time the file system makes up is one it does not keep.
    EXPECT_EQ(CompareReadBack(StampKind::Creation, asked, before, asked * 2, askedLocal, other),
              ReadBack::NotKept);
    EXPECT_EQ(ReadBackRemark(StampKind::Creation, ReadBack::NotKept, CivilTime{2026, 12, 9, 8, 5, 3, 0}),
              L"date de création non conservée par le système de fichiers (relue : 09/12/2026 08:05:03)");
}

} // namespace
