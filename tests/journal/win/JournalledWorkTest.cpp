// The runner that notes each file in the journal before its work, on a real journal in a temporary
// folder, with made-up plans and work: what reaches the journal and when, and which files' work
// runs at all.
#include "journal/JournalledWork.h"

#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

JournalFile RecordOf(const std::wstring& name, uint64_t newWrite) {
    JournalFile record;
    record.OldName = record.NewName = name;
    record.OldWrite = 100;
    record.NewWrite = newWrite;
    return record;
}

// The records of the journal's last batch.
std::vector<JournalFile> Noted(const JournalStore& store) {
    const JournalStore::ReadResult read = store.Read();
    return read.Contents.Batches.empty() ? std::vector<JournalFile>() : read.Contents.Batches.back().Files;
}

bool HasRecordOf(const std::vector<JournalFile>& records, const std::wstring& name) {
    for (const JournalFile& record : records)
        if (record.OldName == name)
            return true;
    return false;
}

class JournalledWorkRunner : public testing::Test {
protected:
    TempFolder folder;
    JournalStore store{folder.Path()};
    const std::vector<std::wstring> names{L"a", L"b", L"c", L"d", L"e"};
};

TEST_F(JournalledWorkRunner, EachFileIsNotedBeforeItsWorkAndOnlyPlannedChangesRun) {
    // a and e change; b is refused; c's plan fails; d is already as asked.
    const JournalledWork::Planner plan = [this](size_t index, const std::wstring&) {
        PlannedFile planned;
        if (index == 1)
            planned.Refusal = FileOutcome::Failed(Failure::NotFound);
        if (index == 2)
            throw std::runtime_error("plan");
        if (index == 0 || index == 4)
            planned.Record = RecordOf(names[index], 200 + index);
        return planned;
    };
    std::vector<std::wstring> worked;
    std::vector<bool> notedFirst;
    JournalBatchWriter writer(store, L"Essai", folder.Path());
    ASSERT_TRUE(writer.Ok());
    JournalledWork run(&writer, names, plan,
                       [&](size_t, const std::wstring& path, const PlannedFile& planned) {
                           worked.push_back(path);
                           // On disk, not merely gathered: a crash now must leave the file in the journal.
                           notedFirst.push_back(!planned.Record || HasRecordOf(Noted(store), path));
                           return FileOutcome();
                       });
    std::vector<FileOutcome> outcomes;
    for (const std::wstring& name : names)
        outcomes.push_back(run(name));
    ASSERT_TRUE(writer.Finish());

    EXPECT_EQ(worked, (std::vector<std::wstring>{L"a", L"d", L"e"}));
    EXPECT_EQ(notedFirst, (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(outcomes[0].Done());
    EXPECT_EQ(outcomes[1].Why(), Failure::NotFound);
    EXPECT_EQ(outcomes[2].Why(), Failure::Other);
    EXPECT_TRUE(outcomes[3].Done());
    EXPECT_TRUE(outcomes[4].Done());
    EXPECT_EQ(Noted(store), (std::vector<JournalFile>{RecordOf(L"a", 200), RecordOf(L"e", 204)}));
}

TEST_F(JournalledWorkRunner, StampsTheFileSystemKeptOtherwiseReplaceThePlannedOnes) {
    JournalBatchWriter writer(store, L"Essai", folder.Path());
    const std::vector<std::wstring> one{L"a"};
    JournalledWork run(
        &writer, one,
        [](size_t, const std::wstring&) {
            PlannedFile planned;
            planned.Record = RecordOf(L"a", 201);
            return planned;
        },
        [](size_t, const std::wstring&, const PlannedFile&) {
            FileOutcome outcome;
            outcome.SetKept(KeptStamps{0, 0, 200}); // a volume that rounds to its own step
            return outcome;
        });
    EXPECT_TRUE(run(L"a").Done());
    ASSERT_TRUE(writer.Finish());
    const std::vector<JournalFile> noted = Noted(store);
    ASSERT_FALSE(noted.empty());
    EXPECT_EQ(noted.back().NewWrite, 200u);
}

TEST_F(JournalledWorkRunner, WithoutAJournalTheFilesAreDoneAndNothingIsNoted) {
    size_t done = 0;
    JournalledWork run(
        nullptr, names,
        [](size_t index, const std::wstring& path) {
            PlannedFile planned;
            planned.Record = RecordOf(path, 300 + index);
            return planned;
        },
        [&](size_t, const std::wstring&, const PlannedFile&) {
            ++done;
            return FileOutcome();
        });
    for (const std::wstring& name : names)
        EXPECT_TRUE(run(name).Done());
    EXPECT_EQ(done, names.size());
    EXPECT_TRUE(store.Read().Contents.Batches.empty());
}

} // namespace
