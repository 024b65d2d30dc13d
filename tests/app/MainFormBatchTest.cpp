// "Date-Heure" and "Heure Zéro" from the main window's toolbar and menu, end to end on real files:
// the dialog is played through the modal runner, the stamps are read back from disk (the creation
// time, which not every file system keeps, from the values handed to the platform) and from the
// re-listed file list; the dialogs' remembered choices across a restart of the window.
#include "MainFormFixture.h"

#include "base/FileNameParts.h"
#include "operations/FileStamping.h"
#include "operations/dialogs/ConfirmationForm.h"
#include "operations/dialogs/BatchReportForm.h"
#include "operations/dialogs/DateHeureForm.h"
#include "support/win/Days.h"
#include "support/win/FileStamps.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TempFolder.h"
#include "ui/ExceptionDisplay.h"
#include "ui/MessageBox.h"
#include "ui/ModalRunner.h"
#include "ui/Timer.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

SYSTEMTIME Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now;
}

// The file list's date-time text of a local time, with the user's separators and four-digit years.
std::wstring DateTimeText(int year, int month, int day, int hour, int minute, int second) {
    const auto digits = [](int value, size_t width) {
        std::wstring text = std::to_wstring(value);
        return std::wstring(text.size() < width ? width - text.size() : 0, L'0') + text;
    };
    const std::wstring d(1, CurrentLocale().DateSeparator());
    const std::wstring t(1, CurrentLocale().TimeSeparator());
    return digits(day, 2) + d + digits(month, 2) + d + digits(year, 4) + L" " + digits(hour, 2) + t +
           digits(minute, 2) + t + digits(second, 2);
}

// The stamps handed to the platform, by file name; each write goes on to the platform.
class RecordingWriter {
public:
    FileTimeWriter Writer() {
        return [this](HANDLE file, const FILETIME& creation, const FILETIME& lastAccess,
                      const FILETIME& lastWrite) {
            std::wstring path(1024, L'\0');
            const DWORD length = ::GetFinalPathNameByHandleW(file, path.data(), 1024, FILE_NAME_NORMALIZED);
            path.resize(length < 1024 ? length : 0);
            calls[SplitFileName(path).Name] = {creation, lastAccess, lastWrite};
            return PlatformFileTimeWriter(file, creation, lastAccess, lastWrite);
        };
    }
    std::map<std::wstring, DiskStamps> calls;
};

const FILETIME kOldStamp = UtcOfLocal(2003, 4, 5, 6, 7, 8);

class MainFormBatch : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        boxAnswer = IDOK;
        for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"gamma.txt"}) {
            folder.MakeFile(name, "contents");
            EXPECT_TRUE(WriteStamps(folder / name, kOldStamp, kOldStamp, kOldStamp));
        }
        OpenWindow();
        ASSERT_EQ(ListCount(List()), 3);
    }

    void Select(const std::wstring& name) { ListSelectRow(List(), RowOf(name)); }
    std::wstring Cell(const std::wstring& name, int column) {
        return ListItemText(List(), RowOf(name), column);
    }
    DiskStamps OnDisk(const std::wstring& name) const {
        const std::optional<DiskStamps> stamps = ReadStamps(folder / name);
        EXPECT_TRUE(stamps);
        return stamps.value_or(DiskStamps{});
    }
    void ExpectUnchanged(const std::wstring& name) {
        const DiskStamps stamps = OnDisk(name);
        EXPECT_TRUE(SameTime(stamps.LastWrite, kOldStamp));
        EXPECT_TRUE(SameTime(stamps.LastAccess, kOldStamp));
        EXPECT_EQ(recorder.calls.count(name), 0u);
    }
    // Plays the date-time dialog: picks the date and the time, ticks the boxes of the mask and
    // presses "&Régler"; records that it was shown.
    ModalRunner ChooseDateTime(SYSTEMTIME date, SYSTEMTIME time, StampSet mask) {
        return [this, date, time, mask](Form& shown) {
            auto& dialog = dynamic_cast<TDateHeure&>(shown);
            ++dialogsShown;
            dialog.DatePicker.SetValue(date);
            dialog.TimePicker.SetValue(time);
            dialog.Stamps.SetChecked(mask);
            dialog.BtnOk.Click();
        };
    }
    // Plays the time-zero confirmation: ticks its box or not, then presses a button.
    ModalRunner AnswerTimeZero(bool tick, bool accept) {
        return [this, tick, accept](Form& shown) {
            auto& dialog = dynamic_cast<ConfirmationForm&>(shown);
            ++dialogsShown;
            zeroCaption = dialog.Text();
            dialog.CheckFirst.SetChecked(tick);
            (accept ? dialog.BtnOk : dialog.BtnCancel).Click();
        };
    }
    void ClickDateTime() { Click(L"Date-Heure"); }
    void ClickTimeZero() { Click(L"Heure Zéro"); }

    RecordingWriter recorder;
    ScopedFileTimeWriter writer{recorder.Writer()};
    int dialogsShown = 0;
    std::wstring zeroCaption;
};

} // namespace

