// The built program started with operation arguments, as a script starts it: its printed lines,
// its exit code and the files on disk, with its undo journal kept in a folder of the test's own.
#include "base/FileTimeTicks.h"
#include "base/Utf8Text.h"
#include "support/logic/ExifImages.h"
#include "support/logic/MediaFiles.h"
#include "support/win/FileStamps.h"
#include "support/win/ScratchDrive.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;
using Names = std::set<std::wstring>;

// The program's path; a Unix path under Wine is reached through its Z: drive.
std::wstring ProgramPath() {
    std::wstring path = L"" KAVET_EXE;
    if (path.starts_with(L"/"))
        path = L"Z:" + path;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

class CommandLineRun : public ::testing::Test {
protected:
    void SetUp() override {
        ::SetEnvironmentVariableW(L"KAVET24_JOURNAL_FOLDER", journal.Path().c_str());
        for (const wchar_t* name : {L"alpha.jpg", L"Beta.JPG", L"notes.txt"}) {
            folder.MakeFile(name);
            ASSERT_TRUE(WriteStamps(folder / name, Old(), Old(), Old()));
        }
    }
    void TearDown() override { ::SetEnvironmentVariableW(L"KAVET24_JOURNAL_FOLDER", nullptr); }

    static FILETIME Old() { return UtcFileTime(2010, 1, 15, 12, 0, 0); }

    struct Result {
        DWORD Exit = 0;
        Lines Printed;
    };
    // Runs the program with `arguments` in the test folder, its output into a pipe.
    Result Run(const std::wstring& arguments) const {
        return Start(L"\"" + ProgramPath() + L"\" " + arguments);
    }
    // Runs the batch file `lines` as a user's script runs: through cmd, from a folder with a space.
    Result RunScript(const std::string& lines) const {
        const std::wstring script = folder.MakeFile(L"Mes Photos\\run.bat", lines);
        return Start(L"cmd.exe /c \"" + script + L"\"");
    }
    Result Start(std::wstring command) const {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
        EXPECT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherit, 0));
        ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd;
        startup.hStdError = writeEnd;
        PROCESS_INFORMATION process{};
        const BOOL started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                              folder.Path().c_str(), &startup, &process);
        ::CloseHandle(writeEnd);
        Result result;
        EXPECT_TRUE(started) << ProgramPath();
        std::string bytes;
        char buffer[4096];
        DWORD read = 0;
        while (started && ::ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            bytes.append(buffer, read);
        ::CloseHandle(readEnd);
        if (started) {
            EXPECT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
            ::GetExitCodeProcess(process.hProcess, &result.Exit);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
        const std::optional<std::wstring> text = WideFromUtf8(bytes);
        EXPECT_TRUE(text) << "output not in UTF-8";
        for (size_t start = 0; text && start < text->size();) {
            const size_t end = text->find(L"\r\n", start);
            result.Printed.push_back(text->substr(start, end - start));
            start = end == std::wstring::npos ? text->size() : end + 2;
        }
        return result;
    }
    std::wstring Quoted(const std::wstring& path) const { return L"\"" + path + L"\""; }
    Names Disk() const {
        const Lines names = NamesIn(folder.Path());
        return Names(names.begin(), names.end());
    }
    DiskStamps OnDisk(const std::wstring& name) const {
        return ReadStamps(folder / name).value_or(DiskStamps{});
    }
    bool Untouched(const std::wstring& name) const {
        const DiskStamps stamps = OnDisk(name);
        return SameTime(stamps.LastWrite, Old()) && SameTime(stamps.LastAccess, Old());
    }

    TempFolder folder;
    TempFolder journal;
};

// The fields of a line of /journal.
std::vector<std::wstring> Fields(const std::wstring& line) {
    std::vector<std::wstring> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::wstring::npos)
            return fields;
        start = tab + 1;
    }
}

} // namespace

TEST_F(CommandLineRun, DateSetsTheChosenStampsOfTheFolderFilesTheMaskTakes) {
    const Result run = Run(L"/date:\"2025-03-30 23:22:33\" -STAMPS=ma /mask:*.jpg " + Quoted(folder.Path()));
    EXPECT_EQ(run.Exit, 0u);
    EXPECT_EQ(run.Printed, (Lines{L"alpha.jpg : modifié", L"Beta.JPG : modifié", L"2 fichiers modifiés"}));
    // Summer time began that morning in Paris: the local date-time stands for 21:22:33 UTC.
    for (const wchar_t* name : {L"alpha.jpg", L"Beta.JPG"}) {
        EXPECT_TRUE(SameTime(OnDisk(name).LastWrite, UtcFileTime(2025, 3, 30, 21, 22, 33))) << name;
        EXPECT_TRUE(SameTime(OnDisk(name).LastAccess, UtcFileTime(2025, 3, 30, 21, 22, 33))) << name;
    }
    EXPECT_TRUE(Untouched(L"notes.txt"));
}

