// The built console program (Kavet24.com) as cmd and batch files meet it: the exit code read on
// the next line, the per-file lines and errors on their own streams, Ctrl+Break stopping a run
// after the file at hand, the CSV, quiet, log and dry-run forms of its report; and the window
// program started when no operation is asked.
#include "base/Utf8Text.h"
#include "cmdline/CommandLine.h"
#include "cmdline/CommandRun.h"
#include "cmdline/ConsoleOutput.h"
#include "support/win/FileStamps.h"
#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

std::wstring WindowsPath(std::wstring path) {
    if (path.starts_with(L"/"))
        path = L"Z:" + path;
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

Lines SplitLines(const std::string& bytes) {
    const std::wstring text = WideFromUtf8(bytes).value_or(L"(not UTF-8)");
    Lines lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::wstring::npos ? text.size() : end + 2;
    }
    return lines;
}

std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    if (HANDLE file =
            ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
            bytes.append(buffer, read);
        ::CloseHandle(file);
    }
    return bytes;
}

Lines FileLines(const std::wstring& path) {
    return SplitLines(FileBytes(path));
}

// RFC 4180, strictly: every record ends with CRLF, a field holding a comma, a quote or a line
// break is quoted, its quotes doubled. None when the text breaks a rule.
std::optional<std::vector<Lines>> ParseCsv(const std::wstring& text) {
    std::vector<Lines> records;
    Lines record;
    std::wstring field;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == L'"') {
            for (++at;; ++at) {
                if (at >= text.size())
                    return std::nullopt;
                if (text[at] == L'"' && (at + 1 >= text.size() || text[at + 1] != L'"'))
                    break;
                if (text[at] == L'"')
                    ++at;
                field += text[at];
            }
            ++at;
        } else {
            while (at < text.size() && text[at] != L',' && text[at] != L'\r' && text[at] != L'\n' &&
                   text[at] != L'"')
                field += text[at++];
        }
        record.push_back(std::move(field));
        field.clear();
        if (text.compare(at, 2, L"\r\n") == 0) {
            records.push_back(std::move(record));
            record.clear();
            at += 2;
        } else if (at < text.size() && text[at] == L',') {
            ++at;
        } else {
            return std::nullopt;
        }
    }
    if (!record.empty())
        return std::nullopt;
    return records;
}

// A whole-second file time as the CSV writes it.
std::wstring IsoText(const FILETIME& time) {
    SYSTEMTIME utc{};
    ::FileTimeToSystemTime(&time, &utc);
    wchar_t text[32];
    std::swprintf(text, 32, L"%04u-%02u-%02uT%02u:%02u:%02uZ", utc.wYear, utc.wMonth, utc.wDay, utc.wHour,
                  utc.wMinute, utc.wSecond);
    return text;
}

class ConsoleProgram : public ::testing::Test {
protected:
    void SetUp() override { ::SetEnvironmentVariableW(L"KAVET24_JOURNAL_FOLDER", journal.Path().c_str()); }
    void TearDown() override { ::SetEnvironmentVariableW(L"KAVET24_JOURNAL_FOLDER", nullptr); }

    static std::wstring Com() { return WindowsPath(L"" KAVET_COM); }
    static FILETIME Old() { return UtcFileTime(2010, 1, 15, 12, 0, 0); }
    void MakeOldFile(const std::wstring& name) const {
        folder.MakeFile(name);
        ASSERT_TRUE(WriteStamps(folder / name, Old(), Old(), Old()));
    }
    bool Untouched(const std::wstring& name) const {
        return SameTime(ReadStamps(folder / name).value_or(DiskStamps{}).LastWrite, Old());
    }

