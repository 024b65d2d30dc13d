// The undo journal on disk, in a temporary folder: batches read back whole through trimming, cut
// lines, interleaved writers and threads; foreign files left alone; the running mark; a journal
// past any size; the trim's keeping of running batches and of lines written during it; the lock
// and the marks shared by every session of the user.
#include "journal/JournalStore.h"

#include "support/win/OperationFiles.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <chrono>
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

size_t BeginLinesIn(const std::wstring& path) {
    const std::string text = ReadContents(path).value_or("");
    size_t count = 0;
    for (size_t at = text.find("\nlot\t"); at != std::string::npos; at = text.find("\nlot\t", at + 1))
        ++count;
    return count;
}

class JournalStoreTest : public testing::Test {
protected:
    // One batch left running, then finished ones until the next begin trims the journal.
    std::unique_ptr<JournalBatchWriter> RunningThenFinishedUntilTrim(JournalStore& store) {
        auto running = std::make_unique<JournalBatchWriter>(store, L"Majuscules", L"C:\\Long");
        for (size_t i = 1; i < kJournalBatchesKept + kJournalBatchesSlack; ++i)
            EXPECT_TRUE(JournalBatchWriter(store, L"Date-Heure", L"C:\\").Finish());
        return running;
    }

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

TEST_F(JournalStoreTest, JournalPastAnySizeStillBeginsListsAndReadsBatches) {
    // Over 128 MiB, written directly: one batch of 600,000 records of eight files.
    std::string big = JournalHeaderLine() + JournalBeginLine({1, L"Date-Heure", L"C:\\Photos", 5, false, {}});
    std::string eight;
    for (int i = 0; i < 8; ++i) {
        JournalFile file = File(i);
        file.OldName = file.NewName = L"un dossier aux noms longs\\" + std::wstring(100, L'x') + file.OldName;
        eight += JournalFileLine(1, file);
    }
    big.reserve(big.size() + eight.size() * 75'000 + 64);
    for (int i = 0; i < 75'000; ++i)
        big += eight;
    big += JournalEndLine(1);
    ASSERT_GT(big.size(), 128u << 20);
    temp_.MakeFolder(L"Kavet24");
    temp_.MakeFile(L"Kavet24\\journal.txt", big);
    big.clear();
    big.shrink_to_fit();

    JournalBatchWriter writer(store_, L"Minuscules", L"D:\\");
    writer.Add(File(1));
    ASSERT_TRUE(writer.Finish()) << writer.Error();
    const JournalStore::SummaryResult summary = store_.Summary();
    ASSERT_EQ(summary.Error, L"");
    ASSERT_EQ(summary.Summary.Batches.size(), 2u);
    EXPECT_EQ(summary.Summary.Batches[0].Files, 8u) << "each file once, however many records";
    EXPECT_TRUE(summary.Summary.Batches[0].Finished);
    const JournalStore::ReadResult second = store_.ReadBatch(summary.Summary.Batches[1]);
    ASSERT_EQ(second.Error, L"");
    ASSERT_EQ(Ids(second.Contents), std::vector<uint64_t>{2});
    EXPECT_EQ(second.Contents.Batches[0].Files, std::vector<JournalFile>{File(1)});
}

TEST_F(JournalStoreTest, DroppedBatchesPastTheByteBoundLeaveAtTheNextBegin) {
    JournalStore small(temp_ / L"Kavet24", {.DroppedBytesBound = 1});
    for (size_t i = 0; i < kJournalBatchesKept; ++i)
        EXPECT_TRUE(JournalBatchWriter(small, L"Date-Heure", L"C:\\").Finish());
    EXPECT_EQ(BeginLinesIn(small.Path()), kJournalBatchesKept);
    EXPECT_TRUE(JournalBatchWriter(small, L"Date-Heure", L"C:\\").Finish());
    EXPECT_EQ(BeginLinesIn(small.Path()), kJournalBatchesKept) << "the oldest left though few gathered";
    EXPECT_EQ(Ids(small.Read().Contents).front(), 2u);
}

TEST_F(JournalStoreTest, TrimKeepsABatchStillRunningHoweverOldAndLinesWrittenDuringIt) {
    // A line written to the old file between the copy and the move, by a writer that does not share
    // the lock (the same thread here, which owns it already), and a batch begun then.
    JournalStore trimming(temp_ / L"Kavet24", {.BeforeReplace = [this] {
                              EXPECT_EQ(
                                  store_.Append(JournalFileLine(1, File(7)) +
                                                JournalBeginLine({99, L"Minuscules", L"E:\\", 1, false, {}})),
                                  L"");
                          }});
    const std::unique_ptr<JournalBatchWriter> running = RunningThenFinishedUntilTrim(trimming);
    running->Add(File(1));
    ASSERT_TRUE(running->Commit());
    const JournalBatchSummary before = store_.Summary().Summary.Batches.front();
    ASSERT_EQ(before.Id, running->Id());

    ASSERT_TRUE(JournalBatchWriter(trimming, L"Date-Heure", L"C:\\").Finish());
    running->Add(File(2));
    ASSERT_TRUE(running->Commit()) << running->Error();
    EXPECT_EQ(BeginLinesIn(store_.Path()), kJournalBatchesKept + 2)
        << "the last 19, the running one, 99 and the new one";
    const JournalContents contents = store_.Read().Contents;
    EXPECT_TRUE(contents.Problems.empty()) << contents.Problems.front().Message;
    ASSERT_EQ(contents.Batches.front().Id, running->Id());
    EXPECT_EQ(contents.Batches.front().Files, (std::vector<JournalFile>{File(1), File(7), File(2)}));
    const std::vector<uint64_t> ids = Ids(contents);
    EXPECT_NE(std::find(ids.begin(), ids.end(), 99u), ids.end()) << "begun during the trim";
    // Read from where the summary taken before the trim says, which is no longer where it is.
    EXPECT_EQ(store_.ReadBatch(before).Contents.Batches.at(0).Files.size(), 3u);
    EXPECT_EQ(NamesIn(temp_ / L"Kavet24"), std::vector<std::wstring>{L"journal.txt"});
}

TEST_F(JournalStoreTest, TrimRefusedByAProgramHoldingTheJournalStillBeginsTheBatch) {
    JournalBatchWriter(store_, L"Date-Heure", L"C:\\").Finish();
    {
        const FileHandle viewer(::CreateFileW(store_.Path().c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                              nullptr));
        ASSERT_TRUE(viewer.Valid());
        for (size_t i = 1; i <= kJournalBatchesKept + kJournalBatchesSlack; ++i) {
            JournalBatchWriter writer(store_, L"Date-Heure", L"C:\\");
            EXPECT_TRUE(writer.Finish()) << i << L" " << writer.Error();
        }
        EXPECT_EQ(BeginLinesIn(store_.Path()), kJournalBatchesKept + kJournalBatchesSlack + 1);
    }
    EXPECT_TRUE(JournalBatchWriter(store_, L"Date-Heure", L"C:\\").Finish());
    EXPECT_EQ(BeginLinesIn(store_.Path()), kJournalBatchesKept);
}

std::wstring CurrentUserSid() {
    KernelHandle token;
    EXPECT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Put()));
    unsigned char buffer[256];
    DWORD size = sizeof buffer;
    EXPECT_TRUE(::GetTokenInformation(token.Get(), TokenUser, buffer, size, &size));
    wchar_t* text = nullptr;
    EXPECT_TRUE(::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text));
    const std::wstring sid = text ? text : L"";
    ::LocalFree(text);
    return sid;
}

