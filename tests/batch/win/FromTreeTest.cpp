// Dating a tree from another, on real folders under the temporary folder: each file and folder of
// the copy takes its counterpart's stamps through the one batch engine and its journal, the
// entries it cannot match are left alone with their reason, and undo puts every stamp back.
#include "batch/FromTree.h"

#include "batch/BatchRun.h"
#include "support/win/FileStamps.h"
#include "support/win/PlainBatchFront.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

uint64_t WriteTicks(const std::wstring& path) {
    const std::optional<DiskStamps> stamps = ReadStamps(path);
    return stamps ? (static_cast<uint64_t>(stamps->LastWrite.dwHighDateTime) << 32) |
                        stamps->LastWrite.dwLowDateTime
                  : 0;
}

// Runs each file in order, as the command line does.
class FromTreeTest : public testing::Test {
protected:
    void SetUp() override {
        // The original: its files and folders with the dates a copy lost.
        original.MakeFolder(L"photos");
        original.MakeFolder(L"photos\\2019");
        original.MakeFile(L"notes.txt", "abc");
        original.MakeFile(L"photos\\a.jpg", "aaaa");
        original.MakeFile(L"photos\\2019\\b.jpg", "bb");
        original.MakeFile(L"photos\\2019\\grown.jpg", "old");
        original.MakeFolder(L"only there");
        int day = 1;
        for (const wchar_t* name : {L"notes.txt", L"photos\\a.jpg", L"photos\\2019\\b.jpg",
                                    L"photos\\2019\\grown.jpg", L"photos\\2019", L"photos"}) {
            ASSERT_TRUE(WriteStamps(original / name, UtcFileTime(2019, 3, day, 8, 0, 0),
                                    UtcFileTime(2019, 4, day, 8, 0, 0), UtcFileTime(2019, 5, day, 8, 0, 0)));
            ++day;
        }
        // The copy: the same tree with today's dates, one name in another case, one file that
        // changed size since, and entries of its own.
        copy.MakeFolder(L"PHOTOS");
        copy.MakeFolder(L"PHOTOS\\2019");
        copy.MakeFolder(L"new folder");
        copy.MakeFile(L"NOTES.TXT", "abc");
        copy.MakeFile(L"PHOTOS\\a.jpg", "aaaa");
        copy.MakeFile(L"PHOTOS\\2019\\b.jpg", "bb");
        copy.MakeFile(L"PHOTOS\\2019\\grown.jpg", "longer");
        copy.MakeFile(L"PHOTOS\\added.jpg", "n");
        for (const wchar_t* name : kCopied)
            before[name] = WriteTicks(copy / name);
    }

    // The batch over the copy's tree, through the engine and its journal; each entry's reason
    // ("" when done).
    std::map<std::wstring, std::wstring> Run(const BatchRequest& request) {
        const TreeTargets targets = CollectTreeTargets(copy.Path(), L"*.*");
        names = targets.Files.Names;
        BatchReport report;
        PlainBatchFront front;
        const BatchResult result =
            RunBatch(journal, targets.Files, WorkOf(request, targets.Files, stamping), front, report);
        EXPECT_TRUE(result.Ran);
        std::map<std::wstring, std::wstring> reasons;
        for (const std::wstring& name : names)
            reasons[name] = L"";
        for (const BatchReportRow& row : report.Rows())
            reasons[row.Name] = row.Result == L"non modifié" ? row.Reason : row.Result + L" : " + row.Reason;
        return reasons;
    }

    BatchRequest Request(bool evenIfSizeDiffers) const {
        BatchRequest request{BatchOperation::FromTree, {Stamp::LastWrite, Stamp::LastAccess}};
        request.OtherTree = original.Path();
        request.EvenIfSizeDiffers = evenIfSizeDiffers;
        return request;
    }

    static constexpr const wchar_t* kCopied[] = {
        L"NOTES.TXT",    L"PHOTOS\\a.jpg", L"PHOTOS\\2019\\b.jpg", L"PHOTOS\\2019\\grown.jpg",
        L"PHOTOS\\2019", L"PHOTOS",        L"PHOTOS\\added.jpg",   L"new folder"};
    TempFolder original;
    TempFolder copy;
    TempFolder journalFolder;
    JournalStore journal{journalFolder.Path()};
    std::shared_ptr<const FileStamping> stamping = std::make_shared<const FileStamping>(BatchStamping());
    std::vector<std::wstring> names;
    std::map<std::wstring, uint64_t> before;
};

} // namespace

