// Case-only renames that are checked against the folder's contents.
#include "operations/CaseRenamer.h"

#include "operations/ApiPath.h"
#include "base/FileNameParts.h"
#include "operations/SystemFailure.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"

#include <atomic>
#include <mutex>
#include <utility>

namespace {

std::atomic<unsigned> g_temporaryCounter{0};

// The stored name of the one entry a path without wildcards answers to (the entry with exactly
// that name first); one look-up, where a folder search would read the whole folder.
std::optional<std::wstring> StoredName(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    FindHandle find(
        ::FindFirstFileExW(ApiPath(path).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
    if (!find)
        return std::nullopt;
    return std::wstring(data.cFileName);
}

// The last folder in which a case-only rename was reported done while the name stayed as it was.
// That is the folder's file system's way, so the next files of a batch there go through a
// temporary name at once, saving a rename and a look-up each; the two-step way works everywhere.
class KeepsCaseFolder {
public:
    bool Is(const std::wstring& folder) {
        std::lock_guard<std::mutex> lock(mutex_);
        return !folder_.empty() && EqualIgnoringCase(folder_, folder);
    }
    void Set(const std::wstring& folder) {
        std::lock_guard<std::mutex> lock(mutex_);
        folder_ = folder;
    }

private:
    std::mutex mutex_;
    std::wstring folder_;
};

KeepsCaseFolder g_keepsCase;

class StrandedRecord {
public:
    void Add(StrandedFile file) {
        std::lock_guard<std::mutex> lock(mutex_);
        files_.push_back(std::move(file));
    }
    std::vector<StrandedFile> Take() {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(files_, {});
    }

private:
    std::mutex mutex_;
    std::vector<StrandedFile> files_;
};

StrandedRecord g_stranded;

} // namespace

std::wstring NextTemporaryName() {
    return L"~kavet-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(g_temporaryCounter++) + L".tmp";
}

std::vector<StrandedFile> TakeStrandedFiles() {
    return g_stranded.Take();
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::vector<std::wstring> NamesEqualIgnoringCase(const std::wstring& folder, const std::wstring& name) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW(ApiPath(folder + CaseBlindPattern(name)).c_str(), FindExInfoBasic,
                                       &data, FindExSearchNameMatch, nullptr, 0));
    if (!find)
        return names;
    do {
        if (EqualIgnoringCase(data.cFileName, name))
            names.emplace_back(data.cFileName);
    } while (::FindNextFileW(find.Get(), &data));
    return names;
}

std::optional<std::wstring> NameOnDisk(const std::wstring& folder, const std::wstring& name) {
    std::vector<std::wstring> names = NamesEqualIgnoringCase(folder, name);
    if (names.size() != 1)
        return std::nullopt;
    return std::move(names.front());
}

CaseRenamer::CaseRenamer(MoveFunction move) : move_(std::move(move)) {}

bool CaseRenamer::PlatformMove(const std::wstring& from, const std::wstring& to) {
    // No flag: never onto an existing file, never a copy to another volume.
    return ::MoveFileExW(from.c_str(), to.c_str(), 0) != FALSE;
}

CaseRenamer::Result CaseRenamer::Rename(const std::wstring& path, const NameConverter& convert,
                                        const std::wstring& temporaryName) const {
    Result result{false, path};
    const FileNameParts parts = SplitFileName(path);
    if (parts.Name.empty() || !convert || !move_)
        return result;
    // Exactly one entry may answer to the name: with two, a rename could reach the wrong file.
    const std::vector<std::wstring> names = NamesEqualIgnoringCase(parts.Folder, parts.Name);
    if (names.empty()) {
        result.Outcome = FileOutcome::Failed(Failure::NotFound);
        return result;
    }
    if (names.size() > 1) {
        std::wstring others;
        for (const std::wstring& name : names)
            if (name != parts.Name)
                others += (others.empty() ? L"" : L", ") + Quoted(name);
        result.Outcome = FileOutcome::Failed(Failure::CaseTwin, others);
        return result;
    }
    const std::wstring& oldName = names.front();
    const std::wstring oldPath = parts.Folder + oldName;
    result.Path = oldPath;
    const std::wstring newName = convert(oldName);
    if (newName == oldName) {
        result.Renamed = true;
        result.Outcome = FileOutcome();
        return result;
    }
    // A mapping that changed more than letter case would make a different name, which could be
    // another file's.
    if (newName.empty() || !EqualIgnoringCase(newName, oldName)) {
        result.Outcome = FileOutcome::Failed(Failure::Other, L"le nouveau nom diffère par plus que la casse");
        return result;
    }
    const std::wstring newPath = parts.Folder + newName;
    std::wstring where;
    if (!g_keepsCase.Is(parts.Folder)) {
        if (!move_(ApiPath(oldPath), ApiPath(newPath))) {
            result.Outcome = FailureOfLastError();
            return result;
        }
        const std::optional<std::wstring> afterMove = StoredName(newPath);
        if (!afterMove) {
            result.Outcome = FailureOfLastError();
            return result;
        }
        if (*afterMove == newName) {
            result = {true, newPath, false, FileOutcome()};
            return result;
        }
        // The platform reported success and kept the old letter case.
        g_keepsCase.Set(parts.Folder);
        result.Outcome = MoveThroughTemporaryName(parts.Folder, *afterMove, newName, temporaryName, where);
    } else {
        result.Outcome = MoveThroughTemporaryName(parts.Folder, oldName, newName, temporaryName, where);
    }
    result.Renamed = result.Outcome.Done();
    result.Path = parts.Folder + where;
    if (!result.Renamed && !EqualIgnoringCase(where, oldName)) {
        result.Stranded = true;
        g_stranded.Add({result.Path, oldName});
        const std::wstring left = L"laissé sous le nom " + Quoted(where);
        const std::wstring& detail = result.Outcome.Detail();
        result.Outcome =
            FileOutcome::Failed(result.Outcome.Why(), detail.empty() ? left : detail + L" ; " + left);
    }
    return result;
}

bool CaseRenamer::PutBack(const std::wstring& from, const std::wstring& to) const {
    constexpr int kTries = 5;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (attempt > 0)
            ::Sleep(25u << attempt);
        if (move_(from, to))
            return true;
    }
    return false;
}