TEST_F(CommandLineRun, StampOperationsChangeTheNamedFilesOnDisk) {
    EXPECT_EQ(Run(L"/shift:-1.02:00:00 /stamps:m alpha.jpg").Exit, 0u);
    EXPECT_TRUE(SameTime(OnDisk(L"alpha.jpg").LastWrite, UtcFileTime(2010, 1, 14, 10, 0, 0)));
    EXPECT_TRUE(SameTime(OnDisk(L"alpha.jpg").LastAccess, Old()));

    const Result copy = Run(L"/copy:m>a alpha.jpg");
    EXPECT_EQ(copy.Exit, 0u);
    EXPECT_EQ(copy.Printed, (Lines{L"alpha.jpg : modifié", L"1 fichier modifié"}));
    EXPECT_TRUE(SameTime(OnDisk(L"alpha.jpg").LastAccess, UtcFileTime(2010, 1, 14, 10, 0, 0)));

    EXPECT_EQ(Run(L"-zero " + Quoted(folder / L"*.txt")).Exit, 0u);
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    const FILETIME midnight = UtcOfLocal(today.wYear, today.wMonth, today.wDay, 0, 0, 0);
    EXPECT_TRUE(SameTime(OnDisk(L"notes.txt").LastWrite, midnight));
    EXPECT_TRUE(SameTime(OnDisk(L"notes.txt").LastAccess, midnight));
    EXPECT_TRUE(Untouched(L"Beta.JPG"));
}

TEST_F(CommandLineRun, ShiftOfTheModificationDateIsUndoneWhereTheVolumeShowsItAsTheCreationDate) {
    // Where a volume keeps no creation date (Wine on Linux, a Samba share), it shows the
    // modification date in its place: that one moves with the shift, and comes back with its undo.
    const FILETIME created = OnDisk(L"alpha.jpg").Creation;
    EXPECT_EQ(Run(L"/shift:+01:00:00 /stamps:m alpha.jpg").Exit, 0u);
    EXPECT_TRUE(SameTime(OnDisk(L"alpha.jpg").LastWrite, UtcFileTime(2010, 1, 15, 13, 0, 0)));
    const Result undo = Run(L"/undo");
    EXPECT_EQ(undo.Exit, 0u);
    ASSERT_FALSE(undo.Printed.empty());
    EXPECT_EQ(undo.Printed.back(), L"1 fichier modifié");
    EXPECT_TRUE(Untouched(L"alpha.jpg"));
    EXPECT_TRUE(SameTime(OnDisk(L"alpha.jpg").Creation, created));
}

TEST_F(CommandLineRun, NameOperationsRenameAndUndoGivesTheNamesBack) {
    EXPECT_EQ(Run(L"/upper .").Exit, 0u);
    EXPECT_EQ(Disk(), (Names{L"ALPHA.JPG", L"BETA.JPG", L"NOTES.TXT"}));
    EXPECT_EQ(Run(L"/first *.JPG").Exit, 0u);
    EXPECT_EQ(Disk(), (Names{L"Alpha.jpg", L"Beta.jpg", L"NOTES.TXT"}));
    EXPECT_EQ(Run(L"/LOWER NOTES.TXT").Exit, 0u);
    EXPECT_EQ(Disk(), (Names{L"Alpha.jpg", L"Beta.jpg", L"notes.txt"}));

    // Undo takes back the newest batch first, as the window's Ctrl+Z does.
    const Result undo = Run(L"/undo");
    EXPECT_EQ(undo.Exit, 0u);
    EXPECT_EQ(undo.Printed.back(), L"1 fichier modifié");
    EXPECT_EQ(Run(L"/undo").Exit, 0u);
    EXPECT_EQ(Run(L"/undo").Exit, 0u);
    EXPECT_EQ(Disk(), (Names{L"alpha.jpg", L"Beta.JPG", L"notes.txt"}));
    EXPECT_TRUE(Untouched(L"Beta.JPG"));
}

