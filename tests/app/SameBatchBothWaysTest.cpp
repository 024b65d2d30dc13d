// Every operation and its undo through the window and through the command line, on twin folders
// of the same files: the same outcomes, the same files on disk and the same journal, so that the
// two front ends cannot drift apart.
#include "MainFormFixture.h"

#include "base/Handles.h"
#include "cmdline/CommandRun.h"
#include "base/Utf8Text.h"
#include "operations/dialogs/BatchReportForm.h"
#include "support/logic/ExifImages.h"
#include "support/win/FileStamps.h"
#include "support/win/OperationFiles.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TempFolder.h"
#include "ui/ExceptionDisplay.h"
#include "ui/MessageBox.h"
#include "ui/ModalRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

const FILETIME kBefore = UtcOfLocal(2015, 5, 6, 7, 8, 9);
const FILETIME kAccessed = UtcOfLocal(2016, 1, 2, 3, 4, 5);

// A folder holding the same files, with the same stamps, as its twin.
struct TwinFolder {
    TwinFolder() {
        for (const auto& [name, contents] : std::vector<std::pair<std::wstring, std::string>>{
                 {L"alpha.txt", "a"},
                 {L"Beta Deux.TXT", "b"},
                 {L"photo été.jpg", Jpeg(Tiff(false, {}, {{0x9003, "2021:06:15 10:20:30"}}))}})
            EXPECT_TRUE(WriteStamps(files.MakeFile(name, contents), kBefore, kAccessed, kBefore));
    }
    // Each file's name as stored, with its last write and last access.
    std::map<std::wstring, std::pair<uint64_t, uint64_t>> Disk() const {
        std::map<std::wstring, std::pair<uint64_t, uint64_t>> disk;
        for (const std::wstring& name : NamesIn(files.Path())) {
            const std::optional<DiskStamps> stamps = ReadStamps(files / name);
            disk[name] = {stamps ? Ticks(stamps->LastWrite) : 0, stamps ? Ticks(stamps->LastAccess) : 0};
        }
        return disk;
    }
    // The journal's last batch, without what differs between twins (its id, time and folder).
    std::wstring LastBatch() const {
        const JournalStore::ReadResult read = JournalStore(journal.Path()).Read();
        if (read.Contents.Batches.empty())
            return read.Error;
        const JournalBatch& batch = read.Contents.Batches.back();
        std::wstring text = batch.Operation + (batch.Finished ? L" (finie)" : L" (interrompue)") +
                            (batch.Undoes ? L" (annulation)" : L"");
        for (const JournalFile& file : batch.Files)
            text += L"\n" + file.OldName + L" > " + file.NewName + L" " +
                    std::to_wstring(file.OldAttributes) + L" " + std::to_wstring(file.OldCreation) + L" " +
                    std::to_wstring(file.OldAccess) + L" " + std::to_wstring(file.OldWrite) + L" > " +
                    std::to_wstring(file.NewCreation) + L" " + std::to_wstring(file.NewAccess) + L" " +
                    std::to_wstring(file.NewWrite) +
                    (file.TemporaryName.empty() ? L"" : L" (nom temporaire)");
        return text;
    }

    TempFolder files;
    TempFolder journal;
};

struct Case {
    std::wstring Switch;
    std::vector<std::wstring> More;
    BatchRequest Request;
};

BatchRequest Request(BatchOperation operation, StampSet stamps = kAllStamps) {
    BatchRequest request;
    request.Operation = operation;
    request.Stamps = stamps;
    return request;
}

