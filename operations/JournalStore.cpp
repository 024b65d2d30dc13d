// The undo journal's file: read whole, appended to a few lines at a time and trimmed to its last
// batches, always under one lock that every copy of the program takes, and flushed before the
// files the lines describe are changed.
#include "operations/JournalStore.h"

#include "base/FileTimeTicks.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"
#include "operations/ApiPath.h"
#include "operations/SystemFailure.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <map>
#include <mutex>

namespace {

constexpr DWORD kLockWaitMs = 10'000;
// Another program (a viewer, a backup) may hold the file a moment.
constexpr int kSharingAttempts = 5;
constexpr DWORD kSharingPauseMs = 50;
// Far above 20 batches of thousands of files; past it the file is not read into memory.
constexpr LONGLONG kLargestJournal = 128LL << 20;

std::wstring Quoted(const std::wstring& path) {
    return L"« " + path + L" »";
}

std::wstring Reason(DWORD code) {
    return FailureOfSystemError(code).ReasonText();
}

std::wstring WriteError(const std::wstring& path, DWORD code) {
    return L"impossible d'écrire dans le journal d'annulation " + Quoted(path) + L" : " + Reason(code);
}

// The same for every letter case of the path, as the file system mostly ignores it, and short
// enough for an object name.
std::wstring PathKey(const std::wstring& path) {
    std::wstring lowered = path;
    if (!lowered.empty())
        ::CharLowerBuffW(lowered.data(), static_cast<DWORD>(lowered.size()));
    uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const wchar_t c : lowered) {
        hash ^= static_cast<uint16_t>(c);
        hash *= 1099511628211ull;
    }
    std::wstring hex(16, L'0');
    for (auto digit = hex.rbegin(); digit != hex.rend(); ++digit, hash >>= 4)
        *digit = L"0123456789abcdef"[hash & 0xF];
    return hex;
}

std::wstring MarkName(const JournalStore& store, uint64_t id) {
    return L"Local\\Kavet24-lot-" + PathKey(store.Path()) + L"-" + std::to_wstring(id);
}

// The lock every copy of the program takes on one journal: a named mutex, which the system hands
// on as abandoned when its holder dies. That is taken as the lock: the dead copy's whole lines are
// on disk, and the reader passes over a line it cut short.
class JournalLock {
public:
    explicit JournalLock(const std::wstring& path)
        : mutex_(::CreateMutexW(nullptr, FALSE, (L"Local\\Kavet24-journal-" + PathKey(path)).c_str())) {
        DWORD waited = WAIT_FAILED;
        if (mutex_)
            waited = ::WaitForSingleObject(mutex_.Get(), kLockWaitMs);
        const DWORD failure = ::GetLastError();
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        if (waited == WAIT_TIMEOUT)
            error_ =
                L"le journal d'annulation " + Quoted(path) + L" reste pris par une autre copie de Kavet24";
        else if (!held_)
            error_ =
                L"impossible de prendre le journal d'annulation " + Quoted(path) + L" : " + Reason(failure);
    }
    ~JournalLock() {
        if (held_)
            ::ReleaseMutex(mutex_.Get());
    }
    JournalLock(const JournalLock&) = delete;
    JournalLock& operator=(const JournalLock&) = delete;

    bool Held() const { return held_; }
    const std::wstring& Error() const { return error_; }

private:
    KernelHandle mutex_;
    bool held_ = false;
    std::wstring error_;
};

// Opened only while the lock is held; other programs may read it meanwhile, none may write.
FileHandle OpenJournal(const std::wstring& path, DWORD access, DWORD disposition, DWORD& error) {
    for (int attempt = 0;; ++attempt) {
        FileHandle file(::CreateFileW(ApiPath(path).c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        error = file ? ERROR_SUCCESS : ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION || attempt + 1 == kSharingAttempts)
            return file;
        ::Sleep(kSharingPauseMs);
    }
}

DWORD ReadAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size))
        return ::GetLastError();
    if (size.QuadPart > kLargestJournal)
        return ERROR_FILE_TOO_LARGE;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            return ::GetLastError();
        if (read == 0)
            break;
        done += read;
    }
    bytes.resize(done);
    return ERROR_SUCCESS;
}

DWORD WriteAllAndFlush(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return ::GetLastError();
        if (written == 0)
            return ERROR_WRITE_FAULT;
        bytes.remove_prefix(written);
    }
    return ::FlushFileBuffers(file) ? ERROR_SUCCESS : ::GetLastError();
}

// At the end of the file, after the header when it is empty, or after an LF when its last line was
// cut short, so that the lines appended stay whole.
DWORD AppendLines(HANDLE file, const std::string& lines) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size))
        return ::GetLastError();
    std::string written;
    if (size.QuadPart == 0) {
        written = JournalHeaderLine();
    } else {
        char last = 0;
        DWORD read = 0;
        const LARGE_INTEGER lastByte{.QuadPart = size.QuadPart - 1};
        if (!::SetFilePointerEx(file, lastByte, nullptr, FILE_BEGIN) ||
            !::ReadFile(file, &last, 1, &read, nullptr))
            return ::GetLastError();
        if (last != '\n')
            written.push_back('\n');
    }
    written += lines;
    if (!::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_END))
        return ::GetLastError();
    return WriteAllAndFlush(file, written);
}

