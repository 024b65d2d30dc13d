// Where a run from the command line tells what it did: the console's two streams, less the lines
// of the files done under /quiet; a copy of the same lines appended to the /log file; one CSV line
// per file under /csv, on standard output in place of the other lines there, or into its own file.
#pragma once

#include "base/Handles.h"
#include "batch/BatchCsv.h"
#include "cmdline/CommandLine.h"
#include "cmdline/ConsoleOutput.h"

#include <optional>
#include <string>

class RunOutput {
public:
    explicit RunOutput(ConsoleOutput& console);

    // Opens the files `options` names, before anything is done: the log, started by a line with
    // the date-time and `commandLine`, and the CSV file with its header. The usage error when one
    // cannot be opened.
    std::optional<std::wstring> Open(const CommandOutput& options, const std::wstring& commandLine);

    // A line on standard output that /quiet keeps: a count, a usage error.
    void WriteLine(const std::wstring& line);
    // A line on standard output that /quiet leaves out: a file done, a link left aside.
    void WriteDetail(const std::wstring& line);
    void WriteErrorLine(const std::wstring& line);

    bool WantsCsv() const { return options_.Csv; }
    void WriteCsvRow(const BatchCsvRow& row);

private:
    // The console's standard output, unless the CSV has it.
    void Print(const std::wstring& line);
    static void Append(const FileHandle& file, const std::wstring& line);

    ConsoleOutput& console_;
    CommandOutput options_;
    FileHandle log_;
    FileHandle csv_;
};
