// The undo journal on disk, in a temporary folder: batches read back whole through trimming, cut
// lines, interleaved writers and threads; foreign files left alone; the running mark.
#include "operations/JournalStore.h"

#include "OperationFiles.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

JournalFile File(int n) {
    const std::wstring name = L"f" + std::to_wstring(n) + L".txt";
    return {name, name, FILE_ATTRIBUTE_ARCHIVE, 1, 2, 3, 4, 5, static_cast<uint64_t>(n)};
}

std::vector<uint64_t> Ids(const JournalContents& contents) {
    std::vector<uint64_t> ids;
    for (const JournalBatch& batch : contents.Batches)
        ids.push_back(batch.Id);
    return ids;
}

class JournalStoreTest : public testing::Test {
protected:
    // In a folder not made yet, as on a first run.
    TempFolder temp_;
    JournalStore store_{temp_ / L"Kavet24"};
};

TEST_F(JournalStoreTest, BatchIsReadBackWholeAndMarkedRunningUntilItsEnd) {
    EXPECT_EQ(store_.Read().Error, L"");
    JournalBatchWriter writer(store_, L"Majuscules", L"C:\\Docs", 7);
    writer.Add(File(1));
    ASSERT_TRUE(writer.Commit()) << writer.Error();
    EXPECT_TRUE(RunningBatchMark::IsRunning(store_, writer.Id()));
    EXPECT_FALSE(RunningBatchMark::IsRunning(JournalStore(temp_.Path()), writer.Id()));
    EXPECT_EQ(store_.Read().Contents.Batches.at(0).Files, std::vector<JournalFile>{File(1)});

    writer.Add(File(2));
    ASSERT_TRUE(writer.Finish());
    EXPECT_FALSE(RunningBatchMark::IsRunning(store_, writer.Id()));
    const JournalContents contents = store_.Read().Contents;
    ASSERT_EQ(Ids(contents), std::vector<uint64_t>{writer.Id()});
    const JournalBatch expected{
        writer.Id(), L"Majuscules", L"C:\\Docs", contents.Batches[0].Started, true, {File(1), File(2)}, 7};
    EXPECT_EQ(contents.Batches[0], expected);
}

TEST_F(JournalStoreTest, BatchPastTheLimitDropsTheOldestAndKeepsOneStillRunning) {
    std::unique_ptr<JournalBatchWriter> running;
    for (int i = 0; i < 20; ++i) {
        if (i == 5)
            running = std::make_unique<JournalBatchWriter>(store_, L"Date-Heure", L"C:\\En cours");
        else
            EXPECT_TRUE(JournalBatchWriter(store_, L"Date-Heure", L"C:\\").Finish());
    }
    EXPECT_EQ(JournalBatchWriter(store_, L"Date-Heure", L"C:\\").Id(), 21u);
    running->Add(File(1));
    ASSERT_TRUE(running->Finish()) << running->Error();

    const JournalContents contents = store_.Read().Contents;
    ASSERT_EQ(contents.Batches.size(), 20u);
    EXPECT_EQ(contents.Batches.front().Id, 2u);
    EXPECT_EQ(contents.Batches[4].Files, std::vector<JournalFile>{File(1)});
    EXPECT_TRUE(contents.Batches[4].Finished);
    EXPECT_EQ(NamesIn(temp_ / L"Kavet24"), std::vector<std::wstring>{L"journal.txt"});
}

TEST_F(JournalStoreTest, LineCutShortByACrashCostsOnlyItself) {
    {
        JournalBatchWriter crashed(store_, L"Date-Heure", L"C:\\");
        crashed.Add(File(1));
        ASSERT_TRUE(crashed.Commit());
    }
    const std::string cut = JournalFileLine(1, File(2));
    temp_.MakeFile(L"Kavet24\\journal.txt", *ReadContents(store_.Path()) + cut.substr(0, cut.size() / 2));

    JournalBatchWriter next(store_, L"Minuscules", L"D:\\");
    next.Add(File(3));
    ASSERT_TRUE(next.Finish()) << next.Error();
    const JournalContents contents = store_.Read().Contents;
    ASSERT_EQ(Ids(contents), (std::vector<uint64_t>{1, 2}));
    EXPECT_FALSE(contents.Batches[0].Finished);
    EXPECT_EQ(contents.Batches[1].Files, std::vector<JournalFile>{File(3)});
    EXPECT_TRUE(contents.Batches[1].Finished);
    ASSERT_EQ(contents.Problems.size(), 1u);
    EXPECT_EQ(contents.Problems[0].Message, L"ligne 4 illisible, ignorée");
}

TEST_F(JournalStoreTest, WritersAtOnceInOneThreadOrSeveralKeepTheirBatchesApart) {
    JournalBatchWriter first(store_, L"Date-Heure", L"C:\\A"), second(store_, L"Majuscules", L"C:\\B");
    for (int i = 0; i < 4; ++i) {
        (i % 2 ? second : first).Add(File(i));
        EXPECT_TRUE((i % 2 ? second : first).Commit());
    }
    EXPECT_TRUE(first.Finish() && second.Finish());
    // Each thread with its own store, as two copies of the program would.
    const auto copy = [this] {
        JournalStore store(temp_ / L"Kavet24");
        JournalBatchWriter writer(store, L"Date-Heure", L"C:\\T");
        for (int i = 0; i < 30; ++i) {
            writer.Add(File(i));
            EXPECT_TRUE(writer.Commit()) << writer.Error();
        }
        EXPECT_TRUE(writer.Finish());
    };
    std::thread one(copy), two(copy);
    one.join();
    two.join();

    const JournalContents contents = store_.Read().Contents;
    EXPECT_TRUE(contents.Problems.empty());
    ASSERT_EQ(Ids(contents), (std::vector<uint64_t>{1, 2, 3, 4}));
    EXPECT_EQ(contents.Batches[0].Files, (std::vector<JournalFile>{File(0), File(2)}));
    EXPECT_EQ(contents.Batches[1].Files, (std::vector<JournalFile>{File(1), File(3)}));
    EXPECT_EQ(contents.Batches[2].Files.size() + contents.Batches[3].Files.size(), 60u);
}

TEST_F(JournalStoreTest, ForeignOrNewerFileIsRefusedAndLeftByteForByte) {
    temp_.MakeFolder(L"Kavet24");
    for (const std::string other : {"PK\x03\x04 archive\r\n", "Kavet24 journal 2\nlot\t1\n"}) {
        temp_.MakeFile(L"Kavet24\\journal.txt", other);
        JournalBatchWriter writer(store_, L"Date-Heure", L"C:\\");
        EXPECT_NE(writer.Error().find(store_.Path()), std::wstring::npos) << writer.Error();
        EXPECT_FALSE(writer.Finish());
        EXPECT_NE(store_.Read().Error.find(store_.Path()), std::wstring::npos);
        EXPECT_EQ(ReadContents(store_.Path()), other);
    }
}

TEST_F(JournalStoreTest, JournalGoneDuringABatchFailsItsCommitsFromThenOn) {
    JournalBatchWriter writer(store_, L"Date-Heure", L"C:\\");
    ASSERT_TRUE(::DeleteFileW(store_.Path().c_str()));
    writer.Add(File(1));
    EXPECT_FALSE(writer.Commit());
    EXPECT_NE(writer.Error().find(store_.Path()), std::wstring::npos);
    EXPECT_FALSE(writer.Finish());
}

} // namespace