TEST_F(CommandLineRun, DryRunListsWhatWouldChangeAndChangesNothing) {
    ::MoveFileW((folder / L"notes.txt").c_str(), (folder / L"tmp.txt").c_str());
    ::MoveFileW((folder / L"tmp.txt").c_str(), (folder / L"NOTES.TXT").c_str());
    const Result run = Run(L"/upper /dryrun " + Quoted(folder.Path()));
    EXPECT_EQ(run.Exit, 0u);
    EXPECT_EQ(run.Printed,
              (Lines{L"alpha.jpg → ALPHA.JPG", L"Beta.JPG → BETA.JPG", L"NOTES.TXT : déjà comme demandé",
                     L"2 fichiers seraient modifiés, 1 déjà comme demandé"}));
    EXPECT_EQ(Disk(), (Names{L"alpha.jpg", L"Beta.JPG", L"NOTES.TXT"}));
    EXPECT_EQ(NamesIn(journal.Path()), Lines{});
}

TEST_F(CommandLineRun, FileHeldByAnotherProgramIsLeftAloneAndTheExitCodeSaysSo) {
    HANDLE held = ::CreateFileW((folder / L"Beta.JPG").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Result run = Run(L"/date:\"2024-01-01 08:00:00\" alpha.jpg Beta.JPG");
    ::CloseHandle(held);
    EXPECT_EQ(run.Exit, 1u);
    EXPECT_EQ(run.Printed, (Lines{L"alpha.jpg : modifié",
                                  L"Beta.JPG : non modifié : fichier utilisé par un autre programme",
                                  L"1 fichier modifié, 1 non modifié"}));
    EXPECT_TRUE(Untouched(L"Beta.JPG"));
    EXPECT_TRUE(SameTime(OnDisk(L"alpha.jpg").LastWrite, UtcFileTime(2024, 1, 1, 7, 0, 0)));
}

TEST_F(CommandLineRun, BadArgumentsPrintOneLineAndTouchNothing) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"/foo .", L"option inconnue « /foo »"},
        {L"/date:\"2025-02-30 10:00:00\" .", L"date invalide « 2025-02-30 10:00:00 » (attendu AAAA-MM-JJ "
                                             L"hh:mm:ss, suivi au besoin de Z ou +hh:mm)"},
        {L"/upper", L"aucun fichier ni dossier donné"},
        {L"/upper /lower .", L"une seule opération à la fois : « /upper » et « /lower »"},
        {L"/upper alpha.jpg missing.jpg", L"chemin introuvable « missing.jpg »"},
        {L"/zero missing\\*.jpg", L"dossier introuvable « missing\\*.jpg »"},
    };
    for (const auto& [arguments, message] : cases) {
        const Result run = Run(arguments);
        EXPECT_EQ(run.Exit, 2u) << arguments;
        EXPECT_EQ(run.Printed, Lines{L"Kavet24 : " + message + L" (Kavet24 /? pour l'aide)"});
    }
    EXPECT_EQ(Disk(), (Names{L"alpha.jpg", L"Beta.JPG", L"notes.txt"}));
    EXPECT_TRUE(Untouched(L"alpha.jpg"));
    EXPECT_EQ(NamesIn(journal.Path()), Lines{});

    const Result help = Run(L"/?");
    EXPECT_EQ(help.Exit, 0u);
    ASSERT_FALSE(help.Printed.empty());
    EXPECT_EQ(help.Printed[0],
              L"Kavet24 : change les dates ou la casse du nom de fichiers, sans ouvrir la fenêtre.");
}

TEST_F(CommandLineRun, FilesOfSeveralFoldersAreNamedFromTheirCommonFolderAndUndoneTogether) {
    folder.MakeFolder(L"sub");
    folder.MakeFile(L"sub\\deep.txt");
    ASSERT_TRUE(WriteStamps(folder / L"sub\\deep.txt", Old(), Old(), Old()));
    const Result run = Run(L"/date:\"2024-01-01 08:00:00\" sub\\deep.txt " + Quoted(folder / L"notes.txt"));
    EXPECT_EQ(run.Exit, 0u);
    EXPECT_EQ(run.Printed,
              (Lines{L"notes.txt : modifié", L"sub\\deep.txt : modifié", L"2 fichiers modifiés"}));
    EXPECT_FALSE(Untouched(L"sub\\deep.txt"));
    EXPECT_EQ(Run(L"/undo").Exit, 0u);
    EXPECT_TRUE(Untouched(L"sub\\deep.txt"));
    EXPECT_TRUE(Untouched(L"notes.txt"));
}

