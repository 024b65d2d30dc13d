// The stamping operations that take their dates from elsewhere, and operations that reach into the
// subfolders, end to end on real files from the main window, each undone afterwards.
#include "app/BatchPreviewForm.h"
#include "app/MainForm.h"
#include "MainFormFixture.h"
#include "base/FileTimeTicks.h"
#include "operations/dialogs/CameraClockForm.h"
#include "operations/dialogs/BatchReportForm.h"
#include "operations/dialogs/ConfirmationForm.h"
#include "operations/dialogs/FromTreeForm.h"
#include "operations/dialogs/NameDateForm.h"
#include "operations/dialogs/StampChoiceForm.h"
#include "operations/dialogs/UndoForm.h"
#include "support/logic/ExifImages.h"
#include "support/logic/MediaFiles.h"
#include "support/win/Days.h"
#include "support/win/FileStamps.h"
#include "support/win/ScratchRegistryKey.h"
#include "support/win/TempFolder.h"
#include "ui/ExceptionDisplay.h"
#include "ui/MessageBox.h"
#include "ui/ModalRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <tuple>
#include <map>
#include <string>
#include <vector>

namespace {

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME OfTicks(uint64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

std::vector<std::wstring> SortedNamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names = NamesIn(folder);
    std::sort(names.begin(), names.end());
    return names;
}

const FILETIME kBefore = OfTicks(130'000'000'000'000'000ull + 1234567);

class MainFormMoreStamps : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        boxAnswer = IDYES;
        journalFolder = journal.Path();
    }

