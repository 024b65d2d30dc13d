// The command-line parser on any arguments (the input split at NUL characters): no crash, no
// undefined behaviour, an error line or a request but never both, one operation per request, every
// argument after "--" a path, the output switches' files apart, and the dates, instants and shifts it reads
// written back and read again to the same values.
#include "cmdline/CommandLine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// The instant as the help writes it: "T" and an offset when it has one.
std::wstring DateText(const CommandInstant& instant) {
    const CivilTime& when = instant.When;
    wchar_t text[48];
    std::swprintf(text, 48, L"%04d-%02d-%02d%c%02d:%02d:%02d", when.Year, when.Month, when.Day,
                  instant.OffsetMinutes ? L'T' : L' ', when.Hour, when.Minute, when.Second);
    std::wstring written = text;
    if (instant.OffsetMinutes) {
        const int offset = *instant.OffsetMinutes;
        std::swprintf(text, 48, L"%c%02d:%02d", offset < 0 ? L'-' : L'+', std::abs(offset) / 60,
                      std::abs(offset) % 60);
        written += text;
    }
    return written;
}

std::wstring ShiftArgument(const DateShift& shift) {
    wchar_t text[48];
    std::swprintf(text, 48, L"%c%d.%02d:%02d:%02d", shift.Backward ? L'-' : L'+', shift.Days, shift.Hours,
                  shift.Minutes, shift.Seconds);
    return text;
}

bool IsOperationSwitch(const std::wstring& arg) {
    if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-'))
        return false;
    std::wstring name = arg.substr(1, arg.find_first_of(L":=", 1) - 1);
    for (wchar_t& c : name)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    for (const wchar_t* operation : {L"date", L"zero", L"upper", L"lower", L"first", L"shift", L"copy",
                                     L"from", L"exif", L"undo", L"journal"})
        if (name == operation)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    std::vector<std::wstring> args;
    for (size_t start = 0;;) {
        const size_t end = text.find(L'\0', start);
        args.push_back(text.substr(start, end - start));
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }

    const ParsedCommandLine parsed = ParseCommandLine(args);
    using Kind = ParsedCommandLine::Kind;
    Check((parsed.What == Kind::Error) == !parsed.Error.empty());
    if (parsed.What == Kind::Error)
        Check(parsed.Error.starts_with(L"Kavet24 : ") &&
              parsed.Error.ends_with(L" (Kavet24 /? pour l'aide)"));
    if (parsed.What == Kind::Run) {
        const CommandRequest& request = parsed.Request;
        size_t operations = 0;
        size_t paths = 0;
        bool switches = true;
        for (const std::wstring& arg : args) {
            if (switches && arg == L"--")
                switches = false;
            else if (switches)
                operations += IsOperationSwitch(arg) ? 1 : 0;
            else
                ++paths;
        }
        Check(operations == 1);
        Check(request.Paths.size() >= paths);
        if (paths > 0)
            Check(std::equal(args.end() - static_cast<std::ptrdiff_t>(paths), args.end(),
                             request.Paths.end() - static_cast<std::ptrdiff_t>(paths)));
        const bool takesNoPath =
            request.Operation == CommandOperation::Undo || request.Operation == CommandOperation::Journal;
        Check(takesNoPath == request.Paths.empty());
        if (request.UndoId)
            Check(request.Operation == CommandOperation::Undo && *request.UndoId > 0 &&
                  ParseOperationId(std::to_wstring(*request.UndoId)) == request.UndoId);
        Check(!request.Stamps.Empty());
        if (request.Operation == CommandOperation::DateTime)
            Check(ParseCommandDate(DateText(request.When)) == request.When);
        if (request.Operation == CommandOperation::Shift)
            Check(ParseCommandShift(ShiftArgument(request.Shift)) == request.Shift);
        // A CSV file is named only with /csv, and never the log's.
        const CommandOutput& output = request.Output;
        Check(output.Csv || output.CsvFile.empty());
        Check(output.CsvFile.empty() || output.CsvFile != output.LogFile);
        if (request.Operation == CommandOperation::CopyStamp) {
            const StampSet targets = request.CopyTargets;
            Check(!targets.Empty() && !targets.Contains(request.CopySource));
        }
    }

    // The value parsers alone, on the whole text: a date read is written the one way it was read.
    if (const std::optional<CommandInstant> when = ParseCommandDate(text)) {
        Check(ParseCommandDate(DateText(*when)) == when);
        Check(!when->OffsetMinutes || std::abs(*when->OffsetMinutes) < 24 * 60);
        Check(text.size() == DateText(*when).size() || text.ends_with(L'Z'));
    }
    if (const std::optional<uint64_t> id = ParseOperationId(text))
        Check(*id > 0 && std::to_wstring(*id).size() <= text.size());
    if (const std::optional<DateShift> shift = ParseCommandShift(text))
        Check(IsValidShift(*shift) && ParseCommandShift(ShiftArgument(*shift)) == shift);
    return 0;
}