TEST_F(CommandLineRun, RecurseFromAndExifReachTheirFilesAndUndoTakesThemBack) {
    folder.MakeFolder(L"sous");
    folder.MakeFolder(L"sous\\fond");
    folder.MakeFile(L"sous\\fond\\photo.jpg", Jpeg(Tiff(false, {}, {{0x9003, "2021:06:15 10:20:30"}})));
    ASSERT_TRUE(WriteStamps(folder / L"sous\\fond\\photo.jpg", Old(), Old(), Old()));

    const Result upper = Run(L"/upper /recurse /mask:*.jpg .");
    EXPECT_EQ(upper.Exit, 0u);
    EXPECT_EQ(upper.Printed, (Lines{L"alpha.jpg : modifié", L"Beta.JPG : modifié",
                                    L"sous\\fond\\photo.jpg : modifié", L"3 fichiers modifiés"}));
    EXPECT_EQ(NamesIn(folder / L"sous"), Lines{L"fond"});
    EXPECT_EQ(NamesIn(folder / L"sous\\fond"), Lines{L"PHOTO.JPG"});
    EXPECT_EQ(Run(L"/undo").Exit, 0u);
    EXPECT_EQ(NamesIn(folder / L"sous\\fond"), Lines{L"photo.jpg"});

    // The photo's own date; the text file has none and says so.
    const Result exif = Run(L"/exif /stamps:m sous\\fond\\photo.jpg notes.txt");
    EXPECT_EQ(exif.Exit, 1u);
    EXPECT_EQ(exif.Printed, (Lines{L"notes.txt : non modifié : ni photo ni vidéo reconnue",
                                   L"sous\\fond\\photo.jpg : modifié", L"1 fichier modifié, 1 non modifié"}));
    EXPECT_TRUE(SameTime(OnDisk(L"sous\\fond\\photo.jpg").LastWrite, UtcOfLocal(2021, 6, 15, 10, 20, 30)));
    EXPECT_TRUE(SameTime(OnDisk(L"sous\\fond\\photo.jpg").LastAccess, Old()));

    EXPECT_EQ(Run(L"/from:sous\\fond\\photo.jpg /stamps:m alpha.jpg").Exit, 0u);
    EXPECT_TRUE(SameTime(OnDisk(L"alpha.jpg").LastWrite, UtcOfLocal(2021, 6, 15, 10, 20, 30)));
    EXPECT_EQ(Run(L"/from:absent.jpg alpha.jpg").Exit, 2u);
}

TEST_F(CommandLineRun, CameraLimitsTheShiftToThatCamerasPhotosAndNeedsAShift) {
    const std::string canon = Tiff(false, {{0x010F, "Canon"}, {0x0110, "Canon EOS 80D"}}, {});
    const std::string nikon = Tiff(true, {{0x010F, "NIKON CORPORATION"}, {0x0110, "NIKON D7500"}}, {});
    for (const auto& [name, bytes] :
         {std::pair{L"canon.jpg", Jpeg(canon)}, std::pair{L"nikon.jpg", Jpeg(nikon)}}) {
        folder.MakeFile(name, bytes);
        ASSERT_TRUE(WriteStamps(folder / name, Old(), Old(), Old()));
    }

    const Result shifted = Run(L"/shift:+01:02:00 \"/camera: canon  eos 80d \" /stamps:m .");
    EXPECT_EQ(shifted.Exit, 1u);
    EXPECT_EQ(
        shifted.Printed,
        (Lines{L"alpha.jpg : non modifié : aucun appareil indiqué",
               L"Beta.JPG : non modifié : aucun appareil indiqué", L"canon.jpg : modifié",
               L"nikon.jpg : non modifié : autre appareil (NIKON CORPORATION NIKON D7500)",
               L"notes.txt : non modifié : aucun appareil indiqué", L"1 fichier modifié, 4 non modifiés"}));
    EXPECT_EQ(FileTimeTicks(OnDisk(L"canon.jpg").LastWrite), FileTimeTicks(Old()) + 62ull * 60 * 10'000'000);
    EXPECT_TRUE(Untouched(L"nikon.jpg"));
    const Result journal = Run(L"/journal");
    ASSERT_GE(journal.Printed.size(), 1u);
    EXPECT_NE(journal.Printed[0].find(L"Recaler l'horloge (canon  eos 80d, +1 h 02 min)"), std::wstring::npos)
        << journal.Printed[0];
    EXPECT_EQ(Run(L"/undo").Exit, 0u);
    EXPECT_TRUE(Untouched(L"canon.jpg"));

    for (const wchar_t* alone : {L"/camera:Canon canon.jpg", L"/exif /camera:Canon canon.jpg"}) {
        const Result refused = Run(alone);
        EXPECT_EQ(refused.Exit, 2u) << alone;
        ASSERT_EQ(refused.Printed.size(), 1u) << alone;
        EXPECT_NE(refused.Printed[0].find(L"/camera"), std::wstring::npos) << refused.Printed[0];
    }
    EXPECT_TRUE(Untouched(L"canon.jpg"));
}

