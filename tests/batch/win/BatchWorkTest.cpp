// Folders as a batch's targets, through the one batch engine on real folders in a temporary
// folder: a folder's own dates, the folders a batch reaches, folders dated after their contents,
// and a change of letter case leaving its folder's dates alone; each run, then undone.
#include "batch/BatchRun.h"
#include "batch/BatchWork.h"

#include "base/FileNameParts.h"

#include "support/win/FileStamps.h"
#include "support/win/PlainBatchFront.h"
#include "support/win/OperationFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using NameSet = std::set<std::wstring>;

NameSet Listed(const std::wstring& folder) {
    const std::vector<std::wstring> names = NamesIn(folder);
    return NameSet(names.begin(), names.end());
}

FILETIME Old() {
    return UtcFileTime(2010, 1, 15, 12, 0, 0);
}

// The whole run without asking anything: the files in order.
// The tree of every case: a.txt at the top, sub with b.txt, sub\deep with c.txt, and an empty
// folder "empty".
class FolderBatch : public testing::Test {
protected:
    void SetUp() override {
        folder_.MakeFolder(L"sub");
        folder_.MakeFolder(L"sub\\deep");
        folder_.MakeFolder(L"empty");
        const std::pair<const wchar_t*, FILETIME> files[] = {
            {L"a.txt", UtcFileTime(2019, 3, 1, 8, 0, 0)},
            {L"sub\\b.txt", UtcFileTime(2021, 6, 2, 9, 0, 0)},
            {L"sub\\deep\\c.txt", UtcFileTime(2018, 1, 3, 10, 0, 0)}};
        for (const auto& [name, stamp] : files) {
            folder_.MakeFile(name);
            ASSERT_TRUE(WriteStamps(folder_ / name, stamp, stamp, stamp));
        }
        // Last: making what a folder holds moves its dates.
        for (const wchar_t* name : {L"sub\\deep", L"sub", L"empty"})
            ASSERT_TRUE(WriteStamps(folder_ / name, Old(), Old(), Old()));
        ASSERT_TRUE(WriteStamps(folder_.Path(), Old(), Old(), Old()));
    }

    // Runs `request` on `files`; every file done but the refusals expected.
    void Run(const BatchRequest& request, const BatchFiles& files) {
        PlainBatchFront front;
        BatchReport report;
        const auto stamping = std::make_shared<const FileStamping>();
        const BatchResult result = RunBatch(store_, files, WorkOf(request, files, stamping), front, report);
        ASSERT_TRUE(result.Ran);
        EXPECT_EQ(report.NotChanged(), expectedRefusals_) << report.CountLine();
    }
    // Undoes the journal's last batch, every file put back.
    void UndoLast() {
        const JournalSummary summary = store_.Summary().Summary;
        ASSERT_FALSE(summary.Batches.empty());
        const PreparedUndo undo =
            PrepareUndo(store_, summary.Batches.back(), false, std::make_shared<const FileStamping>());
        ASSERT_EQ(undo.Refusal, UndoRefusal::None);
        PlainBatchFront front;
        BatchReport report;
        RunBatch(store_, undo.Files, undo.Work, front, report);
        EXPECT_EQ(report.NotChanged(), 0u) << report.CountLine();
    }

    // Modification times of the tree's folders, by relative name ("" for the top).
    std::map<std::wstring, FILETIME> FolderWrites() const {
        std::map<std::wstring, FILETIME> writes;
        for (const wchar_t* name : {L"", L"sub", L"sub\\deep", L"empty"}) {
            const std::optional<DiskStamps> stamps = ReadStamps(*name ? folder_ / name : folder_.Path());
            EXPECT_TRUE(stamps) << name;
            writes[name] = stamps ? stamps->LastWrite : FILETIME{};
        }
        return writes;
    }
    void ExpectFolderWrites(const std::map<std::wstring, FILETIME>& expected, const char* when) const {
        const std::map<std::wstring, FILETIME> writes = FolderWrites();
        for (const auto& [name, stamp] : expected)
            EXPECT_TRUE(SameTime(writes.at(name), stamp))
                << when << ": « " << testing::PrintToString(name) << " »";
    }

    BatchFiles Top() const { return BatchFiles{folder_.Path()}; }

    TempFolder folder_;
    TempFolder journalFolder_;
    JournalStore store_{journalFolder_.Path()};
    size_t expectedRefusals_ = 0;
};