    struct Result {
        DWORD Exit = 0;
        Lines Printed;
    };
    // Runs `command` in the test folder, its standard output and error into one pipe.
    Result Run(std::wstring command) const {
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
        EXPECT_TRUE(started) << command;
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
        result.Printed = SplitLines(bytes);
        return result;
    }
    // Runs the command line in this process, its output into a file, while `meanwhile` runs on
    // this thread; the printed lines.
    Lines RunInThisProcess(const std::vector<std::wstring>& arguments,
                           const std::function<void()>& meanwhile) {
        const std::wstring outPath = journal / L"out.txt";
        HANDLE out = ::CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        const HANDLE oldOut = ::GetStdHandle(STD_OUTPUT_HANDLE);
        const HANDLE oldError = ::GetStdHandle(STD_ERROR_HANDLE);
        ::SetStdHandle(STD_OUTPUT_HANDLE, out);
        ::SetStdHandle(STD_ERROR_HANDLE, out);
        {
            ConsoleOutput console;
            std::thread run(
                [&] { exitCode = CommandRun(console, journal.Path()).Run(ParseCommandLine(arguments)); });
            meanwhile();
            run.join();
        }
        ::SetStdHandle(STD_OUTPUT_HANDLE, oldOut);
        ::SetStdHandle(STD_ERROR_HANDLE, oldError);
        ::CloseHandle(out);
        return FileLines(outPath);
    }
    // Runs a batch file of these lines through cmd, as a user's script runs.
    Result RunBatch(const std::string& lines) const {
        folder.MakeFile(L"script.bat", "@echo off\r\n" + lines);
        return Run(L"cmd.exe /c \"" + (folder / L"script.bat") + L"\"");
    }
    std::string ComInBatch() const {
        // Appended rather than concatenated: GCC 12 at -O3 sees a false overlap in the latter.
        std::string quoted(1, '"');
        quoted += Utf8FromWide(Com());
        quoted += '"';
        return quoted;
    }

    TempFolder folder;
    TempFolder journal;
    int exitCode = -1;
};

} // namespace

TEST_F(ConsoleProgram, BatchFileReadsTheExitCodeOnTheNextLine) {
    MakeOldFile(L"photo.jpg");
    const Result run = RunBatch(ComInBatch() + " /zero photo.jpg\r\necho code=%ERRORLEVEL%\r\n" +
                                ComInBatch() + " /zero /bogus photo.jpg 2>nul\r\necho code=%ERRORLEVEL%\r\n");
    EXPECT_EQ(run.Printed, (Lines{L"photo.jpg : modifié", L"1 fichier modifié", L"code=0", L"code=2"}));
    EXPECT_FALSE(Untouched(L"photo.jpg"));
}

