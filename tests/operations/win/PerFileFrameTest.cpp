// The frame around each per-file operation: attributes cleared during the work and restored
// afterwards whatever happens, and no exception let out.
#include "operations/PerFileFrame.h"

#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class PerFileFrameTest : public testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(PerFileFrameTest, WorkSeesTheAttributesClearedAndTheyComeBackAfterwards) {
    const std::wstring path =
        folder_.MakeFile(L"a.txt", "x", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const DWORD before = ::GetFileAttributesW(path.c_str());
    DWORD during = 0;

    const FileOutcome result = PerFileFrame::Run(path, [&](PerFileFrame& frame) {
        during = ::GetFileAttributesW(frame.Path().c_str());
        return FileOutcome();
    });

    EXPECT_TRUE(result);
    EXPECT_EQ(during & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), before);
}

TEST_F(PerFileFrameTest, PlainFileKeepsItsAttributesAndGetsThemBackWhenTheWorkChangedThem) {
    const std::wstring path = folder_.MakeFile(L"plain.txt", "x", FILE_ATTRIBUTE_ARCHIVE);
    const DWORD before = ::GetFileAttributesW(path.c_str());
    ASSERT_EQ(before & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL), 0u);

    const FileOutcome result = PerFileFrame::Run(path, [&](PerFileFrame& frame) {
        ::SetFileAttributesW(frame.Path().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        return FileOutcome();
    });

    EXPECT_TRUE(result);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), before);
}

TEST_F(PerFileFrameTest, FailedWorkGivesFalseAndTheAttributesAreRestored) {
    const std::wstring path = folder_.MakeFile(L"a.txt", "x", FILE_ATTRIBUTE_READONLY);
    const DWORD before = ::GetFileAttributesW(path.c_str());
    EXPECT_FALSE(PerFileFrame::Run(path, [](PerFileFrame&) { return FileOutcome::Failed(Failure::InUse); }));
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), before);
}

TEST_F(PerFileFrameTest, ExceptionInTheWorkGivesFalseAndTheAttributesAreRestored) {
    const std::wstring path = folder_.MakeFile(L"a.txt", "x", FILE_ATTRIBUTE_READONLY);
    const DWORD before = ::GetFileAttributesW(path.c_str());
    EXPECT_FALSE(
        PerFileFrame::Run(path, [](PerFileFrame&) -> FileOutcome { throw std::runtime_error("lost"); }));
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), before);
}

TEST_F(PerFileFrameTest, MissingFileIsNotWorkedOnAndAFolderIsWithItsAttributesBack) {
    bool called = false;
    const auto work = [&](PerFileFrame&) {
        called = true;
        return FileOutcome();
    };
    EXPECT_EQ(PerFileFrame::Run(folder_ / L"absent.txt", work).Why(), Failure::NotFound);
    EXPECT_FALSE(called);
    const std::wstring sub = folder_.MakeFolder(L"sub");
    ASSERT_TRUE(::SetFileAttributesW(sub.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const DWORD before = ::GetFileAttributesW(sub.c_str());
    DWORD during = 0;
    EXPECT_TRUE(PerFileFrame::Run(sub, [&](PerFileFrame& frame) {
        during = ::GetFileAttributesW(frame.Path().c_str());
        return work(frame);
    }));
    EXPECT_TRUE(called);
    EXPECT_EQ(during & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
    EXPECT_EQ(::GetFileAttributesW(sub.c_str()), before);
    EXPECT_EQ(::GetFileAttributesW((folder_ / L"absent.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PerFileFrameTest, AttributesFollowTheFileToItsNewName) {
    const std::wstring path = folder_.MakeFile(L"old.txt", "x", FILE_ATTRIBUTE_READONLY);
    const std::wstring moved = folder_ / L"new.txt";
    const FileOutcome result = PerFileFrame::Run(path, [&](PerFileFrame& frame) {
        if (!::MoveFileExW(frame.Path().c_str(), moved.c_str(), 0))
            return FileOutcome::Failed(Failure::Other);
        frame.MovedTo(moved);
        return FileOutcome();
    });
    ASSERT_TRUE(result);
    EXPECT_NE(::GetFileAttributesW(moved.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(PerFileFrameTest, EmptyWorkGivesFalse) {
    const std::wstring path = folder_.MakeFile(L"a.txt");
    EXPECT_FALSE(PerFileFrame::Run(path, PerFileFrame::Work()));
}

} // namespace