    std::wstring Make(const std::wstring& name, const std::string& contents = "x") {
        const std::wstring path = folder.MakeFile(name, contents);
        EXPECT_TRUE(WriteStamps(path, kBefore, kBefore, kBefore));
        return path;
    }
    // Last write and last access of every file under the folder, by relative name.
    std::map<std::wstring, std::pair<uint64_t, uint64_t>> Disk(const std::wstring& under = L"") const {
        std::map<std::wstring, std::pair<uint64_t, uint64_t>> files;
        for (const std::wstring& name : NamesIn(folder / under)) {
            const std::wstring relative = under.empty() ? name : under + L"\\" + name;
            if (::GetFileAttributesW((folder / relative).c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
                files.merge(Disk(relative));
                continue;
            }
            const std::optional<DiskStamps> stamps = ReadStamps(folder / relative);
            files[relative] = {stamps ? Ticks(stamps->LastWrite) : 0, stamps ? Ticks(stamps->LastAccess) : 0};
        }
        return files;
    }

    // Ticks the stamps of `mask` in the stamp dialog, keeps its texts, accepts what comes after.
    ModalRunner Answer(StampSet mask) {
        return [this, mask](Form& shown) {
            if (auto* stamps = dynamic_cast<StampChoiceForm*>(&shown)) {
                boxTexts = {stamps->Stamps.CheckCreation.Text(), stamps->Stamps.CheckModification.Text(),
                            stamps->Stamps.CheckAcces.Text()};
                stamps->Stamps.SetChecked(mask);
                stamps->BtnOk.Click();
            } else if (auto* named = dynamic_cast<NameDateForm*>(&shown)) {
                shownPattern = named->EditPattern.Text();
                named->Stamps.SetChecked(mask);
                named->EditPattern.SetText(pattern);
                (mask.Empty() ? named->BtnCancel : named->BtnOk).Click();
            } else if (auto* tree = dynamic_cast<FromTreeForm*>(&shown)) {
                // Each folder typed in turn: those refused leave the dialog open for the next.
                for (const std::wstring& typed : treeFolders) {
                    tree->EditFolder.SetText(typed);
                    tree->Stamps.SetChecked(mask);
                    tree->BtnOk.Click();
                }
            } else if (auto* confirm = dynamic_cast<ConfirmationForm*>(&shown)) {
                confirm->BtnOk.Click();
            } else if (auto* undo = dynamic_cast<UndoForm*>(&shown)) {
                undo->BtnUndo.Click();
            } else if (auto* report = dynamic_cast<BatchReportForm*>(&shown)) {
                for (int row = 0; row < report->List.RowCount(); ++row)
                    reported.push_back(report->List.CellText(row, 0) + L": " + report->List.CellText(row, 2));
                report->BtnClose.Click();
            }
        };
    }
    void Run(const wchar_t* item, StampSet mask = {}) {
        ScopedModalRunner runner(Answer(mask));
        EXPECT_TRUE(Choose(item)) << "no such menu item";
    }

    TempFolder journal;
    std::vector<std::wstring> boxTexts;
    std::vector<std::wstring> reported;
    // The file-name date dialog's pattern: the one it showed, the one typed in (cancelled when no
    // stamp is asked).
    std::wstring shownPattern;
    std::wstring pattern;
    // The folders typed into "Copier les dates d'une autre arborescence", then OK, one after the other.
    std::vector<std::wstring> treeFolders;
};

TEST_F(MainFormMoreStamps, DatesOfAnotherFileGoExactlyIntoTheChosenStampsAndComeBackOnUndo) {
    Make(L"one.txt");
    Make(L"two.txt");
    TempFolder elsewhere;
    // Exact to the 100 ns, one in summer time, one in winter time.
    const FILETIME write = OfTicks(Ticks(UtcOfLocal(2019, 7, 1, 12, 0, 0)) + 7654321);
    const FILETIME access = OfTicks(Ticks(UtcOfLocal(2018, 12, 1, 8, 0, 0)) + 1);
    const std::wstring reference = outside.MakeFile(L"modèle.txt");
    // Its creation as its write time: some file systems keep no creation date of their own and
    // show the write time instead.
    ASSERT_TRUE(WriteStamps(reference, write, access, write));
    OpenWindow();
    const auto before = Disk();
    std::wstring askedIn;
    form->PickReferenceFile = [&](HWND, const std::wstring& start) {
        askedIn = start;
        return std::optional<std::wstring>(reference);
    };

    Run(L"Dates d'un autre fichier...", kAllStamps);
    EXPECT_EQ(askedIn, folder.Path());
    ASSERT_EQ(boxTexts.size(), 3u);
    EXPECT_NE(boxTexts[1].find(L"Date de modification : "), std::wstring::npos) << boxTexts[1];
    for (const auto& [name, stamps] : Disk()) {
        EXPECT_EQ(stamps.first, Ticks(write)) << name;
        EXPECT_EQ(stamps.second, Ticks(access)) << name;
    }
    EXPECT_EQ(reported, std::vector<std::wstring>());

    Run(L"Annuler la dernière opération");
    EXPECT_EQ(Disk(), before);
}

TEST_F(MainFormMoreStamps, PhotoDateStampsEachPhotoFromItsExifDateAndReportsTheOthers) {
    // Summer time in Paris, written without an offset: the camera's clock is local time.
    Make(L"été.jpg", Jpeg(Tiff(false, {}, {{0x9003, "2021:06:15 10:20:30"}})));
    // An offset makes the instant exact, whatever this computer's zone.
    Make(L"hiver.TIF", Tiff(true, {{0x0132, "2000:01:01 00:00:00"}},
                            {{0x9003, "2021:01:10 08:00:00"}, {0x9011, "-05:00"}}));
    Make(L"sans date.jpg", Jpeg(Tiff(true, {}, {{0x010F, "Appareil"}})));
    // Its Exif data behind 120 KB of other segments: read past the first reading.
    std::string distant = Jpeg(Tiff(false, {}, {{0x9003, "2020:02:02 02:02:02"}}));
    for (int i = 0; i < 2; ++i)
        distant.insert(20, std::string("\xFF\xE2\xEA\x62", 4) + std::string(60000, 'x'));
    Make(L"loin.jpg", distant);
    Make(L"notes.txt", "pas une image");
    OpenWindow();
    const auto before = Disk();

    Run(L"Date de prise de vue (photos)", {Stamp::Creation, Stamp::LastWrite});
    const auto after = Disk();
    EXPECT_EQ(after.at(L"été.jpg").first, Ticks(UtcOfLocal(2021, 6, 15, 10, 20, 30)));
    EXPECT_EQ(after.at(L"hiver.TIF").first, Ticks(UtcFileTime(2021, 1, 10, 13, 0, 0)));
    EXPECT_EQ(after.at(L"loin.jpg").first, Ticks(UtcOfLocal(2020, 2, 2, 2, 2, 2)));
    EXPECT_EQ(after.at(L"été.jpg").second, Ticks(kBefore)) << "access not chosen";
    EXPECT_EQ(after.at(L"sans date.jpg"), before.at(L"sans date.jpg"));
    EXPECT_EQ(after.at(L"notes.txt"), before.at(L"notes.txt"));
    EXPECT_EQ(reported, (std::vector<std::wstring>{L"notes.txt: ni photo ni vidéo reconnue",
                                                   L"sans date.jpg: aucune date de prise de vue"}));

    Run(L"Annuler la dernière opération");
    EXPECT_EQ(Disk(), before);
}

TEST_F(MainFormMoreStamps, PhotoDateReadsVideosAndHeicPhotos) {
    // 2019-12-31 23:59:59 UTC in the movie header, from 1904; a phone's QuickTime date with its offset.
    Make(L"clip.mp4", Video("isom", MovieHeader(1, 3660681599)));
    Make(L"film.mov",
         Video("qt  ", MovieHeader(0, 3660681599) + CreationDateMeta("2023-04-15T14:30:22+0200", false)));
    Make(L"photo.HEIC", Heif("heic", Tiff(false, {}, {{0x9003, "2022:08:01 09:10:11"}}), true));
    OpenWindow();
    const auto before = Disk();

    Run(L"Date de prise de vue (photos)", {Stamp::LastWrite});
    const auto after = Disk();
    EXPECT_EQ(after.at(L"clip.mp4").first, Ticks(UtcFileTime(2019, 12, 31, 23, 59, 59)));
    EXPECT_EQ(after.at(L"film.mov").first, Ticks(UtcFileTime(2023, 4, 15, 12, 30, 22)));
    EXPECT_EQ(after.at(L"photo.HEIC").first, Ticks(UtcOfLocal(2022, 8, 1, 9, 10, 11)));
    EXPECT_EQ(reported, std::vector<std::wstring>());

    Run(L"Annuler la dernière opération");
    EXPECT_EQ(Disk(), before);
}

TEST_F(MainFormMoreStamps, CameraClockShiftsThatCamerasPhotosByTheTimeTypedAndPreviewsThemByCamera) {
    const std::string canon =
        Tiff(false, {{0x010F, "Canon"}, {0x0110, "Canon EOS 80D"}}, {{0x9003, "2021:06:15 10:20:30"}});
    const std::wstring reference = Make(L"b canon.jpg", Jpeg(canon));
    Make(L"a canon.tif", canon);
    Make(L"nikon.jpg", Jpeg(Tiff(true, {{0x010F, "NIKON CORPORATION"}, {0x0110, "NIKON D7500"}}, {})));
    Make(L"notes.txt", "pas une image");
    OpenWindow();
    const auto before = Disk();
    form->PickReferenceFile = [&](HWND, const std::wstring&) {
        return std::optional<std::wstring>(reference);
    };

    // The item has an access key of its own in its menu.
    HMENU options = ::GetSubMenu(::GetMenu(Window()), 2);
    std::vector<wchar_t> keys;
    for (int i = 0; i < ::GetMenuItemCount(options); ++i) {
        wchar_t text[256] = {};
        ::GetMenuStringW(options, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        if (const wchar_t* amp = std::wcschr(text, L'&'))
            keys.push_back(static_cast<wchar_t>(std::towupper(amp[1])));
    }
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << "an access key used twice";
    EXPECT_GE(keys.size(), 13u);

    std::vector<std::wstring> labels;
    SYSTEMTIME shownDate{};
    std::vector<std::wstring> previewed;
    ScopedModalRunner runner([&](Form& shown) {
        if (auto* dialog = dynamic_cast<CameraClockForm*>(&shown)) {
            labels = {dialog->LabelPhoto.Text(), dialog->LabelCamera.Text(), dialog->LabelTaken.Text()};
            shownDate = dialog->DatePicker.Value();
            // Really taken at 11:22:30: the camera's clock is 1 h 02 min behind.
            dialog->TimePicker.SetValue(Day(2021, 6, 15, 11, 22, 30));
            dialog->Stamps.SetChecked({Stamp::LastWrite});
            dialog->BtnPreview.Click();
            dialog->BtnOk.Click();
        } else if (auto* preview = dynamic_cast<BatchPreviewForm*>(&shown)) {
            for (int wait = 0; wait < 500 && preview->CountLabel.Text().starts_with(L"Analyse"); ++wait) {
                Application::ProcessMessages();
                ::Sleep(10);
            }
            for (int row = 0; row < preview->List.RowCount(); ++row)
                previewed.push_back(preview->List.CellText(row, 0) + L" | " + preview->List.CellText(row, 1) +
                                    L" | " + preview->List.CellText(row, 4) + L" | " +
                                    preview->List.CellText(row, 5));
            preview->BtnClose.Click();
        } else {
            Answer({})(shown);
        }
    });
    EXPECT_TRUE(Choose(L"Recaler l'horloge d'un appareil..."));

    EXPECT_EQ(labels, (std::vector<std::wstring>{L"Photo : « b canon.jpg »", L"Appareil : Canon EOS 80D",
                                                 L"Prise de vue selon l'appareil : 15/06/2021 10:20:30"}));
    EXPECT_EQ(std::make_tuple(shownDate.wYear, shownDate.wMonth, shownDate.wDay),
              std::make_tuple(2021, 6, 15));
    EXPECT_EQ(
        previewed,
        (std::vector<std::wstring>{
            L"a canon.tif | Canon EOS 80D | +01:02:00 | ",
            L"b canon.jpg | Canon EOS 80D | +01:02:00 | ",
            L"nikon.jpg | NIKON CORPORATION NIKON D7500 |  | autre appareil (NIKON CORPORATION NIKON D7500)",
            L"notes.txt |  |  | aucun appareil indiqué",
        }));
    const uint64_t hourAndTwo = 62ull * 60 * 10'000'000;
    const auto after = Disk();
    EXPECT_EQ(after.at(L"a canon.tif").first, Ticks(kBefore) + hourAndTwo);
    EXPECT_EQ(after.at(L"b canon.jpg").first, Ticks(kBefore) + hourAndTwo);
    EXPECT_EQ(after.at(L"a canon.tif").second, Ticks(kBefore)) << "access not chosen";
    EXPECT_EQ(after.at(L"nikon.jpg"), before.at(L"nikon.jpg"));
    EXPECT_EQ(reported,
              (std::vector<std::wstring>{L"nikon.jpg: autre appareil (NIKON CORPORATION NIKON D7500)",
                                         L"notes.txt: aucun appareil indiqué"}));

    EXPECT_TRUE(Choose(L"Annuler la dernière opération"));
    EXPECT_EQ(Disk(), before);
}

TEST_F(MainFormMoreStamps, NameDateStampsFromEachNameThenByTheRememberedPattern) {
    Make(L"IMG_20230415_143022.jpg");
    Make(L"Scan 20240102 page 1.tif");
    Make(L"notes.txt");
    OpenWindow();
    const auto before = Disk();

    Run(L"Date du nom de fichier...", {Stamp::LastWrite});
    EXPECT_EQ(shownPattern, L"");
    EXPECT_EQ(Disk().at(L"IMG_20230415_143022.jpg"),
              std::make_pair(Ticks(UtcOfLocal(2023, 4, 15, 14, 30, 22)), Ticks(kBefore)));
    EXPECT_EQ(reported, (std::vector<std::wstring>{L"notes.txt: aucune date dans le nom",
                                                   L"Scan 20240102 page 1.tif: aucune date dans le nom"}));

    reported.clear();
    pattern = L"Scan AAAAMMJJ*";
    Run(L"Date du nom de fichier...", {Stamp::LastWrite, Stamp::LastAccess});
    EXPECT_EQ(Disk().at(L"Scan 20240102 page 1.tif"),
              std::make_pair(Ticks(UtcOfLocal(2024, 1, 2, 0, 0, 0)), Ticks(UtcOfLocal(2024, 1, 2, 0, 0, 0))));
    Run(L"Date du nom de fichier...", {});
    EXPECT_EQ(shownPattern, L"Scan AAAAMMJJ*") << "remembered";

    for (int undo = 0; undo < 2; ++undo)
        Run(L"Annuler la dernière opération");
    EXPECT_EQ(Disk(), before);
}

TEST_F(MainFormMoreStamps, SubfoldersThreeLevelsDeepThroughTheMaskWithoutFollowingAJunction) {
    Make(L"Racine.jpg");
    Make(L"lisez.txt");
    folder.MakeFolder(L"sous");
    Make(L"sous\\Photo.jpg");
    folder.MakeFolder(L"sous\\plus");
    Make(L"sous\\plus\\deux.JPG");
    Make(L"sous\\plus\\note.txt");
    folder.MakeFolder(L"sous\\plus\\fond");
    Make(L"sous\\plus\\fond\\trois.jpg");
    outside.MakeFile(L"dehors.jpg");
    ASSERT_TRUE(MakeJunction(folder / L"lien", outside.Path())) << ::GetLastError();
    OpenWindow();
    TypeAndEnter(MaskBox(Window()), L"*.jpg");
    Choose(L"Inclure les sous-dossiers");
    EXPECT_TRUE(Checked(L"Inclure les sous-dossiers"));
    const auto before = Disk();

    Run(L"Majuscules");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"4 fichiers dans 4 dossiers"), std::wstring::npos) << boxes[0];
    // Only the files' own names change; the folders keep theirs.
    EXPECT_EQ(SortedNamesIn(folder.Path()),
              (std::vector<std::wstring>{L"RACINE.JPG", L"lien", L"lisez.txt", L"sous"}));
    EXPECT_EQ(SortedNamesIn(folder / L"sous"), (std::vector<std::wstring>{L"PHOTO.JPG", L"plus"}));
    EXPECT_EQ(SortedNamesIn(folder / L"sous\\plus"),
              (std::vector<std::wstring>{L"DEUX.JPG", L"fond", L"note.txt"}));
    EXPECT_EQ(SortedNamesIn(folder / L"sous\\plus\\fond"), std::vector<std::wstring>{L"TROIS.JPG"});
    EXPECT_EQ(SortedNamesIn(outside.Path()), std::vector<std::wstring>{L"dehors.jpg"});

