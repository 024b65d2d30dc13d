// Letter-case renames of one file.
#include "operations/FileNameCase.h"

#include "operations/PerFileFrame.h"

#include <windows.h>

std::wstring SystemUpper(std::wstring_view text) {
    std::wstring result(text);
    if (!result.empty())
        ::CharUpperBuffW(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

std::wstring SystemLower(std::wstring_view text) {
    std::wstring result(text);
    if (!result.empty())
        ::CharLowerBuffW(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

FileOutcome ChangeNameCase(const std::wstring& path, NameCase form, const CaseRenamer& renamer) {
    return PerFileFrame::Run(path, [&](PerFileFrame& frame) {
        const CaseRenamer::Result result = renamer.Rename(frame.Path(), [form](std::wstring_view name) {
            return ConvertNameCase(name, form, SystemUpper, SystemLower);
        });
        frame.MovedTo(result.Path);
        return result.Outcome;
    });
}

FileOutcome FileNameMaj(const std::wstring& path) {
    return ChangeNameCase(path, NameCase::Upper);
}

FileOutcome FileNameMin(const std::wstring& path) {
    return ChangeNameCase(path, NameCase::Lower);
}

FileOutcome FileNameMajMin(const std::wstring& path) {
    return ChangeNameCase(path, NameCase::FirstUpper);
}