// Written beside the journal and flushed, then moved over it: a crash leaves one file or the
// other whole.
DWORD ReplaceJournal(const std::wstring& path, const std::wstring& temporary, const std::string& bytes) {
    DWORD error = ERROR_SUCCESS;
    {
        const FileHandle file = OpenJournal(temporary, GENERIC_WRITE, CREATE_ALWAYS, error);
        if (file)
            error = WriteAllAndFlush(file.Get(), bytes);
    }
    for (int attempt = 0; error == ERROR_SUCCESS; ++attempt) {
        if (::MoveFileExW(ApiPath(temporary).c_str(), ApiPath(path).c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ERROR_SUCCESS;
        error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION && attempt + 1 < kSharingAttempts) {
            error = ERROR_SUCCESS;
            ::Sleep(kSharingPauseMs);
        }
    }
    ::DeleteFileW(ApiPath(temporary).c_str());
    return error;
}

// The folder and those above it that are missing.
DWORD MakeFolder(const std::wstring& folder) {
    if (::CreateDirectoryW(ApiPath(folder).c_str(), nullptr))
        return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return ERROR_SUCCESS;
    const size_t parentEnd = folder.find_last_of(L'\\');
    if (error != ERROR_PATH_NOT_FOUND || parentEnd == std::wstring::npos || parentEnd == 0)
        return error;
    if (const DWORD parentError = MakeFolder(folder.substr(0, parentEnd)))
        return parentError;
    return ::CreateDirectoryW(ApiPath(folder).c_str(), nullptr) ? ERROR_SUCCESS : ::GetLastError();
}

// Above every batch in the file and every id this process gave on the same journal: two batches
// begun at once in one process stay apart even if the file lost the first one's line. None (0)
// once the ids are used up.
uint64_t NextId(const std::wstring& path, const JournalSummary& contents) {
    static std::mutex guard;
    static std::map<std::wstring, uint64_t> lastGiven;
    const std::lock_guard lock(guard);
    uint64_t& last = lastGiven[PathKey(path)];
    for (const JournalBatchSummary& batch : contents.Batches)
        last = std::max(last, batch.Id);
    return last == UINT64_MAX ? 0 : ++last;
}

std::wstring Unusable(const std::wstring& path, const std::wstring& problem) {
    const std::wstring why = problem.empty() ? L"contenu inconnu" : problem;
    return L"le journal d'annulation " + Quoted(path) + L" ne peut pas servir : " + why;
}

} // namespace

JournalStore::JournalStore(std::wstring folder)
    : folder_(StripTrailingBackslashes(folder)), path_(folder_.empty() ? L"" : folder_ + L"\\journal.txt") {}

std::wstring JournalStore::DefaultFolder() {
    wchar_t* base = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &base)) && base)
        folder = std::wstring(base) + L"\\Kavet24";
    ::CoTaskMemFree(base);
    // Empty when the system cannot say: no batch then begins.
    return folder;
}

std::wstring JournalStore::ReadBytes(std::string& bytes) const {
    const JournalLock lock(path_);
    if (!lock.Held())
        return lock.Error();
    DWORD error = ERROR_SUCCESS;
    const FileHandle file = OpenJournal(path_, GENERIC_READ, OPEN_EXISTING, error);
    if (!file && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND))
        return L""; // no journal yet: an empty one
    if (file)
        error = ReadAll(file.Get(), bytes);
    if (error != ERROR_SUCCESS)
        return L"impossible de lire le journal d'annulation " + Quoted(path_) + L" : " + Reason(error);
    return L"";
}

JournalStore::ReadResult JournalStore::Read() const {
    ReadResult result;
    try {
        std::string bytes;
        result.Error = ReadBytes(bytes);
        if (!result.Error.empty())
            return result;
        result.Contents = ParseJournal(bytes);
        if (!result.Contents.Recognised)
            result.Error =
                Unusable(path_, result.Contents.Problems.empty() ? L"" : result.Contents.Problems[0].Message);
        // Batches past the kept ones wait in the file to be dropped with others: they are gone.
        std::vector<JournalBatch>& batches = result.Contents.Batches;
        if (batches.size() > kJournalBatchesKept)
            batches.erase(batches.begin(), batches.end() - static_cast<std::ptrdiff_t>(kJournalBatchesKept));
    } catch (const std::exception&) {
        // Only memory can run out here; what was read is worth nothing then.
        result = ReadResult{};
        result.Error = L"mémoire insuffisante pour lire le journal d'annulation " + Quoted(path_);
    }
    return result;
}

