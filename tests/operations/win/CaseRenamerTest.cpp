// The checked case-only rename, with a move function that plays a platform that reports success
// and keeps the old name, or that fails half-way: the file is never lost.
#include "operations/CaseRenamer.h"

#include "support/win/OperationFiles.h"
#include "operations/FileNameCase.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::wstring Upper(std::wstring_view name) {
    return SystemUpper(name);
}

// Each call is answered by the next behaviour; past the end, the platform's own move.
class ScriptedMove {
public:
    enum Step { Real, ClaimSuccess, Fail };
    explicit ScriptedMove(std::vector<Step> steps) : steps_(std::move(steps)) {}

    CaseRenamer::MoveFunction Function() {
        return [this](const std::wstring& from, const std::wstring& to) {
            calls.push_back({from, to});
            const Step step = calls.size() <= steps_.size() ? steps_[calls.size() - 1] : Real;
            if (step == ClaimSuccess)
                return true;
            if (step == Fail)
                return false;
            return CaseRenamer::PlatformMove(from, to);
        };
    }

    std::vector<std::pair<std::wstring, std::wstring>> calls;

private:
    std::vector<Step> steps_;
};

class CaseRenamerTest : public testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(CaseRenamerTest, RenameClaimedButNotDoneGoesThroughATemporaryName) {
    const std::wstring path = folder_.MakeFile(L"note.txt", "content");
    ScriptedMove move({ScriptedMove::ClaimSuccess});

    const CaseRenamer::Result result = CaseRenamer(move.Function()).Rename(path, Upper);

    EXPECT_TRUE(result.Renamed);
    EXPECT_EQ(result.Path, folder_ / L"NOTE.TXT");
    EXPECT_EQ(move.calls.size(), 3u);
    EXPECT_EQ(NamesIn(folder_.Path()), std::vector<std::wstring>{L"NOTE.TXT"});
    EXPECT_EQ(ReadContents(folder_ / L"NOTE.TXT"), "content");
}

TEST_F(CaseRenamerTest, FailedSecondStepPutsTheOldNameBack) {
    const std::wstring path = folder_.MakeFile(L"note.txt", "content");
    ScriptedMove move({ScriptedMove::ClaimSuccess, ScriptedMove::Real, ScriptedMove::Fail});

    const CaseRenamer::Result result = CaseRenamer(move.Function()).Rename(path, Upper);

    EXPECT_FALSE(result.Renamed);
    EXPECT_EQ(result.Path, path);
    ASSERT_EQ(move.calls.size(), 4u);
    EXPECT_EQ(NamesIn(folder_.Path()), std::vector<std::wstring>{L"note.txt"});
    EXPECT_EQ(ReadContents(path), "content");
}

TEST_F(CaseRenamerTest, RefusedWayBackIsTriedAgainAndAFileLeftUnderATemporaryNameIsRecorded) {
    using S = ScriptedMove;
    const std::wstring path = folder_.MakeFile(L"note.txt", "content");
    ScriptedMove once({S::ClaimSuccess, S::Real, S::Fail, S::Fail});
    const CaseRenamer::Result back = CaseRenamer(once.Function()).Rename(path, Upper);
    EXPECT_FALSE(back.Renamed);
    EXPECT_FALSE(back.Stranded);
    EXPECT_EQ(NamesIn(folder_.Path()), std::vector<std::wstring>{L"note.txt"});
    EXPECT_TRUE(TakeStrandedFiles().empty());

    ScriptedMove never({S::Real, S::Fail, S::Fail, S::Fail, S::Fail, S::Fail, S::Fail});
    const CaseRenamer::Result left = CaseRenamer(never.Function()).Rename(path, Upper);
    EXPECT_FALSE(left.Renamed);
    EXPECT_TRUE(left.Stranded);
    ASSERT_EQ(NamesIn(folder_.Path()).size(), 1u);
    EXPECT_EQ(left.Path, folder_ / NamesIn(folder_.Path()).front());
    EXPECT_EQ(ReadContents(left.Path), "content");
    const std::vector<StrandedFile> stranded = TakeStrandedFiles();
    ASSERT_EQ(stranded.size(), 1u);
    EXPECT_EQ(stranded.front().TemporaryPath, left.Path);
    EXPECT_EQ(stranded.front().OldName, L"note.txt");
}

TEST_F(CaseRenamerTest, RefusedRenameLeavesTheFileAndTriesNothingElse) {
    const std::wstring path = folder_.MakeFile(L"note.txt", "content");
    ScriptedMove move({ScriptedMove::Fail});

    const CaseRenamer::Result result = CaseRenamer(move.Function()).Rename(path, Upper);

    EXPECT_FALSE(result.Renamed);
    EXPECT_EQ(move.calls.size(), 1u);
    EXPECT_EQ(NamesIn(folder_.Path()), std::vector<std::wstring>{L"note.txt"});
}