class SameBatchBothWays : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        boxAnswer = IDYES;
        journalFolder = window.journal.Path();
        referencePath = outside.MakeFile(L"modèle.txt");
        EXPECT_TRUE(WriteStamps(referencePath, UtcOfLocal(2019, 7, 1, 12, 0, 0),
                                UtcOfLocal(2018, 12, 1, 8, 0, 0), UtcOfLocal(2019, 7, 1, 12, 0, 0)));
    }
    // The window's run of `request` (or of the undo of its last batch), on every file of the folder:
    // its count line, then each file the report names.
    std::vector<std::wstring> ThroughWindow(const BatchRequest* request) {
        if (!form) {
            SettingsRecord settings;
            settings.Directory = window.files.Path();
            OpenWindow(settings);
        }
        RelistNow();
        std::vector<std::wstring> outcome;
        ScopedModalRunner runner([&outcome](Form& shown) {
            if (auto* report = dynamic_cast<BatchReportForm*>(&shown)) {
                for (int row = 0; row < report->List.RowCount(); ++row)
                    outcome.push_back(report->List.CellText(row, 0) + L" : " + report->List.CellText(row, 2));
                report->BtnClose.Click();
            }
        });
        if (request) {
            form->Batches().RunRequest(*request);
        } else {
            const JournalSummary summary = form->Batches().Journal().Summary().Summary;
            if (!summary.Batches.empty())
                form->Batches().UndoBatch(summary.Batches.back(), false);
        }
        outcome.insert(outcome.begin(), Status(2));
        return outcome;
    }

    // The command line's run of `args` and the folder: its count line, then each file not done.
    std::vector<std::wstring> ThroughCommandLine(std::vector<std::wstring> args) {
        if (args.front() != L"/undo")
            args.push_back(line.files.Path());
        const std::wstring printed = outside / L"sortie.txt";
        {
            FileHandle file(::CreateFileW(printed.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          CREATE_ALWAYS, 0, nullptr));
            // The files not done are told on standard error: both streams go to the one file.
            const HANDLE before = ::GetStdHandle(STD_OUTPUT_HANDLE);
            const HANDLE errorsBefore = ::GetStdHandle(STD_ERROR_HANDLE);
            ::SetStdHandle(STD_OUTPUT_HANDLE, file.Get());
            ::SetStdHandle(STD_ERROR_HANDLE, file.Get());
            {
                ConsoleOutput out;
                CommandRun(out, line.journal.Path()).Run(ParseCommandLine(args));
            }
            ::SetStdHandle(STD_OUTPUT_HANDLE, before);
            ::SetStdHandle(STD_ERROR_HANDLE, errorsBefore);
        }
        std::vector<std::wstring> lines;
        std::wstringstream all(WideFromUtf8(ReadContents(printed).value_or("")).value_or(L""));
        for (std::wstring printedLine; std::getline(all, printedLine);) {
            if (!printedLine.empty() && printedLine.back() == L'\r')
                printedLine.pop_back();
            lines.push_back(printedLine);
        }
        std::vector<std::wstring> outcome{lines.empty() ? L"" : lines.back()};
        for (const std::wstring& printedLine : lines) {
            const size_t mark = printedLine.find(L" : non modifié : ");
            if (mark != std::wstring::npos)
                outcome.push_back(printedLine.substr(0, mark) + L" : " + printedLine.substr(mark + 17));
        }
        return outcome;
    }

    std::wstring referencePath;
    TwinFolder window;
    TwinFolder line;
};

TEST_F(SameBatchBothWays, EveryOperationAndItsUndoGiveTheSameOutcomesFilesAndJournal) {
    std::wstring error;
    BatchRequest dateTime = Request(BatchOperation::DateTime, {Stamp::LastWrite});
    dateTime.When = CivilTime{2021, 3, 4, 5, 6, 7, 0};
    BatchRequest shift = Request(BatchOperation::Shift, {Stamp::LastWrite, Stamp::LastAccess});
    shift.Shift = DateShift{true, 1, 2, 0, 0};
    BatchRequest copy = Request(BatchOperation::CopyStamp, {Stamp::LastAccess});
    copy.CopySource = Stamp::LastWrite;
    BatchRequest fromFile = Request(BatchOperation::FromFile);
    fromFile.Reference = ReadReferenceFile(referencePath, error).value_or(ReferenceFile{});
    const Case cases[] = {
        {L"/date:2021-03-04 05:06:07", {L"/stamps:m"}, dateTime},
        {L"/zero", {}, Request(BatchOperation::TimeZero)},
        {L"/shift:-1.02:00:00", {L"/stamps:ma"}, shift},
        {L"/copy:m>a", {}, copy},
        {L"/from:" + referencePath, {}, fromFile},
        {L"/exif", {L"/stamps:cm"}, Request(BatchOperation::PhotoDate, {Stamp::Creation, Stamp::LastWrite})},
        {L"/upper", {}, Request(BatchOperation::Upper)},
        {L"/lower", {}, Request(BatchOperation::Lower)},
        {L"/first", {}, Request(BatchOperation::FirstUpper)},
    };
    ASSERT_EQ(fromFile.Reference.Name, L"modèle.txt") << error;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Switch);
        std::vector<std::wstring> args{c.Switch};
        args.insert(args.end(), c.More.begin(), c.More.end());
        const auto before = window.Disk();
        ASSERT_EQ(line.Disk(), before);

        EXPECT_EQ(ThroughWindow(&c.Request), ThroughCommandLine(args));
        EXPECT_EQ(window.Disk(), line.Disk());
        EXPECT_NE(window.Disk(), before) << "the operation changed something";
        EXPECT_EQ(window.LastBatch(), line.LastBatch());

        EXPECT_EQ(ThroughWindow(nullptr), ThroughCommandLine({L"/undo"}));
        EXPECT_EQ(window.Disk(), before);
        EXPECT_EQ(line.Disk(), before);
        EXPECT_EQ(window.LastBatch(), line.LastBatch());
    }
}

} // namespace