// The only allowed access of an object's list: the user's SID as text, or why not.
std::wstring OnlyAllowedSid(HANDLE object) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(object, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                          nullptr, &descriptor) != ERROR_SUCCESS)
        return L"no security";
    const LocalMemory owned(descriptor);
    ACE_HEADER* ace = nullptr;
    if (!dacl || dacl->AceCount != 1 || !::GetAce(dacl, 0, reinterpret_cast<void**>(&ace)) ||
        ace->AceType != ACCESS_ALLOWED_ACE_TYPE)
        return L"not one allowed access";
    wchar_t* text = nullptr;
    ::ConvertSidToStringSidW(&reinterpret_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart, &text);
    const std::wstring sid = text ? text : L"";
    ::LocalFree(text);
    return sid;
}

TEST_F(JournalStoreTest, LockAndRunningMarkAreTheUsersInEverySessionAndHisAlone) {
    const std::wstring sid = CurrentUserSid();
    JournalBatchWriter writer(store_, L"Date-Heure", L"C:\\");
    const std::wstring mark = RunningBatchMark::Name(store_, writer.Id());
    EXPECT_TRUE(mark.starts_with(L"Global\\")) << mark;
    EXPECT_NE(mark.find(sid), std::wstring::npos) << mark;
    const KernelHandle opened(::OpenMutexW(READ_CONTROL | SYNCHRONIZE, FALSE, mark.c_str()));
    ASSERT_TRUE(opened.Valid()) << ::GetLastError();
    EXPECT_EQ(OnlyAllowedSid(opened.Get()), sid);

    // A copy in another session takes the lock by its name: appending waits for it.
    const std::wstring lockName = store_.LockName();
    EXPECT_TRUE(lockName.starts_with(L"Global\\")) << lockName;
    KernelHandle taken(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread other([&lockName, &taken] {
        const KernelHandle lock(::CreateMutexW(nullptr, TRUE, lockName.c_str()));
        ::SetEvent(taken.Get());
        ::Sleep(400);
        ::ReleaseMutex(lock.Get());
    });
    ::WaitForSingleObject(taken.Get(), INFINITE);
    const auto start = std::chrono::steady_clock::now();
    writer.Add(File(1));
    EXPECT_TRUE(writer.Commit());
    other.join();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
}

} // namespace
