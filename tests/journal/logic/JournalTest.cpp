// The undo journal's text: what is written is read back exactly, batches written at once by two
// copies are told apart, and damage, cut lines and stray lines cost only the lines concerned.
#include "journal/Journal.h"

#include "support/logic/Crc32Oracle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace {

JournalBatch Batch(uint64_t id, bool finished, size_t files) {
    JournalBatch batch{id, L"Date-Heure", L"C:\\Photos\\été", 133'000'000'000'000'000 + id, finished, {}};
    for (size_t i = 0; i < files; ++i)
        batch.Files.push_back({L"f" + std::to_wstring(i) + L".jpg", L"F" + std::to_wstring(i) + L".JPG", 0x20,
                               1, 2, 3, 4, 5, 6});
    return batch;
}

std::string Journal(const std::vector<JournalBatch>& batches) {
    std::string text = JournalHeaderLine();
    for (const JournalBatch& batch : batches)
        text += JournalBatchLines(batch);
    return text;
}

// Seals a hand-made line as the writer would, to reach the checks behind the line's CRC.
std::string Sealed(const std::string& line) {
    return line + "\t" + Crc32Hex(line) + "\n";
}

std::vector<std::wstring> Messages(const JournalContents& contents) {
    std::vector<std::wstring> messages;
    for (const JournalProblem& problem : contents.Problems)
        messages.push_back(problem.Message);
    return messages;
}

TEST(JournalTest, LinesAreLaidOutAsDocumented) {
    JournalBatch batch{42, L"Majuscules", L"C:\\Données", 133'444'555'666'777'888, false, {}, 41};
    EXPECT_EQ(JournalHeaderLine(), "Kavet24 journal 1\n");
    EXPECT_EQ(JournalBeginLine(batch), Sealed("lot\t42\t133444555666777888\tMajuscules\tC:\\\\Donn\xC3\xA9"
                                              "es\t41"));
    EXPECT_EQ(JournalFileLine(42, {L"a b.txt", L"A B.TXT", 0x21, 1, 2, 3, 1, 2, 3}),
              Sealed("fichier\t42\ta b.txt\tA B.TXT\t00000021\t1\t2\t3\t1\t2\t3"));
    EXPECT_EQ(JournalEndLine(42), Sealed("fin\t42"));
    // A change of letter case notes the temporary name its rename may go through; a line without
    // one, as every older journal holds, reads as having none.
    JournalFile renamed{L"a.txt", L"A.TXT", 0x20, 1, 2, 3, 1, 2, 3, L"~kavet-7-0.tmp"};
    const std::string withTemporary =
        Sealed("fichier\t42\ta.txt\tA.TXT\t00000020\t1\t2\t3\t1\t2\t3\t~kavet-7-0.tmp");
    EXPECT_EQ(JournalFileLine(42, renamed), withTemporary);
    const std::string older = Sealed("fichier\t42\ta.txt\tA.TXT\t00000020\t1\t2\t3\t1\t2\t3");
    batch.Files = {renamed};
    EXPECT_EQ(ParseJournal(JournalHeaderLine() + JournalBeginLine(batch) + withTemporary).Batches,
              std::vector<JournalBatch>{batch});
    batch.Files[0].TemporaryName.clear();
    EXPECT_EQ(ParseJournal(JournalHeaderLine() + JournalBeginLine(batch) + older).Batches,
              std::vector<JournalBatch>{batch});
}

TEST(JournalTest, AwkwardNamesAndExtremeValuesComeBackExactly) {
    JournalBatch batch = Batch(UINT64_MAX, true, 0);
    batch.Undoes = UINT64_MAX - 1;
    std::wstring odd = L"a\tb\rc\nd\\e\u2028f\x01g\x7Fh\U0001F600é";
    odd.push_back(static_cast<wchar_t>(0xDC00)); // a lone surrogate, as NTFS allows
    batch.Files.push_back({odd, odd + L"!", UINT32_MAX, UINT64_MAX, 0, 1, UINT64_MAX, UINT64_MAX, 0});
    batch.Files.push_back({std::wstring(1'000'000, L'x'), L"", 0, 0, 0, 0, 0, 0, 0});
    const std::string fileLine = JournalFileLine(batch.Id, batch.Files[0]);
    EXPECT_EQ(fileLine.find('\n'), fileLine.size() - 1);
    EXPECT_EQ(fileLine.find('\r'), std::string::npos);

    const JournalContents contents = ParseJournal(Journal({batch, Batch(3, false, 2)}));
    EXPECT_TRUE(contents.Recognised);
    EXPECT_TRUE(contents.Problems.empty());
    EXPECT_EQ(contents.Batches, (std::vector<JournalBatch>{batch, Batch(3, false, 2)}));
}

TEST(JournalTest, DamagedLineCostsOnlyItself) {
    std::string text = Journal({Batch(1, true, 3), Batch(2, true, 1)});
    text[text.find("f1.jpg")] = 'g';
    const JournalContents contents = ParseJournal(text);
    EXPECT_EQ(Messages(contents), std::vector<std::wstring>{L"ligne 4 illisible, ignorée"});
    JournalBatch first = Batch(1, true, 3);
    first.Files.erase(first.Files.begin() + 1);
    EXPECT_EQ(contents.Batches, (std::vector<JournalBatch>{first, Batch(2, true, 1)}));
}

TEST(JournalTest, LineCutShortByACrashIsPassedOverAndItsBatchUnfinished) {
    const std::string text = Journal({Batch(1, true, 1), Batch(2, false, 2)});
    const JournalContents cut = ParseJournal(text.substr(0, text.size() - 5));
    EXPECT_EQ(Messages(cut), std::vector<std::wstring>{L"ligne 7 incomplète, ignorée"});
    EXPECT_EQ(cut.Batches, (std::vector<JournalBatch>{Batch(1, true, 1), Batch(2, false, 1)}));
    EXPECT_TRUE(ParseJournal(text.substr(0, text.rfind('\n', text.size() - 2) + 1)).Problems.empty());
    EXPECT_TRUE(ParseJournal("Kavet24 journal 1").Recognised);
}

TEST(JournalTest, EmptyForeignAndNewerFilesAreToldApart) {
    EXPECT_TRUE(ParseJournal("").Recognised);
    EXPECT_TRUE(ParseJournal("").Problems.empty());
    for (const char* foreign : {"PK\x03\x04\n"
                                "lot",
                                "\n", "Kavet24 journal 1 \n", "\xFF\xFE"}) {
        const JournalContents contents = ParseJournal(foreign);
        EXPECT_FALSE(contents.Recognised);
        EXPECT_EQ(Messages(contents),
                  std::vector<std::wstring>{L"ce fichier n'est pas un journal de Kavet24"});
        EXPECT_FALSE(KeepLastBatches(foreign).has_value());
    }
    const JournalContents newer = ParseJournal("Kavet24 journal 2\n" + JournalBatchLines(Batch(1, true, 1)));
    EXPECT_FALSE(newer.Recognised);
    EXPECT_TRUE(newer.Batches.empty());
    EXPECT_EQ(Messages(newer),
              std::vector<std::wstring>{L"journal de version 2 inconnue de cette version de Kavet24"});
}

TEST(JournalTest, InterleavedBatchesAreEachReadWholeInTheOrderTheyBegan) {
    const JournalBatch one = Batch(1, true, 2), two = Batch(2, false, 2), three = Batch(3, true, 1);
    const std::string text = JournalHeaderLine() + JournalBeginLine(one) + JournalBeginLine(two) +
                             JournalFileLine(2, two.Files[0]) + JournalFileLine(1, one.Files[0]) +
                             JournalBeginLine(three) + JournalFileLine(1, one.Files[1]) +
                             JournalFileLine(3, three.Files[0]) + JournalEndLine(1) +
                             JournalFileLine(2, two.Files[1]) + JournalEndLine(3);
    const JournalContents contents = ParseJournal(text);
    EXPECT_TRUE(contents.Problems.empty());
    EXPECT_EQ(contents.Batches, (std::vector<JournalBatch>{one, two, three}));
    const JournalContents kept = ParseJournal(KeepLastBatches(text, 2).value_or(""));
    EXPECT_TRUE(kept.Problems.empty());
    EXPECT_EQ(kept.Batches, (std::vector<JournalBatch>{two, three}));
}

TEST(JournalTest, StrayAndReusedLinesAreReportedAndABeginWithoutEndLeavesItsBatchUnfinished) {
    const JournalFile file = Batch(1, true, 1).Files[0];
    JournalBatch reused = Batch(1, true, 0);
    reused.Operation = L"Minuscules";
    const std::string text = JournalHeaderLine() + JournalFileLine(1, file) +
                             JournalBeginLine(Batch(1, true, 0)) + JournalBeginLine(Batch(2, true, 0)) +
                             JournalFileLine(1, file) + JournalEndLine(1) + JournalFileLine(1, file) +
                             JournalBeginLine(reused) + JournalEndLine(2) + JournalEndLine(2) +
                             Sealed("annuler\t2") + JournalBeginLine(Batch(3, false, 0));
    const JournalContents contents = ParseJournal(text);
    EXPECT_EQ(Messages(contents), (std::vector<std::wstring>{
                                      L"ligne 2 : fichier hors d'une opération, ignoré",
                                      L"ligne 7 : fichier hors d'une opération, ignoré",
                                      L"ligne 8 : opération déjà commencée, ignorée",
                                      L"ligne 10 : fin d'une opération non commencée, ignorée",
                                      L"ligne 11 d'un type inconnu, ignorée",
                                  }));
    EXPECT_EQ(contents.Batches,
              (std::vector<JournalBatch>{Batch(1, true, 1), Batch(2, true, 0), Batch(3, false, 0)}));
}

TEST(JournalTest, WellSealedLinesWithBadFieldsAreUnreadable) {
    const std::string begin = JournalHeaderLine() + JournalBeginLine(Batch(1, true, 0));
    for (const char* bad : {"fichier\t1\ta\tb\t20\t18446744073709551616\t0\t0\t0\t0\t0", // past 64 bits
                            "fichier\t1\ta\tb\t100000000\t0\t0\t0\t0\t0\t0",             // past 32 bits
                            "fichier\t1\t\xC3\tb\t20\t0\t0\t0\t0\t0\t0",                 // cut UTF-8
                            "fichier\t1\ta\\q\tb\t20\t0\t0\t0\t0\t0\t0",                 // unknown escape
                            "fichier\t1\ta\\u12\tb\t20\t0\t0\t0\t0\t0\t0",               // short escape
                            "fichier\t1\ta\tb\t20\t-1\t0\t0\t0\t0\t0", "fichier\t1\ta\tb\t20\t0\t0\t0\t0\t0",
                            "fichier\t1\ta\tb\t20\t0\t0\t0\t0\t0\t0\t",     // empty temporary name
                            "fichier\t1\ta\tb\t20\t0\t0\t0\t0\t0\t0\tt\tu", // a field too many
                            "fin\t+1", "lot\t2\t0\tx", "lot\t2\t0\tx\ty", "lot\t2\t0\tx\ty\t-1"}) {
        const JournalContents contents = ParseJournal(begin + Sealed(bad) + JournalEndLine(1));
        EXPECT_EQ(Messages(contents), std::vector<std::wstring>{L"ligne 3 illisible, ignorée"}) << bad;
        EXPECT_EQ(contents.Batches, std::vector<JournalBatch>{Batch(1, true, 0)}) << bad;
    }
}

TEST(JournalTest, ProblemsStopBeingListedOneByOneAfterFifty) {
    std::string text = JournalHeaderLine();
    for (int i = 0; i < 120; ++i)
        text += "x\n\n"; // blank lines are no problem
    const JournalContents contents = ParseJournal(text);
    ASSERT_EQ(contents.Problems.size(), kJournalProblemsListed + 1);
    EXPECT_EQ(contents.Problems.back().Message, L"70 autres lignes ignorées");
}

TEST(JournalTest, TheSummaryTellsEachBatchAsTheFullReadingDoes) {
    JournalBatch undo = Batch(9, false, 1);
    undo.Undoes = 7;
    JournalBatch seven = Batch(7, true, 3);
    seven.Files.push_back(seven.Files[0]); // the state its file system really kept: still one file
    std::string text = Journal({seven, undo, Batch(8, true, 2)});
    text.insert(text.find("fin\t8"), "lot\tdamaged\n");
    text += JournalEndLine(9).substr(0, 5); // cut short by a crash
    const JournalSummary summary = SummarizeJournal(text, true);
    ASSERT_TRUE(summary.Recognised);
    std::vector<std::tuple<uint64_t, uint64_t, bool, size_t>> told;
    for (const JournalBatchSummary& batch : summary.Batches) {
        told.emplace_back(batch.Id, batch.Undoes, batch.Finished, batch.Files);
        EXPECT_TRUE(text.substr(batch.Offset).starts_with("lot\t" + std::to_string(batch.Id)));
        EXPECT_EQ(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(batch.Offset), '\n') +
                      1,
                  static_cast<std::ptrdiff_t>(batch.Line));
    }
    EXPECT_EQ(told, (std::vector<std::tuple<uint64_t, uint64_t, bool, size_t>>{
                        {7, 0, true, 3}, {9, 7, false, 1}, {8, 0, true, 2}}));
    EXPECT_EQ(summary.Batches[1].Operation, undo.Operation);
    EXPECT_EQ(summary.Batches[1].Started, undo.Started);
    EXPECT_EQ(SummarizeJournal("Kavet24 journal 2\n").Problem,
              L"journal de version 2 inconnue de cette version de Kavet24");
}

// Read a piece at a time, whatever the pieces, the journal reads as it does whole; a line far longer
// than any the writer makes costs only itself.
TEST(JournalTest, ReadingByPiecesReadsAsWhole) {
    std::string text = "\xEF\xBB\xBF" + Journal({Batch(1, true, 3), Batch(2, false, 2)});
    text.insert(text.find("fin\t1"), std::string(3u << 20, 'x') + "\r\n");
    text += JournalFileLine(2, Batch(2, false, 3).Files[2]).substr(0, 20);
    const JournalContents whole = ParseJournal(text);
    EXPECT_EQ(Messages(whole),
              (std::vector<std::wstring>{L"ligne 6 illisible, ignorée", L"ligne 11 incomplète, ignorée"}));
    for (const size_t piece : {size_t{1}, size_t{7}, size_t{4096}}) {
        JournalContents contents;
        JournalParser parser(contents);
        JournalLineSplitter splitter(parser);
        for (size_t at = 0; at < text.size(); at += piece)
            splitter.Feed(std::string_view(text).substr(at, piece));
        splitter.End();
        parser.Finish(splitter.LastLine());
        EXPECT_TRUE(splitter.Recognised());
        EXPECT_EQ(contents.Batches, whole.Batches) << piece;
        EXPECT_EQ(Messages(contents), Messages(whole)) << piece;
    }
}

TEST(JournalTest, OneBatchIsReadFromItsBeginLineToItsEndLine) {
    const JournalBatch one = Batch(1, true, 2), two = Batch(2, true, 2);
    const std::string text = JournalHeaderLine() + JournalBeginLine(one) + JournalBeginLine(two) +
                             JournalFileLine(2, two.Files[0]) + JournalFileLine(1, one.Files[0]) +
                             JournalFileLine(2, two.Files[1]) + JournalEndLine(2) + "damaged\n" +
                             JournalFileLine(1, one.Files[1]) + JournalEndLine(1);
    const JournalSummary summary = SummarizeJournal(text);
    ASSERT_EQ(summary.Batches.size(), 2u);
    JournalContents contents;
    JournalParser parser(contents, 2);
    JournalLineSplitter splitter(parser, summary.Batches[1].Offset, summary.Batches[1].Line);
    splitter.Feed(std::string_view(text).substr(summary.Batches[1].Offset));
    EXPECT_EQ(contents.Batches, std::vector<JournalBatch>{two});
    EXPECT_TRUE(contents.Problems.empty()) << "read no further than its end line";
}

// A command-line run over several drives is one batch with an empty folder and full-path names;
// a batch with a folder, as every older journal holds, still names its files from there.
TEST(JournalTest, BatchOverSeveralDrivesNamesItsFilesByFullPaths) {
    const std::string older =
        JournalHeaderLine() + Sealed("lot\t7\t133790112000000000\tDate-Heure\tC:\\\\Photos\t0") +
        Sealed("fichier\t7\tsous\\\\a.jpg\tsous\\\\a.jpg\t00000020\t1\t2\t3\t4\t5\t6") + Sealed("fin\t7");
    const JournalContents read = ParseJournal(older);
    ASSERT_EQ(read.Batches.size(), 1u);
    ASSERT_EQ(read.Batches[0].Files.size(), 1u);
    EXPECT_EQ(JournalNameRoot(read.Batches[0].Folder) + read.Batches[0].Files[0].OldName,
              L"C:\\Photos\\sous\\a.jpg");
    EXPECT_EQ(JournalFolderText(read.Batches[0].Folder), L"C:\\Photos");
    EXPECT_EQ(JournalNameRoot(L"D:\\"), L"D:\\");

    JournalBatch run{8, L"Heure Zéro", L"", 133'790'113'000'000'000, true, {}};
    run.Files = {{L"C:\\Photos\\a.jpg", L"C:\\Photos\\a.jpg", 0x20, 1, 2, 3, 4, 5, 6},
                 {L"\\\\serveur\\partage\\b.txt", L"\\\\serveur\\partage\\b.txt", 0x20, 1, 2, 3, 4, 5, 6}};
    const JournalContents both = ParseJournal(older + JournalBatchLines(run));
    ASSERT_EQ(both.Batches.size(), 2u);
    EXPECT_EQ(both.Batches[1], run);
    EXPECT_EQ(JournalNameRoot(both.Batches[1].Folder) + run.Files[1].OldName, L"\\\\serveur\\partage\\b.txt");
    EXPECT_EQ(JournalFolderText(both.Batches[1].Folder), L"(plusieurs lecteurs)");
    EXPECT_TRUE(both.Problems.empty());
}

TEST(JournalTest, KeepingTheLastBatchesDropsOlderOnesAndDamage) {
    std::vector<JournalBatch> batches;
    for (uint64_t id = 1; id <= 25; ++id)
        batches.push_back(Batch(id, id != 25, 2));
    const auto kept = KeepLastBatches(Journal(batches) + "garbage\n");
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(*kept, Journal({batches.begin() + 5, batches.end()}));
    EXPECT_EQ(KeepLastBatches(Journal(batches), 0), JournalHeaderLine());
}

TEST(JournalTest, KeepingTheLastBatchesKeepsARunningOneHoweverOld) {
    std::vector<JournalBatch> batches;
    for (uint64_t id = 1; id <= 4; ++id)
        batches.push_back(Batch(id, id > 2, 1));
    // Batch 1 runs on in another copy; batch 2 was cut short by a crash.
    const std::string text = Journal(batches) + JournalFileLine(1, batches[0].Files[0]);
    const JournalContents kept = ParseJournal(KeepLastBatches(text, 2, {1}).value_or(""));
    EXPECT_TRUE(kept.Problems.empty());
    batches[0].Files.push_back(batches[0].Files[0]);
    EXPECT_EQ(kept.Batches, (std::vector<JournalBatch>{batches[0], batches[2], batches[3]}));
}

} // namespace