JournalSummary JournalStore::Summary() const {
    JournalSummary summary;
    try {
        std::string bytes;
        if (!ReadBytes(bytes).empty())
            return summary;
        summary = SummarizeJournal(bytes);
        if (summary.Batches.size() > kJournalBatchesKept)
            summary.Batches.erase(summary.Batches.begin(),
                                  summary.Batches.end() - static_cast<std::ptrdiff_t>(kJournalBatchesKept));
    } catch (const std::exception&) {
        summary = JournalSummary{};
    }
    return summary;
}

JournalStore::BeginResult JournalStore::Begin(const std::wstring& operation, const std::wstring& folder,
                                              uint64_t undoes) {
    if (folder_.empty())
        return {0, L"le dossier des données locales de l'utilisateur est introuvable"};
    if (const DWORD error = MakeFolder(folder_))
        return {0, L"impossible de créer le dossier du journal d'annulation " + Quoted(folder_) + L" : " +
                       Reason(error)};
    const JournalLock lock(path_);
    if (!lock.Held())
        return {0, lock.Error()};

    DWORD error = ERROR_SUCCESS;
    std::string bytes;
    FileHandle file = OpenJournal(path_, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, error);
    if (file)
        error = ReadAll(file.Get(), bytes);
    if (error != ERROR_SUCCESS)
        return {0, WriteError(path_, error)};
    // Only the ids and the count of batches matter here: the summary skips the file lines.
    const JournalSummary contents = SummarizeJournal(bytes);
    if (!contents.Recognised)
        return {0, Unusable(path_, contents.Problem)};

    JournalBatch batch;
    batch.Id = NextId(path_, contents);
    if (batch.Id == 0)
        return {0, L"le journal d'annulation " + Quoted(path_) + L" n'a plus de numéro d'opération libre"};
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    batch.Started = FileTimeTicks(now);
    batch.Operation = operation;
    batch.Folder = folder;
    batch.Undoes = undoes;

    if (contents.Batches.size() >= kJournalBatchesKept + kJournalBatchesSlack) {
        file.Reset();
        error = ReplaceJournal(path_, folder_ + L"\\journal.tmp",
                               *KeepLastBatches(bytes, kJournalBatchesKept - 1) + JournalBeginLine(batch));
    } else {
        error = AppendLines(file.Get(), JournalBeginLine(batch));
    }
    if (error != ERROR_SUCCESS)
        return {0, WriteError(path_, error)};
    return {batch.Id, L""};
}

std::wstring JournalStore::Append(const std::string& lines) {
    if (lines.empty())
        return L"";
    const JournalLock lock(path_);
    if (!lock.Held())
        return lock.Error();
    // The file must still hold the batch's begin line: one made again here would leave these lines
    // without their batch, so a journal gone since the batch began is an error.
    DWORD error = ERROR_SUCCESS;
    const FileHandle file = OpenJournal(path_, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, error);
    if (file)
        error = AppendLines(file.Get(), lines);
    return error == ERROR_SUCCESS ? L"" : WriteError(path_, error);
}

// The mark is the named object's existence, not its ownership, so the thread that ends the batch
// need not be the one that began it.
RunningBatchMark::RunningBatchMark(const JournalStore& store, uint64_t id)
    : handle_(::CreateMutexW(nullptr, FALSE, MarkName(store, id).c_str())) {}

RunningBatchMark::~RunningBatchMark() {
    if (handle_)
        ::CloseHandle(handle_);
}

bool RunningBatchMark::IsRunning(const JournalStore& store, uint64_t id) {
    const KernelHandle mark(::OpenMutexW(SYNCHRONIZE, FALSE, MarkName(store, id).c_str()));
    return mark.Valid();
}

JournalBatchWriter::JournalBatchWriter(JournalStore& store, const std::wstring& operation,
                                       const std::wstring& folder, uint64_t undoes)
    : store_(store) {
    const JournalStore::BeginResult begun = store_.Begin(operation, folder, undoes);
    error_ = begun.Error;
    if (!Ok())
        return;
    id_ = begun.Id;
    mark_ = std::make_unique<RunningBatchMark>(store_, id_);
    if (!mark_->Held()) {
        // Unmarked, the batch would read as cut short to every other copy: it ends at once.
        error_ = L"impossible de marquer l'opération en cours : " + Reason(::GetLastError());
        mark_.reset();
        if (const std::wstring ended = store_.Append(JournalEndLine(id_)); !ended.empty())
            error_ += L" ; " + ended;
    }
}

JournalBatchWriter::~JournalBatchWriter() = default;

void JournalBatchWriter::Add(const JournalFile& file) {
    pending_ += JournalFileLine(id_, file);
}

bool JournalBatchWriter::Commit() {
    if (!Ok())
        return false;
    if (pending_.empty())
        return true;
    error_ = store_.Append(pending_);
    if (!Ok())
        return false;
    pending_.clear();
    return true;
}

bool JournalBatchWriter::Finish() {
    // Without its mark the batch has already ended.
    if (!Ok() || !mark_)
        return Ok();
    pending_ += JournalEndLine(id_);
    if (!Commit())
        return false;
    mark_.reset();
    return true;
}
