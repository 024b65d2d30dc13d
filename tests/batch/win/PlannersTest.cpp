// The journal written ahead of a batch, on real files in a temporary folder: what a batch stopped
// between the two moves of a rename, a stamp the file system kept otherwise, and a batch running
// past midnight leave in the journal, and undo then taking every file back exactly.
#include "batch/Planners.h"
#include "batch/BatchWork.h"

#include "support/win/OperationFiles.h"
#include "base/FileTimeTicks.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace {

using Names = std::vector<std::wstring>;
using NameSet = std::set<std::wstring>;

NameSet Listed(const std::wstring& folder) {
    const Names names = NamesIn(folder);
    return NameSet(names.begin(), names.end());
}

FILETIME Old() {
    return UtcFileTime(2010, 1, 15, 12, 0, 0);
}

class JournalledWorkTest : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : {L"a.txt", L"b.txt"}) {
            folder_.MakeFile(name);
            ASSERT_TRUE(WriteStamps(folder_ / name, Old(), Old(), Old()));
        }
    }

    // The named files as one journalled batch, as the window runs it; without its end line when
    // not `finished`, as a crash leaves it.
    JournalBatch Run(const Names& names, const JournalledWork::Planner& plan,
                     const JournalledWork::Work& work, bool finished) {
        Names paths;
        for (const std::wstring& name : names)
            paths.push_back(folder_ / name);
        JournalBatchWriter writer(store_, L"Essai", folder_.Path());
        EXPECT_TRUE(writer.Ok()) << writer.Error();
        JournalledWork journalled(&writer, paths, plan, work);
        for (const std::wstring& path : paths)
            EXPECT_TRUE(journalled(path).Done()) << path;
        if (finished) {
            EXPECT_TRUE(writer.Finish());
        }
        return LastBatch();
    }

    // The batch as the journal on disk holds it now.
    JournalBatch LastBatch() const {
        const JournalContents contents = store_.Read().Contents;
        return contents.Batches.empty() ? JournalBatch{} : contents.Batches.back();
    }

    // The batch's undo, a batch of its own as the window runs it; the outcomes of its files.
    std::vector<FileOutcome> Undo(const JournalBatch& batch) {
        const UndoFiles undo = UndoFilesOf(batch);
        const FileStamping stamping;
        JournalBatchWriter writer(store_, L"Annuler", batch.Folder, batch.Id);
        JournalledWork journalled(&writer, undo.Paths, PlanUndo(undo.Folder, undo.Files, false),
                                  UndoWork(stamping, undo.Folder));
        std::vector<FileOutcome> outcomes;
        for (const std::wstring& path : undo.Paths)
            outcomes.push_back(journalled(path));
        EXPECT_TRUE(writer.Finish());
        return outcomes;
    }

    static std::wstring Reasons(const std::vector<FileOutcome>& outcomes) {
        std::wstring text;
        for (const FileOutcome& outcome : outcomes)
            text += outcome.ReasonText() + L"; ";
        return text;
    }

    TempFolder folder_;
    TempFolder journalFolder_;
    JournalStore store_{journalFolder_.Path()};
};

TEST_F(JournalledWorkTest, FileStoppedUnderItsTemporaryNameIsFoundThereAndUndoGivesItsNameBack) {
    std::optional<JournalBatch> onDiskBeforeTheMove;
    // The first file is renamed for real; the batch stops after the second one's first move.
    const JournalledWork::Work work = [&](size_t index, const std::wstring& path, const PlannedFile& plan) {
        if (index == 0)
            return WritePlannedName()(index, path, plan);
        onDiskBeforeTheMove = LastBatch();
        const std::wstring temporary = plan.Record ? plan.Record->TemporaryName : L"?";
        EXPECT_TRUE(::MoveFileW(path.c_str(), (folder_ / temporary).c_str()));
        return FileOutcome();
    };
    const JournalBatch batch =
        Run({L"a.txt", L"b.txt"}, PlanNameCase({L"a.txt", L"b.txt"}, NameCase::Upper), work, false);

    ASSERT_TRUE(onDiskBeforeTheMove);
    ASSERT_EQ(onDiskBeforeTheMove->Files.size(), 2u);
    const std::wstring temporary = onDiskBeforeTheMove->Files[1].TemporaryName;
    EXPECT_TRUE(temporary.starts_with(L"~kavet-")) << temporary;
    EXPECT_EQ(Listed(folder_.Path()), (NameSet{L"A.TXT", temporary}));

    const std::vector<StrandedFile> stranded = FilesUnderTemporaryNames(batch);
    ASSERT_EQ(stranded.size(), 1u);
    EXPECT_EQ(stranded[0].TemporaryPath, folder_ / temporary);
    EXPECT_EQ(stranded[0].OldName, L"b.txt");

    const std::vector<FileOutcome> undone = Undo(batch);
    EXPECT_EQ(Reasons(undone), L"; ; ");
    EXPECT_EQ(Listed(folder_.Path()), (NameSet{L"a.txt", L"b.txt"}));
    EXPECT_TRUE(FilesUnderTemporaryNames(batch).empty());
}