FileOutcome CaseRenamer::FromTemporaryName(const std::wstring& temporaryPath,
                                           const std::wstring& path) const {
    if (!move_)
        return FileOutcome::Failed(Failure::Other);
    ::SetLastError(ERROR_SUCCESS);
    if (PutBack(ApiPath(temporaryPath), ApiPath(path)))
        return FileOutcome();
    return FailureOfLastError();
}

FileOutcome CaseRenamer::MoveThroughTemporaryName(const std::wstring& folder, const std::wstring& oldName,
                                                  const std::wstring& newName, const std::wstring& planned,
                                                  std::wstring& where) const {
    where = oldName;
    const std::wstring oldPath = ApiPath(folder + oldName);
    // A move never replaces an existing file, so a temporary name already taken is refused by the
    // move itself; then the next one is tried, unless the name was planned: the undo journal
    // knows that one only, and a file must never be where the journal cannot find it.
    std::wstring temporaryName;
    bool moved = false;
    for (int attempt = 0; attempt < (planned.empty() ? 100 : 1) && !moved; ++attempt) {
        temporaryName = planned.empty() ? NextTemporaryName() : planned;
        ::SetLastError(ERROR_SUCCESS);
        moved = move_(oldPath, ApiPath(folder + temporaryName));
        const DWORD error = ::GetLastError();
        if (!moved && error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            return FailureOfSystemError(error);
    }
    if (!moved && !planned.empty())
        return FileOutcome::Failed(Failure::Other, L"nom temporaire " + Quoted(planned) + L" déjà pris");
    if (!moved)
        return FileOutcome::Failed(Failure::Other, L"aucun nom temporaire libre dans le dossier");
    where = temporaryName;
    const std::wstring temporaryPath = ApiPath(folder + temporaryName);
    ::SetLastError(ERROR_SUCCESS);
    if (move_(temporaryPath, ApiPath(folder + newName))) {
        const std::optional<std::wstring> now = StoredName(folder + newName);
        if (now && *now == newName) {
            where = newName;
            return FileOutcome();
        }
        // Yet another letter case came out: the old name is put back.
        if (now) {
            where = *now;
            if (PutBack(ApiPath(folder + *now), oldPath))
                where = oldName;
        }
        return FileOutcome::Failed(Failure::CaseKept);
    }
    const FileOutcome failure = FailureOfLastError();
    // The second step failed: the old name comes back.
    if (PutBack(temporaryPath, oldPath))
        where = oldName;
    return failure;
}