TEST_F(MainFormBatch, DateHeureStampsTheSelectedFilesAndTheListShowsTheNewStamps) {
    Select(L"alpha.txt");
    Select(L"gamma.txt");
    {
        ScopedModalRunner runner(ChooseDateTime(Day(2015, 6, 15), Day(2015, 6, 15, 10, 30, 0), kAllStamps));
        ClickDateTime();
    }
    EXPECT_EQ(dialogsShown, 1);
    // 15 June 2015 10:30 in Paris is summer time.
    const FILETIME expected = UtcOfLocal(2015, 6, 15, 10, 30, 0);
    for (const wchar_t* name : {L"alpha.txt", L"gamma.txt"}) {
        const DiskStamps stamps = OnDisk(name);
        EXPECT_TRUE(SameTime(stamps.LastWrite, expected));
        EXPECT_TRUE(SameTime(stamps.LastAccess, expected));
        ASSERT_EQ(recorder.calls.count(name), 1u);
        EXPECT_TRUE(SameTime(recorder.calls[name].Creation, expected));
        EXPECT_EQ(Cell(name, 3), DateTimeText(2015, 6, 15, 10, 30, 0));
    }
    ExpectUnchanged(L"beta.txt");
    EXPECT_EQ(Cell(L"beta.txt", 3), DateTimeText(2003, 4, 5, 6, 7, 8));
    EXPECT_EQ(ListSelectedCount(List()), 0);
    EXPECT_TRUE(boxes.empty());
    // Done as asked: no report, the count in the status bar until the next listing.
    EXPECT_EQ(Status(2), L"2 fichiers modifiés");
    RelistNow();
    EXPECT_EQ(StatusPartEdges(Window()).size(), 2u);
}

TEST_F(MainFormBatch, FileInUseIsLeftAloneAndNamedInTheReportWithTheOthersDone) {
    HANDLE held = ::CreateFileW((folder / L"beta.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::wstring countLine;
    std::vector<std::wstring> cells;
    {
        const ModalRunner choose = ChooseDateTime(Day(2015, 6, 15), Day(2015, 6, 15, 10, 30, 0), kAllStamps);
        ScopedModalRunner runner([&](Form& shown) {
            auto* report = dynamic_cast<BatchReportForm*>(&shown);
            if (!report)
                return choose(shown);
            countLine = report->CountLabel.Text();
            for (int row = 0; row < report->List.RowCount(); ++row)
                for (int column = 0; column < 3; ++column)
                    cells.push_back(report->List.CellText(row, column));
            report->BtnClose.Click();
        });
        ClickDateTime();
    }
    ::CloseHandle(held);
    EXPECT_EQ(countLine, L"2 fichiers modifiés, 1 non modifié");
    EXPECT_EQ(cells, (std::vector<std::wstring>{L"beta.txt", L"non modifié",
                                                L"fichier utilisé par un autre programme"}));
    ExpectUnchanged(L"beta.txt");
    EXPECT_TRUE(SameTime(OnDisk(L"gamma.txt").LastWrite, UtcOfLocal(2015, 6, 15, 10, 30, 0)));
    EXPECT_EQ(Status(2), countLine);
}

TEST_F(MainFormBatch, DateHeureFromTheMenuWithOnlyTheAccessStampKeepsTheOthers) {
    std::map<std::wstring, DiskStamps> before;
    for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"gamma.txt"})
        before[name] = OnDisk(name);
    {
        ScopedModalRunner runner(
            ChooseDateTime(Day(1999, 12, 31), Day(1999, 12, 31, 23, 59, 58), {Stamp::LastAccess}));
        Choose(L"Date-Heure");
    }
    const FILETIME expected = UtcOfLocal(1999, 12, 31, 23, 59, 58);
    for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"gamma.txt"}) {
        const DiskStamps stamps = OnDisk(name);
        EXPECT_TRUE(SameTime(stamps.LastAccess, expected));
        EXPECT_TRUE(SameTime(stamps.LastWrite, kOldStamp));
        ASSERT_EQ(recorder.calls.count(name), 1u);
        const DiskStamps& call = recorder.calls[name];
        EXPECT_TRUE(SameTime(call.LastAccess, expected));
        EXPECT_TRUE(SameTime(call.LastWrite, kOldStamp));
        // The creation time handed over is the one the file had.
        EXPECT_TRUE(SameTime(call.Creation, before[name].Creation));
        EXPECT_EQ(Cell(name, 3), DateTimeText(2003, 4, 5, 6, 7, 8));
    }
}