TEST_F(CommandLineRun, ExifReadsVideosAndHeicPhotosAndUndoTakesThemBack) {
    const std::string heic =
        Heif("heic", Tiff(false, {}, {{0x9003, "2022:08:01 05:40:11"}, {0x9011, "+02:00"}}), true);
    // 2019-12-31 23:59:59 UTC in seconds from 1904; then a phone's QuickTime date with its offset.
    const std::string mp4 = Video("isom", MovieHeader(1, 3660681599));
    const std::string mov =
        Video("qt  ", MovieHeader(0, 3660681599) + CreationDateMeta("2023-04-15T14:30:22+0200", false));
    for (const auto& [name, bytes] :
         {std::pair{L"photo.heic", heic}, std::pair{L"clip.mp4", mp4}, std::pair{L"film.MOV", mov}}) {
        folder.MakeFile(name, bytes);
        ASSERT_TRUE(WriteStamps(folder / name, Old(), Old(), Old()));
    }

    const Result exif = Run(L"/exif /stamps:m photo.heic clip.mp4 film.MOV");
    EXPECT_EQ(exif.Exit, 0u);
    EXPECT_EQ(FileTimeTicks(OnDisk(L"photo.heic").LastWrite),
              FileTimeTicks(UtcFileTime(2022, 8, 1, 3, 40, 11)));
    EXPECT_EQ(FileTimeTicks(OnDisk(L"clip.mp4").LastWrite),
              FileTimeTicks(UtcFileTime(2019, 12, 31, 23, 59, 59)));
    EXPECT_EQ(FileTimeTicks(OnDisk(L"film.MOV").LastWrite),
              FileTimeTicks(UtcFileTime(2023, 4, 15, 12, 30, 22)));
    EXPECT_EQ(Run(L"/undo").Exit, 0u);
    for (const wchar_t* name : {L"photo.heic", L"clip.mp4", L"film.MOV"})
        EXPECT_TRUE(Untouched(name)) << name;
}

// The names a run prints a line for, whatever it says of them.
Names NamesPrinted(const Lines& printed) {
    Names names;
    for (const std::wstring& line : printed)
        if (const size_t colon = line.find(L" : "); colon != std::wstring::npos)
            names.insert(line.substr(0, colon));
    return names;
}

TEST_F(CommandLineRun, PatternsTakeWhatTheWindowsMaskTakesAndNoDotFiles) {
    // Names the platform's own matching would also take, through short names or a "?" that
    // matches nothing, and the "._" files a Mac leaves on a memory card.
    folder.MakeFolder(L"carte");
    folder.MakeFolder(L"carte\\sous");
    for (const wchar_t* name : {L"IMG_0001.JPG", L"IMG_0001.JPG_old", L"IMG_001.JPG", L"._IMG_0001.JPG",
                                L"scan.tif", L"scan.tiff", L"sous\\IMG_0002.JPG", L"sous\\._IMG_0002.JPG"})
        folder.MakeFile(std::wstring(L"carte\\") + name);
    const std::pair<std::wstring, Names> cases[] = {
        {L"carte\\*.tif", {L"scan.tif"}},
        {L"carte\\*.jpg", {L"IMG_0001.JPG", L"IMG_001.JPG"}},
        {L"carte\\IMG_00??.JPG", {L"IMG_0001.JPG"}},
        {L"/mask:*.tif carte\\*.ti*", {L"scan.tif"}},
        {L"/recurse carte\\*.jpg", {L"IMG_0001.JPG", L"IMG_001.JPG", L"sous\\IMG_0002.JPG"}},
        {L"carte", {L"IMG_0001.JPG", L"IMG_0001.JPG_old", L"IMG_001.JPG", L"scan.tif", L"scan.tiff"}},
        {L"carte\\._IMG_0001.JPG", {L"._IMG_0001.JPG"}},
    };
    for (const auto& [arguments, expected] : cases) {
        const Result run = Run(L"/zero /dryrun " + arguments);
        EXPECT_EQ(run.Exit, 0u) << arguments;
        EXPECT_EQ(NamesPrinted(run.Printed), expected) << arguments;
    }
}

