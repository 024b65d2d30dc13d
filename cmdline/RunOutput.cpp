// The console, log and CSV lines of a command-line run.
#include "cmdline/RunOutput.h"

#include "base/ApiPath.h"
#include "base/TextHelpers.h"
#include "base/Utf8Text.h"
#include "batch/PlannedChangeText.h"
#include "operations/SystemFailure.h"

#include <windows.h>

namespace {

// A text file the run writes, or why it cannot be opened.
std::optional<std::wstring> OpenTextFile(const std::wstring& path, bool append, FileHandle& file) {
    file.Reset(::CreateFileW(ApiPath(FullPath(path)).c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                             FILE_SHARE_READ, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return std::nullopt;
    return L"impossible d'écrire le fichier " + Quoted(path) + L" : " + FailureOfLastError().ReasonText();
}

std::wstring NowText() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return LocalStampText(CivilTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
}

} // namespace

RunOutput::RunOutput(ConsoleOutput& console) : console_(console) {}

std::optional<std::wstring> RunOutput::Open(const CommandOutput& options, const std::wstring& commandLine) {
    options_ = options;
    if (!options.LogFile.empty()) {
        if (std::optional<std::wstring> error = OpenTextFile(options.LogFile, true, log_))
            return error;
        Append(log_, NowText() + L" " + commandLine);
    }
    if (!options.CsvFile.empty()) {
        if (std::optional<std::wstring> error = OpenTextFile(options.CsvFile, false, csv_))
            return error;
        Append(csv_, BatchCsvHeader());
    } else if (options.Csv) {
        console_.WriteLine(BatchCsvHeader());
    }
    return std::nullopt;
}

void RunOutput::WriteLine(const std::wstring& line) {
    Print(line);
    Append(log_, line);
}

void RunOutput::WriteDetail(const std::wstring& line) {
    if (!options_.Quiet)
        WriteLine(line);
}

void RunOutput::WriteErrorLine(const std::wstring& line) {
    console_.WriteErrorLine(line);
    Append(log_, line);
}

void RunOutput::WriteCsvRow(const BatchCsvRow& row) {
    if (!options_.Csv)
        return;
    if (csv_)
        Append(csv_, BatchCsvLine(row));
    else
        console_.WriteLine(BatchCsvLine(row));
}

void RunOutput::Print(const std::wstring& line) {
    if (!options_.Csv || csv_)
        console_.WriteLine(line);
}

void RunOutput::Append(const FileHandle& file, const std::wstring& line) {
    if (!file)
        return;
    // A full disk cannot be told anywhere better than the console already is.
    const std::string bytes = Utf8FromWide(line + L"\r\n");
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