TEST_F(MainFormBatch, DateHeureWithOnlyCreationHandsOverTheNewCreationAlone) {
    Select(L"beta.txt");
    {
        ScopedModalRunner runner(
            ChooseDateTime(Day(1980, 1, 1), Day(1980, 1, 1, 0, 0, 0), {Stamp::Creation}));
        ClickDateTime();
    }
    ASSERT_EQ(recorder.calls.size(), 1u);
    const DiskStamps& call = recorder.calls[L"beta.txt"];
    EXPECT_TRUE(SameTime(call.Creation, UtcOfLocal(1980, 1, 1, 0, 0, 0)));
    EXPECT_TRUE(SameTime(call.LastWrite, kOldStamp));
    EXPECT_TRUE(SameTime(call.LastAccess, kOldStamp));
    EXPECT_TRUE(SameTime(OnDisk(L"beta.txt").LastWrite, kOldStamp));
}

TEST_F(MainFormBatch, DateHeureCancelledChangesNothing) {
    Select(L"alpha.txt");
    {
        ScopedModalRunner runner([&](Form& shown) {
            auto& dialog = dynamic_cast<TDateHeure&>(shown);
            ++dialogsShown;
            dialog.BtnDateMini.Click();
            dialog.BtnCancel.Click();
        });
        ClickDateTime();
    }
    EXPECT_EQ(dialogsShown, 1);
    for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"gamma.txt"})
        ExpectUnchanged(name);
    // Without a batch there is no re-list: the selection stays.
    EXPECT_EQ(ListSelectedCount(List()), 1);
}

TEST_F(MainFormBatch, DateHeureWithNoStampWarnsThenCancelChangesNothing) {
    {
        ScopedModalRunner runner([&](Form& shown) {
            auto& dialog = dynamic_cast<TDateHeure&>(shown);
            dialog.Stamps.CheckCreation.SetChecked(false);
            dialog.Stamps.CheckModification.SetChecked(false);
            dialog.Stamps.CheckAcces.SetChecked(false);
            dialog.BtnOk.Click();
            dialog.BtnCancel.Click();
        });
        ClickDateTime();
    }
    EXPECT_EQ(boxes, std::vector<std::wstring>{L"\r\nSélectionnez une date à modifier"});
    for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"gamma.txt"})
        ExpectUnchanged(name);
}