TEST_F(FolderBatch, EachFolderOperationDatesItsFoldersOnDiskAndItsUndoPutsThemBack) {
    const FILETIME asked = UtcFileTime(2015, 6, 15, 8, 30, 0);
    BatchRequest dateTime{BatchOperation::DateTime};
    dateTime.When = CivilTime{2015, 6, 15, 8, 30, 0, 0};
    dateTime.OffsetMinutes = 0;
    const FILETIME old = Old();
    struct Case {
        const char* Name;
        BatchRequest Request;
        // The batch's targets: files by name, then folders reached and the top one.
        std::vector<std::wstring> Files;
        std::vector<std::wstring> Folders;
        bool WithTop;
        std::map<std::wstring, FILETIME> After;
        size_t Refusals;
    };
    BatchRequest content{BatchOperation::FolderContent};
    const Case cases[] = {
        // "Dates de ce dossier...": the folder alone, none of its files or subfolders.
        {"folder itself", dateTime, {}, {}, true, {{L"", asked}, {L"sub", old}, {L"empty", old}}, 0},
        // "Inclure les dossiers eux-mêmes" with the subfolders: every folder walked.
        {"folders included",
         dateTime,
         {L"a.txt", L"sub\\b.txt", L"sub\\deep\\c.txt"},
         {L"sub", L"sub\\deep", L"empty"},
         true,
         {{L"", asked}, {L"sub", asked}, {L"sub\\deep", asked}, {L"empty", asked}},
         0},
        // Each folder to the newest of what it holds, the empty one left alone and not counted.
        {"after their contents",
         content,
         {},
         {L"sub", L"sub\\deep", L"empty"},
         true,
         {{L"sub\\deep", UtcFileTime(2018, 1, 3, 10, 0, 0)},
          {L"sub", UtcFileTime(2021, 6, 2, 9, 0, 0)},
          {L"", UtcFileTime(2021, 6, 2, 9, 0, 0)},
          {L"empty", old}},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        BatchFiles files = Top();
        for (const std::wstring& name : c.Files) {
            files.Names.push_back(name);
            files.Paths.push_back(folder_ / name);
        }
        AddFolders(files, c.Folders, c.WithTop);
        expectedRefusals_ = c.Refusals;
        Run(c.Request, files);
        ExpectFolderWrites(c.After, "after");
        if (c.Request.Operation == BatchOperation::DateTime && !c.Files.empty()) {
            const std::optional<DiskStamps> file = ReadStamps(folder_ / L"sub\\deep\\c.txt");
            ASSERT_TRUE(file);
            EXPECT_TRUE(SameTime(file->LastWrite, asked));
        }
        UndoLast();
        ExpectFolderWrites({{L"", old}, {L"sub", old}, {L"sub\\deep", old}, {L"empty", old}}, "undone");
        const std::optional<DiskStamps> file = ReadStamps(folder_ / L"sub\\deep\\c.txt");
        ASSERT_TRUE(file);
        EXPECT_TRUE(SameTime(file->LastWrite, UtcFileTime(2018, 1, 3, 10, 0, 0)));
    }
}

TEST_F(FolderBatch, FolderOfAFolderOnlyBatchIsShownByItsOwnName) {
    BatchFiles files = Top();
    AddFolders(files, {L"sub"}, true);
    EXPECT_EQ(files.Names, (std::vector<std::wstring>{L"sub\\", L""}));
    EXPECT_EQ(ShownName(files, 0), L"sub\\");
    EXPECT_EQ(ShownName(files, 1), SplitFileName(folder_.Path()).Name + L"\\");
}

TEST_F(FolderBatch, CaseRenameAndItsUndoLeaveTheFolderDatesAsTheyWere) {
    folder_.MakeFile(L"sub\\Mixed Case.TXT");
    ASSERT_TRUE(WriteStamps(folder_ / L"sub", Old(), Old(), Old()));
    BatchFiles files = Top();
    files.Names = {L"sub\\Mixed Case.TXT"};
    files.Paths = {folder_ / L"sub\\Mixed Case.TXT"};
    Run(BatchRequest{BatchOperation::Lower}, files);
    EXPECT_EQ(Listed(folder_ / L"sub"), (NameSet{L"b.txt", L"deep", L"mixed case.txt"}));
    std::optional<DiskStamps> sub = ReadStamps(folder_ / L"sub");
    ASSERT_TRUE(sub);
    EXPECT_TRUE(SameTime(sub->LastWrite, Old()));

    UndoLast();
    EXPECT_EQ(Listed(folder_ / L"sub"), (NameSet{L"b.txt", L"deep", L"Mixed Case.TXT"}));
    sub = ReadStamps(folder_ / L"sub");
    ASSERT_TRUE(sub);
    EXPECT_TRUE(SameTime(sub->LastWrite, Old()));
}

} // namespace
