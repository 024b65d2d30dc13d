// Undo from the main window, end to end on real files: each operation taken back exactly (names,
// attributes, stamps to the 100 ns), after a restart and after a crash that cut the journal, and a
// file changed by another program left alone unless the user asks otherwise; an undo itself undone,
// and an undo cut short finished at the next start.
#include "MainFormFixture.h"

#include "operations/dialogs/BatchReportForm.h"
#include "operations/dialogs/ConfirmationForm.h"
#include "operations/dialogs/CopyStampForm.h"
#include "operations/dialogs/DateHeureForm.h"
#include "operations/dialogs/ShiftForm.h"
#include "operations/dialogs/UndoForm.h"
#include "support/win/FileStamps.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TempFolder.h"
#include "ui/ExceptionDisplay.h"
#include "ui/MessageBox.h"
#include "ui/ModalRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

// A file's name, settable attributes and stamps, as the disk has them.
struct FileState {
    std::wstring Name;
    DWORD Attributes = 0;
    uint64_t Creation = 0, Access = 0, Write = 0;
    bool operator==(const FileState&) const = default;
};

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME OddTime(int seconds) {
    // An odd count of 100-ns ticks: only an exact restore gives it back.
    const uint64_t ticks =
        130'000'000'000'000'000ull + static_cast<uint64_t>(seconds) * 10'000'000ull + 1234567;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

class MainFormUndo : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        boxAnswer = IDYES;
        journalFolder = journal.Path();
        int i = 0;
        for (const wchar_t* name : {L"Alpha.txt", L"bêta.TXT", L"gamma.txt"}) {
            folder.MakeFile(name, "contents");
            ++i;
            EXPECT_TRUE(WriteStamps(folder / name, OddTime(i), OddTime(10 + i), OddTime(20 + i)));
        }
        ::SetFileAttributesW((folder / L"Alpha.txt").c_str(),
                             FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        OpenWindow();
        ASSERT_EQ(ListCount(List()), 3);
    }

    // Another window on the test folder, as another run of the program would open.
    void Reopen() {
        OpenWindowOnStoredSettings();
        ASSERT_EQ(ListCount(List()), 3);
    }
    void RestartWindow() {
        form->Close();
        Reopen();
    }

    std::map<std::wstring, FileState> Disk() const {
        std::map<std::wstring, FileState> files;
        for (const std::wstring& name : NamesIn(folder.Path())) {
            const std::optional<DiskStamps> stamps = ReadStamps(folder / name);
            files[name] =
                FileState{name, ::GetFileAttributesW((folder / name).c_str()) & 0x7,
                          stamps ? Ticks(stamps->Creation) : 0, stamps ? Ticks(stamps->LastAccess) : 0,
                          stamps ? Ticks(stamps->LastWrite) : 0};
        }
        return files;
    }

    // Answers every window a batch or an undo shows: the date-time dialog sets 15/06/2015 10:30:00
    // in all three stamps, the shift dialog moves the last write and access 400 days and 2 hours
    // back, the copy gives the modification date to the creation and access dates, confirmations
    // are accepted, the undo window takes the row asked for (the
    // one it chose when none is), and the report's rows are kept.
    ModalRunner Answer(int undoRow = -1, bool evenIfChanged = false) {
        return [this, undoRow, evenIfChanged](Form& shown) {
            if (auto* dialog = dynamic_cast<TDateHeure*>(&shown)) {
                SYSTEMTIME date{2015, 6, 0, 15, 10, 30, 0, 0};
                dialog->DatePicker.SetValue(date);
                dialog->TimePicker.SetValue(date);
                dialog->Stamps.CheckCreation.SetChecked(true);
                dialog->Stamps.CheckModification.SetChecked(true);
                dialog->Stamps.CheckAcces.SetChecked(true);
                dialog->BtnOk.Click();
            } else if (auto* shift = dynamic_cast<ShiftForm*>(&shown)) {
                shift->RadioBackward.Click();
                shift->EditDays.SetText(L"400");
                shift->EditHours.SetText(L"2");
                shift->Stamps.CheckCreation.SetChecked(false);
                shift->BtnOk.Click();
            } else if (auto* copy = dynamic_cast<CopyStampForm*>(&shown)) {
                copy->Targets.CheckAcces.SetChecked(true);
                copy->BtnOk.Click();
            } else if (auto* confirm = dynamic_cast<ConfirmationForm*>(&shown)) {
                confirm->BtnOk.Click();
            } else if (auto* undo = dynamic_cast<UndoForm*>(&shown)) {
                states.clear();
                for (int row = 0; row < undo->List.RowCount(); ++row)
                    states.push_back(undo->List.CellText(row, 3));
                if (undoRow >= 0)
                    undo->ChooseRow(undoRow);
                undo->CheckEvenIfChanged.SetChecked(evenIfChanged);
                undo->BtnUndo.Click();
            } else if (auto* report = dynamic_cast<BatchReportForm*>(&shown)) {
                for (int row = 0; row < report->List.RowCount(); ++row)
                    reported.push_back(report->List.CellText(row, 0) + L": " + report->List.CellText(row, 2));
                report->BtnClose.Click();
            }
        };
    }
    // The journal's bytes, to cut them as a power cut would.
    std::string JournalText() const {
        std::ifstream in(std::filesystem::path(journal / L"journal.txt"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteJournal(const std::string& text) const {
        std::ofstream(std::filesystem::path(journal / L"journal.txt"), std::ios::binary | std::ios::trunc)
            << text;
    }

    void Undo(int undoRow = -1, bool evenIfChanged = false) {
        ScopedModalRunner runner(Answer(undoRow, evenIfChanged));
        Click(L"Annuler la dernière opération");
    }

    TempFolder journal;
    std::vector<std::wstring> reported;
    // The undo window's "État" column, top row first, when it was last shown.
    std::vector<std::wstring> states;
};

TEST_F(MainFormUndo, EachOperationIsTakenBackExactly) {
    const std::map<std::wstring, FileState> before = Disk();
    for (const wchar_t* button :
         {L"Date-Heure", L"Heure Zéro", L"Majuscules", L"Minuscules", L"Maj-minuscules"}) {
        SCOPED_TRACE(button);
        {
            ScopedModalRunner runner(Answer());
            Click(button);
        }
        ASSERT_NE(Disk(), before) << "the operation changed the files";
        Undo();
        EXPECT_EQ(Disk(), before);
    }
    EXPECT_EQ(reported, std::vector<std::wstring>());
}

TEST_F(MainFormUndo, AfterACrashTheCutBatchIsOfferedAndEveryWholeRecordUndone) {
    const std::map<std::wstring, FileState> before = Disk();
    {
        ScopedModalRunner runner(Answer());
        Click(L"Date-Heure");
    }
    const std::map<std::wstring, FileState> stamped = Disk();
    form.reset();
    // As after a power cut: the end line never written, the last file line cut in the middle.
    std::string text = JournalText();
    const size_t last = text.rfind("\nfichier\t");
    ASSERT_NE(last, std::string::npos);
    text.resize(last + 30);
    WriteJournal(text);

    boxes.clear();
    Reopen();
    form->Batches().OfferUndoAfterCrash();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"Date-Heure"), std::wstring::npos);
    // The cut record is the last file's, which keeps what the batch gave it.
    const std::map<std::wstring, FileState> after = Disk();
    EXPECT_EQ(after.at(L"Alpha.txt"), before.at(L"Alpha.txt"));
    EXPECT_EQ(after.at(L"bêta.TXT"), before.at(L"bêta.TXT"));
    EXPECT_EQ(after.at(L"gamma.txt"), stamped.at(L"gamma.txt"));

    RestartWindow();
    form->Batches().OfferUndoAfterCrash();
    EXPECT_EQ(boxes.size(), 1u) << "asked once";
}

TEST_F(MainFormUndo, AFileChangedSinceIsLeftAloneAndReportedUnlessAskedOtherwise) {
    const std::map<std::wstring, FileState> before = Disk();
    {
        ScopedModalRunner runner(Answer());
        Click(L"Date-Heure");
    }
    RestartWindow();
    ASSERT_TRUE(WriteStamps(folder / L"gamma.txt", OddTime(99), OddTime(99), OddTime(99)));
    const FileState changed = Disk().at(L"gamma.txt");
    Undo();
    EXPECT_EQ(Disk().at(L"Alpha.txt"), before.at(L"Alpha.txt"));
    EXPECT_EQ(Disk().at(L"gamma.txt"), changed);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find(L"gamma.txt: modifié depuis l'opération"), std::wstring::npos) << reported[0];

    // The first batch again, second in the list below its undo, restoring every file.
    Undo(1, true);
    EXPECT_EQ(Disk(), before);
}