TEST_F(MainFormBatch, HeureZeroSetsTodayAtMidnightInAllThreeStamps) {
    Select(L"beta.txt");
    SYSTEMTIME today = Today();
    {
        ScopedModalRunner runner(AnswerTimeZero(false, true));
        ClickTimeZero();
    }
    const SYSTEMTIME after = Today();
    if (after.wDay != today.wDay)
        today = after; // the batch ran across midnight
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(zeroCaption, L"Horodatage");
    const FILETIME midnight = UtcOfLocal(today.wYear, today.wMonth, today.wDay, 0, 0, 0);
    const DiskStamps stamps = OnDisk(L"beta.txt");
    EXPECT_TRUE(SameTime(stamps.LastWrite, midnight));
    EXPECT_TRUE(SameTime(stamps.LastAccess, midnight));
    ASSERT_EQ(recorder.calls.count(L"beta.txt"), 1u);
    EXPECT_TRUE(SameTime(recorder.calls[L"beta.txt"].Creation, midnight));
    EXPECT_TRUE(SameTime(recorder.calls[L"beta.txt"].LastWrite, midnight));
    EXPECT_TRUE(SameTime(recorder.calls[L"beta.txt"].LastAccess, midnight));
    // TimeZero is on by default, so midnight is shown in full.
    EXPECT_EQ(Cell(L"beta.txt", 3), DateTimeText(today.wYear, today.wMonth, today.wDay, 0, 0, 0));
    ExpectUnchanged(L"alpha.txt");
    ExpectUnchanged(L"gamma.txt");
    form->Close();
    EXPECT_TRUE(StoredSettings().FirstZero);
}

TEST_F(MainFormBatch, HeureZeroCancelledChangesNothingAndAsksAgain) {
    {
        ScopedModalRunner runner(AnswerTimeZero(false, false));
        ClickTimeZero();
        EXPECT_EQ(dialogsShown, 1);
        for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"gamma.txt"})
            ExpectUnchanged(name);
        Choose(L"Heure Zéro"); // asked again
    }
    EXPECT_EQ(dialogsShown, 2);
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(MainFormBatch, HeureZeroBoxTickedThenCancelStampsNothingButStopsAsking) {
    {
        ScopedModalRunner runner(AnswerTimeZero(true, false));
        ClickTimeZero();
    }
    EXPECT_EQ(dialogsShown, 1);
    for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"gamma.txt"})
        ExpectUnchanged(name);

    Select(L"gamma.txt");
    {
        ScopedModalRunner runner(AnswerTimeZero(false, false)); // would cancel, were it asked
        ClickTimeZero();
    }
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls.count(L"gamma.txt"), 1u);
    EXPECT_FALSE(SameTime(OnDisk(L"gamma.txt").LastWrite, kOldStamp));
}

TEST_F(MainFormBatch, HeureZeroBoxTickedThenRegleStampsWithoutAskingAlsoAfterARestart) {
    {
        ScopedModalRunner runner(AnswerTimeZero(true, true));
        ClickTimeZero();
    }
    EXPECT_EQ(recorder.calls.size(), 3u);
    RestartWindow();
    EXPECT_FALSE(StoredSettings().FirstZero);

    for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"gamma.txt"})
        EXPECT_TRUE(WriteStamps(folder / name, kOldStamp, kOldStamp, kOldStamp));
    RelistNow();
    recorder.calls.clear();
    {
        ScopedModalRunner runner(AnswerTimeZero(false, false));
        ClickTimeZero();
    }
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(recorder.calls.size(), 3u);
    const SYSTEMTIME today = Today();
    EXPECT_TRUE(
        SameTime(OnDisk(L"alpha.txt").LastWrite, UtcOfLocal(today.wYear, today.wMonth, today.wDay, 0, 0, 0)));
}

TEST_F(MainFormBatch, RememberedDateTimeChoiceComesBackAfterARestart) {
    RestartWindowWith([](SettingsRecord& settings) { settings.SaveDate = true; });
    {
        ScopedModalRunner runner(
            ChooseDateTime(Day(2012, 2, 29), Day(2012, 2, 29, 8, 15, 45), {Stamp::Creation}));
        ClickDateTime();
    }
    RestartWindow();
    ASSERT_TRUE(StoredSettings().SaveDate);
    CivilTime opened;
    bool creation = false, modification = true, access = true;
    {
        ScopedModalRunner runner([&](Form& shown) {
            auto& dialog = dynamic_cast<TDateHeure&>(shown);
            opened = dialog.PickedDateTime();
            creation = dialog.Stamps.CheckCreation.Checked();
            modification = dialog.Stamps.CheckModification.Checked();
            access = dialog.Stamps.CheckAcces.Checked();
            dialog.BtnCancel.Click();
        });
        ClickDateTime();
    }
    EXPECT_EQ(opened, (CivilTime{2012, 2, 29, 8, 15, 45, 0}));
    EXPECT_TRUE(creation);
    EXPECT_FALSE(modification);
    EXPECT_FALSE(access);
}