TEST_F(CommandLineRun, RecurseNamesEachLinkToAFolderItLeavesOut) {
    TempFolder outside;
    outside.MakeFile(L"dehors.jpg");
    ASSERT_TRUE(MakeJunction(folder / L"lien", outside.Path()));
    const Result run = Run(L"/upper /dryrun /recurse /mask:*.jpg .");
    EXPECT_EQ(run.Exit, 0u);
    EXPECT_EQ(run.Printed,
              (Lines{L"Kavet24 : lien vers un dossier laissé de côté « " + (folder / L"lien") + L" »",
                     L"alpha.jpg → ALPHA.JPG", L"Beta.JPG → BETA.JPG", L"2 fichiers seraient modifiés"}));
}

TEST_F(CommandLineRun, BatchFileNamesItsOwnFolderWithAnExactInstant) {
    folder.MakeFolder(L"Mes Photos");
    for (const wchar_t* name : {L"Mes Photos\\un.jpg", L"Mes Photos\\deux.txt"}) {
        folder.MakeFile(name);
        ASSERT_TRUE(WriteStamps(folder / name, Old(), Old(), Old()));
    }
    // "%~dp0" ends in a backslash before its closing quote; the switches after it are still read.
    const std::string program = Utf8FromWide(ProgramPath());
    const Result run = RunScript("@\"" + program +
                                 "\" /date:2024-07-01T10:00:00+05:30 /stamps:m \"%~dp0\" /mask:*.jpg\r\n"
                                 "@exit /b %ERRORLEVEL%\r\n");
    EXPECT_EQ(run.Exit, 0u);
    EXPECT_EQ(run.Printed, (Lines{L"un.jpg : modifié", L"1 fichier modifié"}));
    EXPECT_TRUE(SameTime(OnDisk(L"Mes Photos\\un.jpg").LastWrite, UtcFileTime(2024, 7, 1, 4, 30, 0)));
    EXPECT_TRUE(SameTime(OnDisk(L"Mes Photos\\un.jpg").LastAccess, Old()));
    EXPECT_TRUE(SameTime(OnDisk(L"Mes Photos\\deux.txt").LastWrite, Old()));

    EXPECT_EQ(Run(L"/date:2024-07-01T10:00:00Z alpha.jpg").Exit, 0u);
    EXPECT_TRUE(SameTime(OnDisk(L"alpha.jpg").LastWrite, UtcFileTime(2024, 7, 1, 10, 0, 0)));
}

TEST_F(CommandLineRun, DashNamesAFileAfterTheSwitchesAndNothingMatchedExitsThree) {
    folder.MakeFile(L"-2024-archive.jpg");
    ASSERT_TRUE(WriteStamps(folder / L"-2024-archive.jpg", Old(), Old(), Old()));
    const Result dash = Run(L"/zero -- -2024-archive.jpg");
    EXPECT_EQ(dash.Exit, 0u);
    EXPECT_EQ(dash.Printed, (Lines{L"-2024-archive.jpg : modifié", L"1 fichier modifié"}));

    for (const wchar_t* arguments : {L"/zero *.png", L"/zero /mask:*.png /dryrun ."}) {
        const Result none = Run(arguments);
        EXPECT_EQ(none.Exit, 3u) << arguments;
        ASSERT_FALSE(none.Printed.empty()) << arguments;
        EXPECT_EQ(none.Printed[0], L"Kavet24 : aucun fichier ne correspond aux chemins donnés");
    }
    EXPECT_TRUE(Untouched(L"alpha.jpg"));
}

