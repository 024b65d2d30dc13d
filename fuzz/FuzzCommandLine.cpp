// The command-line parser on any arguments (the input split at NUL characters): no crash, no
// undefined behaviour, an error line or a request but never both, one operation per request, and
// the dates and shifts it reads written back and read again to the same values.
#include "cmdline/CommandLine.h"

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

std::wstring DateText(const CivilTime& when) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d-%02d-%02d %02d:%02d:%02d", when.Year, when.Month, when.Day, when.Hour,
                  when.Minute, when.Second);
    return text;
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
    for (const wchar_t* operation :
         {L"date", L"zero", L"upper", L"lower", L"first", L"shift", L"copy", L"from", L"exif", L"undo"})
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
        for (const std::wstring& arg : args)
            operations += IsOperationSwitch(arg) ? 1 : 0;
        Check(operations == 1);
        Check((request.Operation == CommandOperation::Undo) == request.Paths.empty());
        Check(!request.Stamps.Empty());
        if (request.Operation == CommandOperation::DateTime)
            Check(ParseCommandDate(DateText(request.When)) == request.When);
        if (request.Operation == CommandOperation::Shift)
            Check(ParseCommandShift(ShiftArgument(request.Shift)) == request.Shift);
        if (request.Operation == CommandOperation::CopyStamp) {
            const StampSet targets = request.CopyTargets;
            Check(!targets.Empty() && !targets.Contains(request.CopySource));
        }
    }

    // The value parsers alone, on the whole text: a date read is written the one way it was read.
    if (const std::optional<CivilTime> when = ParseCommandDate(text))
        Check(DateText(*when) == text);
    if (const std::optional<DateShift> shift = ParseCommandShift(text))
        Check(IsValidShift(*shift) && ParseCommandShift(ShiftArgument(*shift)) == shift);
    return 0;
}