TEST_F(MainFormUndo, AnAttributeSetSinceIsKeptAndReportedAndAFileAlreadyAsBeforeCountsApart) {
    const std::map<std::wstring, FileState> before = Disk();
    {
        ScopedModalRunner runner(Answer());
        Click(L"Date-Heure");
    }
    RestartWindow();
    // Since the batch, the user made gamma read-only and gave bêta its dates back by hand.
    ASSERT_TRUE(::SetFileAttributesW((folder / L"gamma.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    const FileState readOnly = Disk().at(L"gamma.txt");
    ASSERT_TRUE(WriteStamps(folder / L"bêta.TXT", OddTime(2), OddTime(12), OddTime(22)));
    ASSERT_EQ(Disk().at(L"bêta.TXT"), before.at(L"bêta.TXT"));
    Undo();
    EXPECT_EQ(Disk().at(L"Alpha.txt"), before.at(L"Alpha.txt")) << "its own attributes stay";
    EXPECT_EQ(Disk().at(L"gamma.txt"), readOnly);
    EXPECT_EQ(reported, std::vector<std::wstring>{
                            L"gamma.txt: modifié depuis l'opération, laissé tel quel (attributs)"});
    EXPECT_EQ(Status(2), L"1 fichier modifié, 1 non modifié, 1 déjà comme avant");
}

TEST_F(MainFormUndo, AnUndoTakenBackLeavesItsBatchInEffectForCtrlZ) {
    const std::map<std::wstring, FileState> before = Disk();
    {
        ScopedModalRunner runner(Answer());
        Click(L"Date-Heure");
    }
    const std::map<std::wstring, FileState> stamped = Disk();
    Undo();
    Undo(0); // the undo, top of the list
    ASSERT_EQ(Disk(), stamped);
    Undo(); // the row Ctrl+Z chooses
    EXPECT_EQ(states, (std::vector<std::wstring>{L"", L"annulée", L""})) << "the batch is in effect again";
    EXPECT_EQ(Disk(), before);
}

TEST_F(MainFormUndo, AnUndoCutShortIsFinishedAtTheNextStartThoughOtherBatchesFollowedIt) {
    const std::map<std::wstring, FileState> before = Disk();
    {
        ScopedModalRunner runner(Answer());
        Click(L"Date-Heure");
    }
    const std::map<std::wstring, FileState> stamped = Disk();
    Undo();
    form.reset();
    // As after a power cut during the undo: gamma not yet put back, the undo's end line missing.
    const FileState& gamma = stamped.at(L"gamma.txt");
    const auto time = [](uint64_t ticks) {
        return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    };
    ASSERT_TRUE(
        WriteStamps(folder / L"gamma.txt", time(gamma.Creation), time(gamma.Access), time(gamma.Write)));
    std::string text = JournalText();
    const size_t end = text.rfind("fin\t");
    ASSERT_NE(end, std::string::npos);
    text.resize(end);
    WriteJournal(text);
    // Then a batch and its undo, both finished, from another copy of the program.
    Reopen();
    {
        ScopedModalRunner runner(Answer());
        Click(L"Majuscules");
    }
    Undo();

    boxes.clear();
    RestartWindow();
    form->Batches().OfferUndoAfterCrash();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"pendant l'annulation de « Date-Heure »"), std::wstring::npos) << boxes[0];
    EXPECT_NE(boxes[0].find(L"finir cette annulation"), std::wstring::npos) << boxes[0];
    EXPECT_EQ(Disk(), before);
    EXPECT_EQ(Status(2), L"1 fichier modifié, 2 déjà comme avant");

    RestartWindow();
    form->Batches().OfferUndoAfterCrash();
    EXPECT_EQ(boxes.size(), 1u) << "asked once";
}

TEST_F(MainFormUndo, AFileLeftUnderItsTemporaryNameIsNamedWhenTheOfferIsDeclinedAndGivenBackWhenAccepted) {
    const std::map<std::wstring, FileState> before = Disk();
    {
        ScopedModalRunner runner(Answer());
        Click(L"Majuscules");
    }
    form.reset();
    // As after a power cut between gamma's two moves: it is under the temporary name the journal
    // gave it, and the batch's end line is missing.
    std::string text = JournalText();
    const size_t gamma = text.find("gamma.txt\tGAMMA.TXT\t");
    ASSERT_NE(gamma, std::string::npos);
    const size_t tilde = text.find("~kavet-", gamma);
    ASSERT_NE(tilde, std::string::npos);
    const std::string temporary = text.substr(tilde, text.find('\t', tilde) - tilde);
    const std::wstring temporaryName(temporary.begin(), temporary.end());
    ASSERT_TRUE(::MoveFileExW((folder / L"GAMMA.TXT").c_str(), (folder / temporaryName).c_str(), 0));
    text.resize(text.rfind("fin\t"));
    WriteJournal(text);

    boxes.clear();
    SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        return IDNO;
    });
    Reopen();
    form->Batches().OfferUndoAfterCrash();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[1].find(L"« gamma.txt » porte maintenant le nom"), std::wstring::npos) << boxes[1];
    EXPECT_NE(boxes[1].find(temporaryName), std::wstring::npos) << boxes[1];

    // Declined, the batch stays in the list; its undo finds gamma under the temporary name.
    SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        return IDYES;
    });
    Undo();
    EXPECT_EQ(Disk(), before);
}

} // namespace