TEST_F(CaseRenamerTest, NameChangedBeyondLetterCaseIsRefused) {
    const std::wstring path = folder_.MakeFile(L"note.txt", "content");
    folder_.MakeFile(L"autre.txt", "other");
    ScriptedMove move({});

    const CaseRenamer::Result result = CaseRenamer(move.Function()).Rename(path, [](std::wstring_view) {
        return std::wstring(L"autre.txt");
    });

    EXPECT_FALSE(result.Renamed);
    EXPECT_TRUE(move.calls.empty());
    EXPECT_EQ(ReadContents(folder_ / L"autre.txt"), "other");
    EXPECT_EQ(ReadContents(path), "content");
}

TEST_F(CaseRenamerTest, NameAlreadyRightNeedsNoMove) {
    const std::wstring path = folder_.MakeFile(L"NOTE.TXT", "content");
    ScriptedMove move({});
    const CaseRenamer::Result result = CaseRenamer(move.Function()).Rename(path, Upper);
    EXPECT_TRUE(result.Renamed);
    EXPECT_TRUE(move.calls.empty());
}

TEST_F(CaseRenamerTest, TemporaryNameIsAFreeNameInTheSameFolderAndLeavesNoTrace) {
    const std::wstring path = folder_.MakeFile(L"note.txt", "content");
    ScriptedMove move({ScriptedMove::ClaimSuccess});

    ASSERT_TRUE(CaseRenamer(move.Function()).Rename(path, Upper).Renamed);

    ASSERT_EQ(move.calls.size(), 3u);
    const std::wstring temporary = move.calls[1].second;
    EXPECT_EQ(temporary.rfind(folder_.Path() + L"\\", 0), 0u);
    EXPECT_EQ(temporary.find(L'\\', folder_.Path().size() + 1), std::wstring::npos);
    EXPECT_EQ(move.calls[2].first, temporary);
    EXPECT_EQ(NamesIn(folder_.Path()), std::vector<std::wstring>{L"NOTE.TXT"});
}

TEST_F(CaseRenamerTest, PlannedTemporaryNameIsTheOnlyOneUsedAndATakenOneLeavesTheFileAlone) {
    const std::wstring path = folder_.MakeFile(L"note.txt", "content");
    ScriptedMove move({ScriptedMove::ClaimSuccess});
    ASSERT_TRUE(CaseRenamer(move.Function()).Rename(path, Upper, L"~kavet-noted.tmp").Renamed);
    ASSERT_EQ(move.calls.size(), 3u);
    EXPECT_EQ(move.calls[1].second, folder_ / L"~kavet-noted.tmp");

    // The journal knows that name only: with it taken, no other is tried. (The folder is now
    // known to keep the case, so the temporary name comes first.)
    const std::wstring other = folder_.MakeFile(L"autre.txt", "other");
    folder_.MakeFile(L"~kavet-taken.tmp", "someone else's");
    ScriptedMove taken({});
    const CaseRenamer::Result result =
        CaseRenamer(taken.Function()).Rename(other, Upper, L"~kavet-taken.tmp");
    EXPECT_FALSE(result.Renamed);
    EXPECT_FALSE(result.Stranded);
    EXPECT_EQ(taken.calls.size(), 1u);
    EXPECT_EQ(ReadContents(folder_ / L"autre.txt"), "other");
    EXPECT_EQ(ReadContents(folder_ / L"~kavet-taken.tmp"), "someone else's");
}

TEST_F(CaseRenamerTest, NameOnDiskFindsTheStoredCase) {
    folder_.MakeFile(L"MiXeD.Txt");
    EXPECT_EQ(NameOnDisk(folder_.Path() + L"\\", L"mixed.TXT"), L"MiXeD.Txt");
    EXPECT_EQ(NameOnDisk(folder_.Path() + L"\\", L"other.txt"), std::nullopt);
}

} // namespace

namespace {

TEST_F(CaseRenamerTest, FolderThatKeptTheCaseIsRenamedThroughATemporaryNameAtOnce) {
    const std::wstring first = folder_.MakeFile(L"one.txt", "1");
    const std::wstring second = folder_.MakeFile(L"two.txt", "2");
    ScriptedMove claimed({ScriptedMove::ClaimSuccess});
    ASSERT_TRUE(CaseRenamer(claimed.Function()).Rename(first, Upper).Renamed);

    ScriptedMove move({});
    const CaseRenamer::Result result = CaseRenamer(move.Function()).Rename(second, Upper);

    EXPECT_TRUE(result.Renamed);
    EXPECT_EQ(result.Path, folder_ / L"TWO.TXT");
    ASSERT_EQ(move.calls.size(), 2u);
    EXPECT_EQ(move.calls[0].first, second);
    EXPECT_EQ(move.calls[1].second, folder_ / L"TWO.TXT");
    EXPECT_EQ(NamesIn(folder_.Path()), (std::vector<std::wstring>{L"ONE.TXT", L"TWO.TXT"}));
    EXPECT_EQ(ReadContents(folder_ / L"TWO.TXT"), "2");
}

} // namespace
