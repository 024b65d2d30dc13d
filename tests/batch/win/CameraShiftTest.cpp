// Putting one camera's clock right, through the batch's own plan and work on real photos in a
// temporary folder: its photos shifted, the others left with their reasons, the preview grouped by
// camera; and a photo's clock time skipped that day told in the preview and the report, as a
// Date-Heure's is.
#include "batch/BatchPreview.h"
#include "batch/BatchWork.h"

#include "base/FileTimeTicks.h"
#include "support/logic/ExifImages.h"
#include "support/win/OperationFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kMake = 0x010F;
constexpr uint16_t kModel = 0x0110;
constexpr uint16_t kOriginal = 0x9003;

FILETIME Old() {
    return UtcFileTime(2010, 1, 15, 12, 0, 0);
}

class CameraShiftTest : public testing::Test {
protected:
    void Make(const std::wstring& name, const std::string& contents) {
        files_.Paths.push_back(folder_.MakeFile(name, contents));
        files_.Names.push_back(name);
        ASSERT_TRUE(WriteStamps(files_.Paths.back(), Old(), Old(), Old()));
    }
    // Each file planned and, unless refused, changed, as the batch does; the report's texts.
    std::vector<std::wstring> Run(const BatchWork& work) {
        std::vector<std::wstring> outcomes;
        for (size_t i = 0; i < files_.Paths.size(); ++i) {
            const PlannedFile plan = work.Plan(i, files_.Paths[i]);
            const FileOutcome outcome = plan.Refusal ? *plan.Refusal : work.Work(i, files_.Paths[i], plan);
            outcomes.push_back(files_.Names[i] + L": " + outcome.ReasonText());
        }
        return outcomes;
    }
    // The preview's lines after its count line.
    std::vector<std::wstring> PreviewLines(const BatchWork& work) {
        BatchPreview preview(files_, work.Plan, work.GroupColumn);
        std::wstringstream text(preview.Text());
        std::vector<std::wstring> lines;
        for (std::wstring line; std::getline(text, line);)
            lines.push_back(line.substr(0, line.find(L'\r')));
        lines.erase(lines.begin());
        return lines;
    }
    uint64_t WriteOf(size_t index) const { return FileTimeTicks(ReadStamps(files_.Paths[index])->LastWrite); }

    TempFolder folder_;
    BatchFiles files_;
    std::shared_ptr<const FileStamping> stamping_ = std::make_shared<const FileStamping>(BatchStamping());
};

TEST_F(CameraShiftTest, ShiftsThatCamerasPhotosAloneAndPreviewsThemByCameraThenName) {
    const std::string canon = Tiff(false, {{kMake, "Canon"}, {kModel, "Canon EOS 80D"}}, {});
    Make(L"b.jpg", Jpeg(canon));
    Make(L"nikon.jpg", Jpeg(Tiff(true, {{kMake, "NIKON CORPORATION"}, {kModel, "NIKON D7500"}}, {})));
    Make(L"notes.txt", "pas une image");
    Make(L"A.tif", canon);
    Make(L"sans appareil.jpg", Jpeg(Tiff(false, {}, {{kOriginal, "2021:06:15 10:20:30"}})));
    BatchRequest request{BatchOperation::CameraClock, {Stamp::LastWrite}};
    request.Camera = L" canon  EOS 80d";
    request.Shift = DateShift{false, 0, 1, 2, 0};
    const BatchWork work = WorkOf(request, files_, stamping_);
    EXPECT_EQ(work.Name, L"Recaler l'horloge ( canon  EOS 80d, +1 h 02 min)");

    const std::vector<std::wstring> lines = PreviewLines(work);
    ASSERT_EQ(lines.size(), 5u);
    const std::wstring moved = L"+01:02:00\t";
    EXPECT_TRUE(lines[0].starts_with(L"A.tif\tCanon EOS 80D\t") && lines[0].ends_with(moved)) << lines[0];
    EXPECT_TRUE(lines[1].starts_with(L"b.jpg\tCanon EOS 80D\t") && lines[1].ends_with(moved)) << lines[1];
    EXPECT_EQ(lines[2], L"nikon.jpg\tNIKON CORPORATION NIKON D7500\t\t\t\tautre appareil (NIKON CORPORATION "
                        L"NIKON D7500)");
    EXPECT_EQ(lines[3], L"notes.txt\t\t\t\t\taucun appareil indiqué");
    EXPECT_EQ(lines[4], L"sans appareil.jpg\t\t\t\t\taucun appareil indiqué");

    Run(work);
    const uint64_t old = FileTimeTicks(Old());
    const uint64_t hourAndTwo = 62ull * 60 * 10'000'000;
    EXPECT_EQ(WriteOf(0), old + hourAndTwo);
    EXPECT_EQ(WriteOf(3), old + hourAndTwo);
    for (const size_t untouched : {1u, 2u, 4u})
        EXPECT_EQ(WriteOf(untouched), old) << files_.Names[untouched];
    EXPECT_EQ(FileTimeTicks(ReadStamps(files_.Paths[0])->LastAccess), old) << "not chosen";
}

TEST_F(CameraShiftTest, PhotoTakenAtAClockTimeSkippedThatDayIsToldInThePreviewAndTheReport) {
    // 02:30 does not exist in Paris on 29 March 2026: written 03:30, as Date-Heure does.
    Make(L"printemps.jpg", Jpeg(Tiff(false, {}, {{kOriginal, "2026:03:29 02:30:00"}})));
    Make(L"ordinaire.jpg", Jpeg(Tiff(false, {}, {{kOriginal, "2026:03:30 02:30:00"}})));
    const BatchWork work =
        WorkOf(BatchRequest{BatchOperation::PhotoDate, {Stamp::LastWrite}}, files_, stamping_);
    const std::wstring remark =
        L"l'heure 02:30:00 n'existe pas ce jour-là (changement d'heure) : écrite 03:30:00";

    const std::vector<std::wstring> lines = PreviewLines(work);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].ends_with(L"\t" + remark)) << lines[0];
    EXPECT_TRUE(lines[1].ends_with(L"\t")) << lines[1];

    EXPECT_EQ(Run(work), (std::vector<std::wstring>{L"printemps.jpg: " + remark, L"ordinaire.jpg: "}));
    EXPECT_EQ(WriteOf(0), FileTimeTicks(UtcFileTime(2026, 3, 29, 1, 30, 0)));
}

TEST_F(CameraShiftTest, DateHeureAtAClockTimeSkippedThatDayIsToldInThePreviewAsInTheReport) {
    Make(L"a.txt", "");
    BatchRequest request{BatchOperation::DateTime, {Stamp::LastWrite}};
    request.When = CivilTime{2026, 3, 29, 2, 30, 0, 0};
    const BatchWork work = WorkOf(request, files_, stamping_);
    const std::wstring remark =
        L"l'heure 02:30:00 n'existe pas ce jour-là (changement d'heure) : écrite 03:30:00";
    const std::vector<std::wstring> lines = PreviewLines(work);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with(L"\t" + remark)) << lines[0];
    EXPECT_EQ(Run(work), (std::vector<std::wstring>{L"a.txt: " + remark}));
}

} // namespace