TEST_F(ConsoleProgram, ErrorsGoToStandardErrorAndTheFilesDoneToStandardOutput) {
    MakeOldFile(L"free.jpg");
    MakeOldFile(L"held.jpg");
    HANDLE held = ::CreateFileW((folder / L"held.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Result run =
        RunBatch(ComInBatch() + " /zero free.jpg held.jpg 1>out.txt 2>err.txt\r\necho code=%ERRORLEVEL%\r\n" +
                 ComInBatch() + " /zero /bogus free.jpg 1>>out.txt 2>>err.txt\r\necho code=%ERRORLEVEL%\r\n");
    ::CloseHandle(held);
    EXPECT_EQ(run.Printed, (Lines{L"code=1", L"code=2"}));
    EXPECT_EQ(FileLines(folder / L"out.txt"),
              (Lines{L"free.jpg : modifié", L"1 fichier modifié, 1 non modifié"}));
    EXPECT_EQ(FileLines(folder / L"err.txt"),
              (Lines{L"held.jpg : non modifié : fichier utilisé par un autre programme",
                     L"Kavet24 : option inconnue « /bogus » (Kavet24 /? pour l'aide)"}));
}

// Wine delivers no console control event (GenerateConsoleCtrlEvent fails there), so the run is
// made in this process and its handler called as Windows calls it, from another thread.
TEST_F(ConsoleProgram, CtrlBreakStopsAfterTheCurrentFileAndUndoTakesBackWhatWasDone) {
    constexpr int kFiles = 1500;
    const auto name = [](int i) { return L"f" + std::to_wstring(10000 + i) + L".txt"; };
    for (int i = 0; i < kFiles; ++i)
        MakeOldFile(name(i));
    const Lines printed = RunInThisProcess({L"/zero", folder.Path()}, [&] {
        while (Untouched(name(0)))
            ::Sleep(1);
        EXPECT_TRUE(StopAfterCurrentFile(CTRL_BREAK_EVENT));
    });
    ASSERT_GE(printed.size(), 2u);
    EXPECT_EQ(exitCode, 1);
    // Every file reached is printed, the rest counted: the whole run is accounted for.
    std::wsmatch count;
    ASSERT_TRUE(std::regex_match(
        printed.back(), count,
        std::wregex(L"(\\d+) fichiers? modifiés?, (\\d+) non traités? \\(opération arrêtée\\)")))
        << printed.back();
    const int done = std::stoi(count[1].str());
    EXPECT_EQ(done, static_cast<int>(printed.size()) - 1);
    EXPECT_EQ(done + std::stoi(count[2].str()), kFiles);
    EXPECT_TRUE(Untouched(name(kFiles - 1)));

    // The journal is whole: its undo changes back the files done and finds those noted ahead of
    // the stop as they were.
    const Result undo = Run(L"\"" + Com() + L"\" /undo");
    EXPECT_EQ(undo.Exit, 0u);
    EXPECT_TRUE(undo.Printed.back().starts_with(std::to_wstring(done) + L" fichier")) << undo.Printed.back();
    for (int i = 0; i < kFiles; ++i)
        EXPECT_TRUE(Untouched(name(i))) << i;
}

// The stop is asked again and again until the run has printed: the walk of a few hundred folders
// outlasts the first asks, so the stop lands in the walk, before the batch.
TEST_F(ConsoleProgram, CtrlCDuringTheSubfolderWalkChangesNothing) {
    constexpr int kFolders = 300;
    for (int i = 0; i < kFolders; ++i) {
        folder.MakeFolder(L"d" + std::to_wstring(i));
        MakeOldFile(L"d" + std::to_wstring(i) + L"\\f.txt");
    }
    const std::wstring out = journal / L"out.txt";
    const Lines printed = RunInThisProcess({L"/zero", L"/recurse", folder.Path()}, [&] {
        WIN32_FILE_ATTRIBUTE_DATA written{};
        for (int tries = 0; tries < 30000; ++tries) {
            StopAfterCurrentFile(CTRL_C_EVENT);
            if (::GetFileAttributesExW(out.c_str(), GetFileExInfoStandard, &written) &&
                written.nFileSizeLow > 0)
                break;
            ::Sleep(1);
        }
    });
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(printed, Lines{L"Kavet24 : recherche des fichiers arrêtée, aucun fichier n'est modifié"});
    for (int i = 0; i < kFolders; ++i)
        EXPECT_TRUE(Untouched(L"d" + std::to_wstring(i) + L"\\f.txt")) << i;
}

TEST_F(ConsoleProgram, CsvGivesEachFileItsResultAndItsNameAndStampsBeforeAndAfter) {
    const std::wstring names[] = {L"a,b c.jpg", L"été.jpg", L"held.jpg"};
    for (const std::wstring& name : names)
        MakeOldFile(name);
    HANDLE held = ::CreateFileW((folder / L"held.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // Alone, /csv takes standard output: the human lines of the files done are not there.
    const Result dated = RunBatch(ComInBatch() + " /date:2025-03-30T21:22:33Z /stamps:m /mask:*.jpg /csv . "
                                                 ">out.csv\r\necho code=%ERRORLEVEL%\r\n");
    ::CloseHandle(held);
    EXPECT_EQ(dated.Printed,
              (Lines{L"held.jpg : non modifié : fichier utilisé par un autre programme", L"code=1"}));
    const std::optional<std::vector<Lines>> rows =
        ParseCsv(WideFromUtf8(FileBytes(folder / L"out.csv")).value_or(L"(not UTF-8)"));
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 4u);
    EXPECT_EQ(rows->front(), (Lines{L"chemin", L"résultat", L"raison", L"création avant", L"création après",
                                    L"modification avant", L"modification après", L"accès avant",
                                    L"accès après", L"nom avant", L"nom après"}));
    std::map<std::wstring, Lines> byPath;
    for (size_t i = 1; i < rows->size(); ++i)
        byPath[(*rows)[i].front()] = (*rows)[i];
    for (const std::wstring& name : names) {
        const Lines& row = byPath[folder / name];
        ASSERT_EQ(row.size(), 11u) << name;
        const DiskStamps disk = ReadStamps(folder / name).value_or(DiskStamps{});
        const bool isHeld = name == L"held.jpg";
        EXPECT_EQ(row[1], isHeld ? L"non modifié" : L"modifié") << name;
        EXPECT_EQ(row[2], isHeld ? L"fichier utilisé par un autre programme" : L"") << name;
        EXPECT_EQ(row[5], L"2010-01-15T12:00:00Z") << name;
        EXPECT_EQ(row[6], isHeld ? L"2010-01-15T12:00:00Z" : L"2025-03-30T21:22:33Z") << name;
        EXPECT_EQ(row[4], IsoText(disk.Creation)) << name;
        EXPECT_EQ(row[6], IsoText(disk.LastWrite)) << name;
        EXPECT_EQ(row[8], IsoText(disk.LastAccess)) << name;
        EXPECT_EQ(row[9], name);
        EXPECT_EQ(row[10], name);
    }

    // /csv:FICHIER writes the file and leaves the console its lines; a case operation's names.
    const Result upper =
        RunBatch(ComInBatch() + " /upper /mask:*.jpg /csv:noms.csv .\r\necho code=%ERRORLEVEL%\r\n");
    EXPECT_EQ(upper.Printed, (Lines{L"a,b c.jpg : modifié", L"été.jpg : modifié", L"held.jpg : modifié",
                                    L"3 fichiers modifiés", L"code=0"}));
    const std::optional<std::vector<Lines>> renamed =
        ParseCsv(WideFromUtf8(FileBytes(folder / L"noms.csv")).value_or(L""));
    ASSERT_TRUE(renamed);
    ASSERT_EQ(renamed->size(), 4u);
    const std::wstring upperNames[] = {L"A,B C.JPG", L"ÉTÉ.JPG", L"HELD.JPG"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ((*renamed)[i + 1][9], names[i]);
        EXPECT_EQ((*renamed)[i + 1][10], upperNames[i]);
    }
}

TEST_F(ConsoleProgram, QuietPrintsTheFilesNotDoneAndTheCountAndTheLogKeepsThemRunAfterRun) {
    MakeOldFile(L"free.jpg");
    MakeOldFile(L"held.jpg");
    HANDLE held = ::CreateFileW((folder / L"held.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Result run =
        RunBatch(ComInBatch() + " /zero /quiet /log:run.log free.jpg held.jpg 1>out.txt 2>err.txt\r\n" +
                 ComInBatch() + " /zero /log:run.log free.jpg\r\necho code=%ERRORLEVEL%\r\n" + ComInBatch() +
                 " /zero /log:nowhere\\run.log free.jpg\r\necho code=%ERRORLEVEL%\r\n");
    ::CloseHandle(held);
    EXPECT_EQ(FileLines(folder / L"out.txt"), (Lines{L"1 fichier modifié, 1 non modifié"}));
    EXPECT_EQ(FileLines(folder / L"err.txt"),
              (Lines{L"held.jpg : non modifié : fichier utilisé par un autre programme"}));
    ASSERT_EQ(run.Printed.size(), 5u);
    EXPECT_EQ(run.Printed[0], L"free.jpg : déjà comme demandé");
    EXPECT_EQ(run.Printed[1], L"0 fichier modifié, 1 déjà comme demandé");
    EXPECT_EQ(run.Printed[2], L"code=0");
    // A log that cannot be opened stops the run before anything is done.
    EXPECT_TRUE(
        run.Printed[3].starts_with(L"Kavet24 : impossible d'écrire le fichier « nowhere\\run.log » : "))
        << run.Printed[3];
    EXPECT_EQ(run.Printed[4], L"code=2");

    const Lines log = FileLines(folder / L"run.log");
    ASSERT_EQ(log.size(), 6u);
    const std::wregex started(
        L"\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d .*Kavet24[^ ]*\\.com\"? /zero (.*?) *");
    std::wsmatch first;
    ASSERT_TRUE(std::regex_match(log[0], first, started)) << log[0];
    EXPECT_EQ(first[1].str(), L"/quiet /log:run.log free.jpg held.jpg");
    EXPECT_EQ(log[1], L"held.jpg : non modifié : fichier utilisé par un autre programme");
    EXPECT_EQ(log[2], L"1 fichier modifié, 1 non modifié");
    std::wsmatch second;
    ASSERT_TRUE(std::regex_match(log[3], second, started)) << log[3];
    EXPECT_EQ(second[1].str(), L"/log:run.log free.jpg");
    EXPECT_EQ(log[4], L"free.jpg : déjà comme demandé");
    EXPECT_EQ(log[5], L"0 fichier modifié, 1 déjà comme demandé");
}

TEST_F(ConsoleProgram, DryRunShowsTheValuesItWouldWriteAndCountsAsTheRealRunDoes) {
    MakeOldFile(L"IMG_0001.JPG");
    MakeOldFile(L"IMG_0002.JPG");
    MakeOldFile(L"Ancien.JPG");
    const FILETIME target = UtcFileTime(2025, 3, 30, 21, 22, 33);
    ASSERT_TRUE(WriteStamps(folder / L"Ancien.JPG", Old(), Old(), target));
    // Local times in Paris: winter time in January, summer time from 30 March 2025 02:00.
    const std::string date = " /date:2025-03-30T21:22:33Z /stamps:m IMG_0001.JPG IMG_0002.JPG Ancien.JPG";
    const Result run = RunBatch(ComInBatch() + date + " /dryrun\r\necho code=%ERRORLEVEL%\r\n" +
                                ComInBatch() + date + "\r\necho code=%ERRORLEVEL%\r\n" + ComInBatch() +
                                " /lower /dryrun Ancien.JPG IMG_0001.JPG\r\n");
    EXPECT_EQ(run.Printed,
              (Lines{L"Ancien.JPG : déjà comme demandé",
                     L"IMG_0001.JPG : modification 2010-01-15 13:00:00 → 2025-03-30 23:22:33",
                     L"IMG_0002.JPG : modification 2010-01-15 13:00:00 → 2025-03-30 23:22:33",
                     L"2 fichiers seraient modifiés, 1 déjà comme demandé", L"code=0",
                     L"Ancien.JPG : déjà comme demandé", L"IMG_0001.JPG : modifié", L"IMG_0002.JPG : modifié",
                     L"2 fichiers modifiés, 1 déjà comme demandé", L"code=0", L"Ancien.JPG → ancien.jpg",
                     L"IMG_0001.JPG → img_0001.jpg", L"2 fichiers seraient modifiés"}));
    EXPECT_EQ(NamesIn(folder.Path()).size(), 4u);
    EXPECT_TRUE(ReadStamps(folder / L"Ancien.JPG"));
}

TEST_F(ConsoleProgram, JournalListsTheKeptOperationsNewestFirstForAScriptToRead) {
    MakeOldFile(L"photo.jpg");
    const Result run = RunBatch(ComInBatch() + " /journal\r\necho code=%ERRORLEVEL%\r\n" + ComInBatch() +
                                " /zero photo.jpg >nul\r\n" + ComInBatch() + " /upper photo.jpg >nul\r\n" +
                                ComInBatch() + " /journal >list.txt\r\necho code=%ERRORLEVEL%\r\n");
    EXPECT_EQ(run.Printed,
              (Lines{L"Kavet24 : le journal d'annulation ne garde aucune opération", L"code=0", L"code=0"}));
    const Lines list = FileLines(folder / L"list.txt");
    ASSERT_EQ(list.size(), 2u);
    const std::wregex line(
        L"(\\d+)\t\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\t([^\t]+)\t1 fichier\tannulable\t(.+)");
    std::wsmatch newest;
    std::wsmatch oldest;
    ASSERT_TRUE(std::regex_match(list[0], newest, line)) << list[0];
    ASSERT_TRUE(std::regex_match(list[1], oldest, line)) << list[1];
    EXPECT_EQ(newest[2].str(), L"Majuscules");
    EXPECT_EQ(oldest[2].str(), L"Heure Zéro");
    EXPECT_GT(std::stoull(newest[1].str()), std::stoull(oldest[1].str()));
    EXPECT_EQ(::lstrcmpiW(oldest[3].str().c_str(), folder.Path().c_str()), 0) << oldest[3].str();
}

TEST_F(ConsoleProgram, FromTreeDatesTheFolderTreeFromTheOtherAndABadFolderExitsWithTwoOnStandardError) {
    TempFolder original;
    original.MakeFolder(L"sub");
    original.MakeFile(L"a.jpg", "aa");
    original.MakeFile(L"sub\\b.jpg", "bbb");
    const FILETIME oldWrite = UtcFileTime(2015, 6, 1, 9, 30, 0);
    for (const wchar_t* name : {L"a.jpg", L"sub\\b.jpg", L"sub"})
        ASSERT_TRUE(WriteStamps(original / name, Old(), Old(), oldWrite));
    folder.MakeFolder(L"sub");
    folder.MakeFile(L"a.jpg", "aa");
    folder.MakeFile(L"sub\\b.jpg", "bbb");
    folder.MakeFile(L"sub\\c.jpg", "c");
    const std::string other = Utf8FromWide(original.Path());
    const Result run = RunBatch(
        ComInBatch() + " \"/fromtree:" + other + "\" /stamps:m /mask:*.jpg . 1>out.txt 2>err.txt\r\n" +
        "echo code=%ERRORLEVEL%\r\n" + ComInBatch() + " \"/fromtree:" + other +
        "\\absent\" . 1>>out.txt 2>>err.txt\r\necho code=%ERRORLEVEL%\r\n" + ComInBatch() +
        " /fromtree:sub . 1>>out.txt 2>>err.txt\r\necho code=%ERRORLEVEL%\r\n");

    EXPECT_EQ(run.Printed, (Lines{L"code=1", L"code=2", L"code=2"}));
    EXPECT_EQ(FileLines(folder / L"out.txt"),
              (Lines{L"a.jpg : modifié", L"sub\\b.jpg : modifié", L"sub : modifié",
                     L"3 fichiers modifiés, 1 non modifié"}));
    EXPECT_EQ(
        FileLines(folder / L"err.txt"),
        (Lines{L"sub\\c.jpg : non modifié : aucun fichier correspondant",
               L"Kavet24 : dossier introuvable « " + original.Path() + L"\\absent » (Kavet24 /? pour l'aide)",
               L"Kavet24 : le dossier « sub » est dans le dossier à dater (Kavet24 /? pour l'aide)"}));
    for (const wchar_t* name : {L"a.jpg", L"sub\\b.jpg", L"sub"})
        EXPECT_TRUE(SameTime(ReadStamps(folder / name).value_or(DiskStamps{}).LastWrite, oldWrite)) << name;
    EXPECT_FALSE(SameTime(ReadStamps(folder / L"sub\\c.jpg").value_or(DiskStamps{}).LastWrite, oldWrite));
}

TEST_F(ConsoleProgram, FoldersSwitchesDateTheFoldersAndUndoPutsThemBack) {
    folder.MakeFolder(L"album");
    folder.MakeFolder(L"album\\jour");
    folder.MakeFile(L"album\\jour\\photo.jpg");
    const FILETIME taken = UtcFileTime(2021, 6, 2, 9, 0, 0);
    ASSERT_TRUE(WriteStamps(folder / L"album\\jour\\photo.jpg", taken, taken, taken));
    for (const wchar_t* name : {L"album\\jour", L"album"})
        ASSERT_TRUE(WriteStamps(folder / name, Old(), Old(), Old()));
    const auto write = [this](const wchar_t* name) {
        return ReadStamps(folder / name).value_or(DiskStamps{}).LastWrite;
    };

    // Each folder given, and with /recurse each one walked, beside the files.
    const Result dated = Run(L"\"" + Com() + L"\" /date:2015-06-15T08:30:00Z /folders /recurse album");
    EXPECT_EQ(dated.Exit, 0u);
    EXPECT_EQ(dated.Printed.back(), L"3 fichiers modifiés");
    const FILETIME asked = UtcFileTime(2015, 6, 15, 8, 30, 0);
    for (const wchar_t* name : {L"album", L"album\\jour", L"album\\jour\\photo.jpg"})
        EXPECT_TRUE(SameTime(write(name), asked)) << name;
    EXPECT_EQ(Run(L"\"" + Com() + L"\" /undo").Exit, 0u);
    EXPECT_TRUE(Untouched(L"album"));
    EXPECT_TRUE(Untouched(L"album\\jour"));
    EXPECT_TRUE(SameTime(write(L"album\\jour\\photo.jpg"), taken));

    // From the deepest up, each to the newest of what it holds; its files stay as they are.
    const Result content = Run(L"\"" + Com() + L"\" /folders:contenu album");
    EXPECT_EQ(content.Exit, 0u);
    EXPECT_EQ(content.Printed, (Lines{L"jour\\ : modifié", L"album\\ : modifié", L"2 fichiers modifiés"}));
    for (const wchar_t* name : {L"album", L"album\\jour", L"album\\jour\\photo.jpg"})
        EXPECT_TRUE(SameTime(write(name), taken)) << name;
    EXPECT_EQ(Run(L"\"" + Com() + L"\" /undo").Exit, 0u);
    EXPECT_TRUE(Untouched(L"album"));
    EXPECT_TRUE(Untouched(L"album\\jour"));

    EXPECT_EQ(Run(L"\"" + Com() + L"\" /upper /folders album").Exit, 2u);
    EXPECT_EQ(Run(L"\"" + Com() + L"\" /folders:contenu album\\jour\\photo.jpg").Exit, 2u);
}