TEST_F(FromTreeTest, MatchedEntriesTakeTheOtherTreesStampsFoldersAfterTheirFilesAndUndoPutsThemBack) {
    const std::map<std::wstring, std::wstring> reasons = Run(Request(false));

    EXPECT_EQ(reasons,
              (std::map<std::wstring, std::wstring>{{L"NOTES.TXT", L""},
                                                    {L"PHOTOS\\a.jpg", L""},
                                                    {L"PHOTOS\\2019\\b.jpg", L""},
                                                    {L"PHOTOS\\2019\\grown.jpg", L"taille différente"},
                                                    {L"PHOTOS\\2019", L""},
                                                    {L"PHOTOS", L""},
                                                    {L"PHOTOS\\added.jpg", L"aucun fichier correspondant"},
                                                    {L"new folder", L"aucun dossier correspondant"}}));
    // Every file before any folder, and a folder after the one it holds.
    ASSERT_EQ(names.size(), 8u);
    const auto at = [this](const std::wstring& name) { return std::find(names.begin(), names.end(), name); };
    for (const wchar_t* folder : {L"new folder", L"PHOTOS\\2019", L"PHOTOS"})
        EXPECT_GE(at(folder) - names.begin(), 5) << folder;
    EXPECT_LT(at(L"PHOTOS\\2019"), at(L"PHOTOS"));
    for (const auto& [copied, name] :
         std::map<std::wstring, std::wstring>{{L"NOTES.TXT", L"notes.txt"},
                                              {L"PHOTOS\\a.jpg", L"photos\\a.jpg"},
                                              {L"PHOTOS\\2019\\b.jpg", L"photos\\2019\\b.jpg"},
                                              {L"PHOTOS\\2019", L"photos\\2019"},
                                              {L"PHOTOS", L"photos"}})
        EXPECT_EQ(WriteTicks(copy / copied), WriteTicks(original / name)) << copied;
    for (const wchar_t* name : {L"PHOTOS\\2019\\grown.jpg", L"PHOTOS\\added.jpg", L"new folder"})
        EXPECT_EQ(WriteTicks(copy / name), before.at(name)) << name;
    const std::optional<DiskStamps> a = ReadStamps(copy / L"PHOTOS\\a.jpg");
    ASSERT_TRUE(a);
    EXPECT_TRUE(SameTime(a->LastAccess, UtcFileTime(2019, 4, 2, 8, 0, 0)));

    const JournalSummary summary = journal.Summary().Summary;
    ASSERT_EQ(summary.Batches.size(), 1u);
    EXPECT_EQ(summary.Batches[0].Operation, L"Copier les dates de " + original.Path());
    const PreparedUndo undo = PrepareUndo(journal, summary.Batches[0], false, stamping);
    ASSERT_EQ(undo.Refusal, UndoRefusal::None);
    BatchReport undone;
    PlainBatchFront front;
    RunBatch(journal, undo.Files, undo.Work, front, undone);
    EXPECT_EQ(undone.NotChanged(), 0u);
    for (const wchar_t* name : kCopied)
        EXPECT_EQ(WriteTicks(copy / name), before.at(name)) << name;
}

TEST_F(FromTreeTest, TheSizeTickBoxDatesAFileThatGrewAndTheOtherFolderIsCheckedFirst) {
    const std::map<std::wstring, std::wstring> reasons = Run(Request(true));
    EXPECT_EQ(reasons.at(L"PHOTOS\\2019\\grown.jpg"), L"");
    EXPECT_EQ(WriteTicks(copy / L"PHOTOS\\2019\\grown.jpg"),
              WriteTicks(original / L"photos\\2019\\grown.jpg"));

    EXPECT_EQ(CheckOtherTree(copy.Path(), original.Path() + L"\\").Folder, original.Path());
    const struct {
        std::wstring Typed;
        OtherTreeProblem Problem;
    } refused[] = {{copy.Path(), OtherTreeProblem::Same},
                   {copy / L"photos\\2019", OtherTreeProblem::Inside},
                   {copy / L"NOTES.TXT", OtherTreeProblem::NotFound},
                   {original / L"absent", OtherTreeProblem::NotFound},
                   {L"", OtherTreeProblem::NotFound}};
    for (const auto& [typed, problem] : refused) {
        const OtherTreeCheck check = CheckOtherTree(copy.Path(), typed);
        EXPECT_FALSE(check.Folder) << typed;
        EXPECT_EQ(check.Problem, problem) << typed;
    }
    // A folder beside the copy whose name begins like it is no part of it.
    TempFolder parent;
    parent.MakeFolder(L"copie");
    parent.MakeFolder(L"copie 2");
    EXPECT_TRUE(CheckOtherTree(parent / L"copie", parent / L"copie 2").Folder);
}