TEST_F(MainFormBatch, WithoutSaveDateAnAcceptedChoiceIsNotRemembered) {
    RestartWindowWith([](SettingsRecord& settings) { settings.SaveDate = false; });
    {
        ScopedModalRunner runner(
            ChooseDateTime(Day(2012, 2, 29), Day(2012, 2, 29, 8, 15, 45), {Stamp::Creation}));
        ClickDateTime();
    }
    // Even asked now, nothing was kept from that choice.
    RestartWindowWith([](SettingsRecord& settings) { settings.SaveDate = true; });
    const SYSTEMTIME today = Today();
    CivilTime opened;
    bool allChecked = false;
    {
        ScopedModalRunner runner([&](Form& shown) {
            auto& dialog = dynamic_cast<TDateHeure&>(shown);
            opened = dialog.PickedDateTime();
            allChecked = dialog.Stamps.CheckCreation.Checked() && dialog.Stamps.CheckModification.Checked() &&
                         dialog.Stamps.CheckAcces.Checked();
            dialog.BtnCancel.Click();
        });
        ClickDateTime();
    }
    EXPECT_EQ(opened.Year, today.wYear);
    EXPECT_EQ(opened.Month, today.wMonth);
    EXPECT_TRUE(allChecked);
}

TEST_F(MainFormBatch, ASessionEndingWaitsForTheBatchThenStopsItAfterItsCurrentFileWithTheJournalWhole) {
    for (int i = 0; i < 40; ++i)
        folder.MakeFile(L"f" + std::to_wstring(i) + L".txt", "x");
    RelistNow();
    std::atomic<int> done{0};
    LRESULT query = TRUE, queryAfter = FALSE;
    int doneAtEnd = -1;
    bool endedInJournal = false;
    std::optional<std::wstring> reason;
    // The system, once the batch runs: it asks whether the session may end, then ends it anyway.
    Timer session;
    session.SetInterval(150);
    session.OnTimer = [&] {
        session.SetEnabled(false);
        using Query = BOOL(WINAPI*)(HWND, LPWSTR, DWORD*);
        // Wine keeps no reasons: only Windows can tell it.
        if (const auto queryReason = reinterpret_cast<Query>(reinterpret_cast<void*>(
                ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "ShutdownBlockReasonQuery")))) {
            wchar_t text[256] = {};
            DWORD size = 256;
            reason = queryReason(form->Handle(), text, &size) ? text : L"";
        }
        query = ::SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        ::SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        doneAtEnd = done;
        const JournalSummary summary = form->Batches().Journal().Summary().Summary;
        endedInJournal = !summary.Batches.empty() && summary.Batches.back().Finished;
    };
    form->Batches().RunOnSelection(L"Essai", [&](const BatchFiles&) {
        return BatchWork{L"Essai", 0, [](size_t, const std::wstring&) { return PlannedFile(); },
                         [&](size_t, const std::wstring&, const PlannedFile&) {
                             ::Sleep(20);
                             ++done;
                             return FileOutcome();
                         }};
    });
    queryAfter = ::SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_EQ(reason.value_or(L"Kavet24 termine une opération"), L"Kavet24 termine une opération");
    EXPECT_EQ(query, FALSE) << "the batch holds the session's end";
    EXPECT_GT(doneAtEnd, 0);
    EXPECT_LT(doneAtEnd, 43);
    EXPECT_EQ(done, doneAtEnd) << "stopped after the file it was doing, before the session ended";
    EXPECT_TRUE(endedInJournal) << "the batch's end is in the journal before the session ends";
    EXPECT_NE(queryAfter, FALSE);
    EXPECT_NE(Status(2).find(L"non traités (opération arrêtée)"), std::wstring::npos);
}