    Run(L"Annuler la dernière opération");
    EXPECT_EQ(Disk(), before);
    EXPECT_EQ(reported, std::vector<std::wstring>());
    // The choice is kept for the next run.
    RestartWindow();
    EXPECT_TRUE(Checked(L"Inclure les sous-dossiers"));
}

} // namespace

TEST_F(MainFormMoreStamps, FromTreeDatesTheWholeTreeFromTheFolderTypedAfterRefusingOneInsideIt) {
    Make(L"a.txt");
    Make(L"extra.txt");
    folder.MakeFolder(L"sub");
    Make(L"sub\\b.txt");
    const FILETIME write = OfTicks(Ticks(UtcOfLocal(2016, 8, 1, 10, 0, 0)) + 4321);
    outside.MakeFolder(L"sub");
    for (const wchar_t* name : {L"a.txt", L"sub\\b.txt"})
        outside.MakeFile(name);
    for (const wchar_t* name : {L"a.txt", L"sub\\b.txt", L"sub"})
        ASSERT_TRUE(WriteStamps(outside / name, write, write, write));
    OpenWindow();
    // A file of the list selected: the whole tree is dated all the same.
    ListSelectRow(List(), 0);
    const auto before = Disk();
    const uint64_t folderBefore = Ticks(ReadStamps(folder / L"sub")->LastWrite);
    treeFolders = {folder / L"sub", outside.Path()};

    Run(L"Copier les dates d'une autre arborescence...", {Stamp::LastWrite});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"est dans le dossier affiché"), std::wstring::npos) << boxes[0];
    const auto after = Disk();
    for (const wchar_t* name : {L"a.txt", L"sub\\b.txt"}) {
        EXPECT_EQ(after.at(name).first, Ticks(write)) << name;
        EXPECT_EQ(after.at(name).second, Ticks(kBefore)) << "access not chosen: " << name;
    }
    EXPECT_EQ(after.at(L"extra.txt"), before.at(L"extra.txt"));
    EXPECT_EQ(Ticks(ReadStamps(folder / L"sub")->LastWrite), Ticks(write));
    EXPECT_EQ(reported, std::vector<std::wstring>{L"extra.txt: aucun fichier correspondant"});

    Run(L"Annuler la dernière opération");
    EXPECT_EQ(Disk(), before);
    EXPECT_EQ(Ticks(ReadStamps(folder / L"sub")->LastWrite), folderBefore);
}