TEST_F(JournalledWorkTest, StampsTheVolumeKeptOtherwiseAreOnDiskBeforeTheNextFileAndUndoTakesThemBack) {
    // A volume that keeps the modification time to 2 s and shows it as the creation time too
    // (FAT keeps the first, a Samba share of a Linux server or Wine on Linux does the second).
    const FileStamping stamping(
        [](HANDLE file, const FILETIME&, const FILETIME& access, const FILETIME& write) {
            const FILETIME kept = FileTimeOfTicks(FileTimeTicks(write) / 20'000'000 * 20'000'000);
            return PlatformFileTimeWriter(file, kept, access, kept);
        });
    const FILETIME created = ReadStamps(folder_ / L"a.txt")->Creation;
    const CivilTime when{2020, 6, 15, 10, 30, 1, 0};
    std::optional<JournalBatch> onDiskAtTheSecondFile;
    const JournalledWork::Work work = [&](size_t index, const std::wstring& path, const PlannedFile&) {
        if (index == 1)
            onDiskAtTheSecondFile = LastBatch();
        return stamping.FileSetDateTime(path, when, StampSet{Stamp::LastWrite});
    };
    const JournalBatch batch =
        Run({L"a.txt", L"b.txt"},
            PlanDateTime(stamping, {L"a.txt", L"b.txt"}, when, StampSet{Stamp::LastWrite}), work, false);

    const uint64_t kept = FileTimeTicks(UtcOfLocal(2020, 6, 15, 10, 30, 0));
    ASSERT_TRUE(onDiskAtTheSecondFile);
    // The file's last record stands for it.
    const std::vector<JournalFile> records = FilesToUndo(*onDiskAtTheSecondFile);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].OldName, L"a.txt");
    EXPECT_EQ(records[0].NewWrite, kept);
    EXPECT_EQ(records[0].NewCreation, kept);

    const std::vector<FileOutcome> undone = Undo(batch);
    EXPECT_EQ(Reasons(undone), L"; ; ");
    for (const wchar_t* name : {L"a.txt", L"b.txt"}) {
        const DiskStamps stamps = ReadStamps(folder_ / name).value_or(DiskStamps{});
        EXPECT_TRUE(SameTime(stamps.LastWrite, Old())) << name;
        EXPECT_TRUE(SameTime(stamps.Creation, created)) << name;
    }
}

TEST_F(JournalledWorkTest, TimeZeroRunningPastMidnightGivesEveryFileTheDayItsBatchBegan) {
    // A tenth of a second before midnight when the batch begins, the next day for the rest of it.
    int calls = 0;
    const FileStamping stamping(PlatformFileTimeWriter, [&calls] {
        return calls++ == 0 ? CivilTime{2024, 3, 9, 23, 59, 59, 900} : CivilTime{2024, 3, 10, 0, 0, 0, 100};
    });
    const Names names{L"a.txt", L"b.txt"};
    const JournalBatch batch =
        Run(names, PlanTimeZero(stamping, names), WritePlannedStamps(stamping, kAllStamps), true);

    const FILETIME midnight = UtcOfLocal(2024, 3, 9, 0, 0, 0);
    ASSERT_EQ(batch.Files.size(), 2u);
    for (const JournalFile& file : batch.Files) {
        EXPECT_EQ(file.NewWrite, FileTimeTicks(midnight)) << file.OldName;
        EXPECT_TRUE(SameTime(ReadStamps(folder_ / file.OldName)->LastWrite, midnight)) << file.OldName;
    }
    EXPECT_EQ(Reasons(Undo(batch)), L"; ; ");
    EXPECT_TRUE(SameTime(ReadStamps(folder_ / L"b.txt")->LastWrite, Old()));
}

TEST_F(JournalledWorkTest, SymbolicLinkIsDatedItselfAndItsTargetKeepsItsStamps) {
    const std::wstring link = folder_ / L"lien.txt";
    // Wine 8 answers success and makes nothing.
    ::CreateSymbolicLinkW(link.c_str(), L"a.txt", SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD attributes = ::GetFileAttributesW(link.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        GTEST_SKIP() << "no symbolic link can be made here";
    const FileStamping stamping;
    const CivilTime when{2020, 6, 15, 10, 30, 0, 0};
    const JournalBatch batch = Run(
        {L"lien.txt"}, PlanDateTime(stamping, {L"lien.txt"}, when, StampSet{Stamp::LastWrite}),
        [&](size_t, const std::wstring& path, const PlannedFile&) {
            return stamping.FileSetDateTime(path, when, StampSet{Stamp::LastWrite});
        },
        true);

    WIN32_FILE_ATTRIBUTE_DATA own{};
    ASSERT_TRUE(::GetFileAttributesExW(link.c_str(), GetFileExInfoStandard, &own));
    EXPECT_TRUE(SameTime(own.ftLastWriteTime, UtcOfLocal(2020, 6, 15, 10, 30, 0)));
    EXPECT_TRUE(SameTime(ReadStamps(folder_ / L"a.txt")->LastWrite, Old()));
    EXPECT_EQ(Reasons(Undo(batch)), L"; ");
    EXPECT_TRUE(SameTime(ReadStamps(folder_ / L"a.txt")->LastWrite, Old()));
}

} // namespace