TEST_F(CommandLineRun, NameTakesTheDateEachNameGivesOrTheUsersPattern) {
    const wchar_t* names[] = {L"IMG_20230415_143022.jpg",
                              L"WhatsApp Image 2026-08-31 at 15.41.14.jpeg",
                              L"IMG-20190330-WA0002.jpg",
                              L"PXL_20240102_101530123.jpg",
                              L"VID_20230101_120000 copie du 2024-05-06 10.00.00.mp4",
                              L"sans date.jpg",
                              L"IMG_20231332_101010.jpg",
                              L"Scan 20240102 page 1.tif"};
    folder.MakeFolder(L"noms");
    for (const wchar_t* name : names) {
        folder.MakeFile(std::wstring(L"noms\\") + name);
        ASSERT_TRUE(WriteStamps(folder / (std::wstring(L"noms\\") + name), Old(), Old(), Old()));
    }
    const Result run = Run(L"/name /stamps:m noms");
    EXPECT_EQ(run.Exit, 1u);
    EXPECT_EQ(NamesPrinted(run.Printed).size(), 8u);
    const auto printed = [&run](const std::wstring& line) {
        return std::find(run.Printed.begin(), run.Printed.end(), line) != run.Printed.end();
    };
    EXPECT_TRUE(printed(L"sans date.jpg : non modifié : aucune date dans le nom"));
    EXPECT_TRUE(printed(L"IMG_20231332_101010.jpg : non modifié : aucune date dans le nom")) << "month 13";
    EXPECT_TRUE(printed(L"Scan 20240102 page 1.tif : non modifié : aucune date dans le nom"));
    EXPECT_TRUE(printed(L"VID_20230101_120000 copie du 2024-05-06 10.00.00.mp4 : remarque : le nom porte une "
                        L"autre date, non retenue : la première est prise"));
    const auto written = [this](const std::wstring& name) { return OnDisk(L"noms\\" + name).LastWrite; };
    EXPECT_TRUE(SameTime(written(L"IMG_20230415_143022.jpg"), UtcOfLocal(2023, 4, 15, 14, 30, 22)));
    EXPECT_TRUE(SameTime(written(L"WhatsApp Image 2026-08-31 at 15.41.14.jpeg"),
                         UtcOfLocal(2026, 8, 31, 15, 41, 14)));
    EXPECT_TRUE(SameTime(written(L"IMG-20190330-WA0002.jpg"), UtcOfLocal(2019, 3, 30, 0, 0, 0)));
    const FILETIME pixel = FileTimeOfTicks(FileTimeTicks(UtcFileTime(2024, 1, 2, 10, 15, 30)) + 123 * 10'000);
    EXPECT_TRUE(SameTime(written(L"PXL_20240102_101530123.jpg"), pixel));
    EXPECT_TRUE(SameTime(written(L"VID_20230101_120000 copie du 2024-05-06 10.00.00.mp4"),
                         UtcOfLocal(2023, 1, 1, 12, 0, 0)));
    EXPECT_TRUE(SameTime(OnDisk(L"noms\\IMG_20230415_143022.jpg").LastAccess, Old())) << "/stamps:m";

    // A pattern of the user's own, for the name no known form reads.
    const Result scan = Run(L"/name:\"Scan AAAAMMJJ*\" /stamps:ma \"noms\\Scan 20240102 page 1.tif\"");
    EXPECT_EQ(scan.Exit, 0u);
    EXPECT_TRUE(SameTime(written(L"Scan 20240102 page 1.tif"), UtcOfLocal(2024, 1, 2, 0, 0, 0)));
    EXPECT_EQ(Run(L"/undo").Exit, 0u);
    EXPECT_TRUE(SameTime(written(L"Scan 20240102 page 1.tif"), Old()));
    EXPECT_EQ(Run(L"/name:IMG noms").Exit, 2u) << "a pattern without a date";
}

TEST_F(CommandLineRun, RunOverTwoDrivesIsOneOperationThatUndoTakesBackWhole) {
    TempFolder stick;
    stick.MakeFile(L"other.txt");
    ASSERT_TRUE(WriteStamps(stick / L"other.txt", Old(), Old(), Old()));
    ScratchDrive drive(L'Q', stick.Path());
    ASSERT_TRUE(drive.Ready());
    const Result run = Run(L"/date:\"2024-01-01 08:00:00\" /stamps:m alpha.jpg Q:\\other.txt");
    EXPECT_EQ(run.Exit, 0u);
    ASSERT_EQ(run.Printed.size(), 3u);
    // Named by their full paths: they share no folder.
    EXPECT_EQ(std::count(run.Printed.begin(), run.Printed.end(), L"Q:\\other.txt : modifié"), 1);
    EXPECT_EQ(std::count_if(run.Printed.begin(), run.Printed.end(),
                            [](const std::wstring& line) {
                                return std::regex_match(line,
                                                        std::wregex(LR"(.:\\.+\\alpha\.jpg : modifié)"));
                            }),
              1);
    EXPECT_EQ(run.Printed.back(), L"2 fichiers modifiés");

    const Result list = Run(L"/journal");
    EXPECT_EQ(list.Exit, 0u);
    ASSERT_EQ(list.Printed.size(), 1u);
    const std::vector<std::wstring> fields = Fields(list.Printed[0]);
    ASSERT_EQ(fields.size(), 6u) << list.Printed[0];
    EXPECT_EQ(fields[2], L"Date-Heure");
    EXPECT_EQ(std::vector<std::wstring>(fields.begin() + 3, fields.end()),
              (std::vector<std::wstring>{L"2 fichiers", L"annulable", L"(plusieurs lecteurs)"}));

    const Result undo = Run(L"/undo");
    EXPECT_EQ(undo.Exit, 0u);
    EXPECT_EQ(undo.Printed.front(), L"Annulation de « Date-Heure » dans « (plusieurs lecteurs) »");
    EXPECT_EQ(undo.Printed.back(), L"2 fichiers modifiés");
    EXPECT_TRUE(Untouched(L"alpha.jpg"));
    EXPECT_TRUE(SameTime(ReadStamps(stick / L"other.txt").value_or(DiskStamps{}).LastWrite, Old()));
    // The run is one line, now taken back; the undo is the newest.
    const Result after = Run(L"/journal");
    ASSERT_EQ(after.Printed.size(), 2u);
    EXPECT_EQ(Fields(after.Printed[1])[4], L"annulée");
    EXPECT_EQ(Fields(after.Printed[0])[4], L"annulable");
    const Result redo = Run(L"/undo:" + Fields(after.Printed[0])[0]);
    EXPECT_EQ(redo.Printed.back(), L"2 fichiers modifiés") << "the undo is undone whole too";
    EXPECT_FALSE(Untouched(L"alpha.jpg"));
}

TEST_F(CommandLineRun, UndoByNumberTakesBackAnOlderOperationButNotWhatLaterOnesChanged) {
    ASSERT_EQ(Run(L"/shift:+01:00:00 /stamps:m alpha.jpg Beta.JPG").Exit, 0u);
    ASSERT_EQ(Run(L"/date:\"2024-01-01 08:00:00\" /stamps:m Beta.JPG").Exit, 0u);
    ASSERT_EQ(Run(L"/upper notes.txt").Exit, 0u);
    const Result list = Run(L"/journal");
    ASSERT_EQ(list.Printed.size(), 3u);
    const std::vector<std::wstring> shift = Fields(list.Printed[2]);
    ASSERT_EQ(shift.size(), 6u);
    EXPECT_EQ(shift[3], L"2 fichiers");

    const Result undo = Run(L"/undo:" + shift[0]);
    EXPECT_EQ(undo.Exit, 1u);
    EXPECT_TRUE(Untouched(L"alpha.jpg"));
    EXPECT_TRUE(SameTime(OnDisk(L"Beta.JPG").LastWrite, UtcFileTime(2024, 1, 1, 7, 0, 0)));
    EXPECT_EQ(std::count_if(undo.Printed.begin(), undo.Printed.end(),
                            [](const std::wstring& line) {
                                return line.starts_with(
                                    L"Beta.JPG : non modifié : modifié depuis l'opération");
                            }),
              1)
        << testing::PrintToString(undo.Printed);
    EXPECT_EQ(Disk(), (Names{L"alpha.jpg", L"Beta.JPG", L"NOTES.TXT"}));

    // What cannot be undone is refused as a bad argument, and nothing is touched.
    const std::pair<std::wstring, std::wstring> refused[] = {
        {shift[0], L"Kavet24 : l'opération " + shift[0] + L" « " + shift[2] + L" » est déjà annulée"},
        {L"987654321", L"Kavet24 : aucune opération numéro 987654321 dans le journal d'annulation (Kavet24 "
                       L"/journal pour la liste)"},
        {L"x1", L"Kavet24 : numéro d'opération invalide « x1 » (attendu un numéro que donne /journal) "
                L"(Kavet24 /? pour l'aide)"},
    };
    for (const auto& [id, message] : refused) {
        const Result bad = Run(L"/undo:" + id);
        EXPECT_EQ(bad.Exit, 2u) << id;
        EXPECT_EQ(bad.Printed, Lines{message});
    }
    EXPECT_EQ(Run(L"/journal").Printed.size(), 4u);
    EXPECT_EQ(Disk(), (Names{L"alpha.jpg", L"Beta.JPG", L"NOTES.TXT"}));
}
