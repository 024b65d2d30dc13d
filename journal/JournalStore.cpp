// The undo journal's file: read a piece at a time, appended to a few lines at a time and trimmed
// to its last batches, always under one lock that every copy of the program takes, and flushed
// before the files the lines describe are changed.
#include "journal/JournalStore.h"

#include "base/FileTimeTicks.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"
#include "operations/ApiPath.h"
#include "operations/SystemFailure.h"

#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <exception>
#include <map>
#include <mutex>

namespace {

constexpr DWORD kLockWaitMs = 10'000;
// Another program (a viewer, a backup) may hold the file a moment.
constexpr int kSharingAttempts = 5;
constexpr DWORD kSharingPauseMs = 50;
// The file is read and written this much at a time, whatever its size.
constexpr DWORD kPieceBytes = 1u << 20;

std::wstring Reason(DWORD code) {
    return FailureOfSystemError(code).ReasonText();
}

std::wstring WriteError(const std::wstring& path, DWORD code) {
    return L"impossible d'écrire dans le journal d'annulation " + Quoted(path) + L" : " + Reason(code);
}

std::wstring ReadError(const std::wstring& path, DWORD code) {
    return L"impossible de lire le journal d'annulation " + Quoted(path) + L" : " + Reason(code);
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

// The user's SID as text ("S-1-5-21-…"); empty when the system cannot say.
std::wstring UserSid() {
    KernelHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Put()))
        return L"";
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !::GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size))
        return L"";
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return L"";
    const LocalMemory owned(text);
    return text;
}

// Lets only the user open the object, from every session and at every integrity level, so that an
// elevated copy and a plain one share it.
class UserOnlyAccess {
public:
    explicit UserOnlyAccess(const std::wstring& sid) {
        for (const wchar_t* label : {L"S:(ML;;NW;;;LW)", L""}) {
            const std::wstring sddl = L"D:P(A;;GA;;;" + sid + L")" + label;
            PSECURITY_DESCRIPTOR descriptor = nullptr;
            if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                                       &descriptor, nullptr)) {
                descriptor_.Reset(descriptor);
                break;
            }
        }
        attributes_.nLength = sizeof attributes_;
        attributes_.lpSecurityDescriptor = descriptor_.Get();
    }
    SECURITY_ATTRIBUTES* Get() { return descriptor_ ? &attributes_ : nullptr; }

private:
    LocalMemory descriptor_;
    SECURITY_ATTRIBUTES attributes_{};
};

// The named mutex under the user's global name, or, where the system refuses one (a policy, a
// name taken by someone else), under the session's.
HANDLE CreateJournalMutex(const std::wstring& sid, const std::wstring& globalName,
                          const std::wstring& localName) {
    if (!globalName.empty()) {
        UserOnlyAccess access(sid);
        if (HANDLE global = ::CreateMutexW(access.Get(), FALSE, globalName.c_str()))
            return global;
    }
    return ::CreateMutexW(nullptr, FALSE, localName.c_str());
}

// The lock every copy of the program takes on one journal: a named mutex, which the system hands
// on as abandoned when its holder dies. That is taken as the lock: the dead copy's whole lines are
// on disk, and the reader passes over a line it cut short.
class JournalLock {
public:
    JournalLock(const std::wstring& path, const std::wstring& sid, const std::wstring& globalName,
                const std::wstring& localName)
        : mutex_(CreateJournalMutex(sid, globalName, localName)) {
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
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        error = file ? ERROR_SUCCESS : ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION || attempt + 1 == kSharingAttempts)
            return file;
        ::Sleep(kSharingPauseMs);
    }
}

// One read of the journal under its lock: `read(result, file, error)` gets the file opened for
// reading, or an empty handle with the reason (no journal yet among them). Memory running out
// leaves nothing worth keeping.
template <typename Result, typename Read>
Result ReadUnderLock(const std::wstring& path, const std::wstring& sid, const std::wstring& lockName,
                     const std::wstring& localLockName, Read read) {
    Result result;
    try {
        const JournalLock lock(path, sid, lockName, localLockName);
        if (!lock.Held()) {
            result.Error = lock.Error();
            return result;
        }
        DWORD error = ERROR_SUCCESS;
        const FileHandle file = OpenJournal(path, GENERIC_READ, OPEN_EXISTING, error);
        read(result, file, error);
    } catch (const std::exception&) {
        result = Result{};
        result.Error = L"mémoire insuffisante pour lire le journal d'annulation " + Quoted(path);
    }
    return result;
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Hands the file from `offset` to its end to the splitter a piece at a time, until it wants no
// more; `end` is where the reading stopped.
DWORD ReadInto(HANDLE file, uint64_t offset, JournalLineSplitter& splitter, uint64_t* end = nullptr) {
    if (!::SetFilePointerEx(file, LARGE_INTEGER{.QuadPart = static_cast<LONGLONG>(offset)}, nullptr,
                            FILE_BEGIN))
        return ::GetLastError();
    std::vector<char> piece(kPieceBytes);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, piece.data(), kPieceBytes, &read, nullptr))
            return ::GetLastError();
        offset += read;
        if (read == 0 || !splitter.Feed(std::string_view(piece.data(), read)))
            break;
    }
    splitter.End();
    if (end)
        *end = offset;
    return ERROR_SUCCESS;
}

DWORD WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return ::GetLastError();
        if (written == 0)
            return ERROR_WRITE_FAULT;
        bytes.remove_prefix(written);
    }
    return ERROR_SUCCESS;
}

DWORD WriteAllAndFlush(HANDLE file, std::string_view bytes) {
    if (const DWORD error = WriteAll(file, bytes))
        return error;
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

// The lines a trim keeps, written a piece at a time.
class TrimmedWriter : public JournalLineSink {
public:
    TrimmedWriter(JournalTrimmer& trimmer, HANDLE file) : trimmer_(trimmer), file_(file) {}
    bool OnLine(const JournalLine& line) override {
        if (!trimmer_.Keeps(line))
            return true;
        pending_ += line.Text;
        pending_ += '\n';
        return pending_.size() < kPieceBytes || Flush();
    }
    // Writes what is gathered; false, with Error() set, when it could not.
    bool Flush() {
        if (error_ == ERROR_SUCCESS)
            error_ = WriteAll(file_, pending_);
        pending_.clear();
        return error_ == ERROR_SUCCESS;
    }
    DWORD Error() const { return error_; }

private:
    JournalTrimmer& trimmer_;
    HANDLE file_;
    std::string pending_;
    DWORD error_ = ERROR_SUCCESS;
};

// Copies the kept lines of `from`, from `offset` on, to the end of `to`.
DWORD CopyKept(HANDLE from, uint64_t offset, size_t line, JournalTrimmer& trimmer, HANDLE to) {
    TrimmedWriter writer(trimmer, to);
    JournalLineSplitter splitter =
        offset == 0 ? JournalLineSplitter(writer) : JournalLineSplitter(writer, offset, line);
    if (!::SetFilePointerEx(to, LARGE_INTEGER{}, nullptr, FILE_END))
        return ::GetLastError();
    if (const DWORD error = ReadInto(from, offset, splitter))
        return error;
    if (!writer.Flush())
        return writer.Error();
    return ::FlushFileBuffers(to) ? ERROR_SUCCESS : ::GetLastError();
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

// The open batches whose copy of the program still runs.
std::vector<uint64_t> RunningIds(const JournalStore& store, const std::vector<JournalBatchSummary>& batches) {
    std::vector<uint64_t> running;
    for (const JournalBatchSummary& batch : batches)
        if (!batch.Finished && RunningBatchMark::IsRunning(store, batch.Id))
            running.push_back(batch.Id);
    return running;
}

// Batches past the kept ones wait in the file to be dropped with others: they are gone, unless
// they still run.
template <typename Batch> void LeaveOutDropped(const JournalStore& store, std::vector<Batch>& batches) {
    if (batches.size() <= kJournalBatchesKept)
        return;
    std::vector<JournalBatchSummary> heads;
    for (const Batch& batch : batches)
        heads.push_back({batch.Id, batch.Undoes, batch.Finished});
    const std::vector<uint64_t> kept = BatchesToKeep(heads, kJournalBatchesKept, RunningIds(store, heads));
    std::erase_if(batches, [&kept](const Batch& batch) {
        return std::find(kept.begin(), kept.end(), batch.Id) == kept.end();
    });
}

// Passes over a journal read from a batch's begin line on whose first line is not that one: the
// file was trimmed since its summary was read.
class BeginsWith : public JournalLineSink {
public:
    BeginsWith(JournalLineSink& sink, uint64_t id)
        : sink_(sink), begin_("lot\t" + std::to_string(id) + "\t") {}
    bool OnLine(const JournalLine& line) override {
        if (!checked_) {
            checked_ = true;
            matched_ = line.Text.starts_with(begin_);
            if (!matched_)
                return false;
        }
        return sink_.OnLine(line);
    }
    bool Matched() const { return matched_; }

private:
    JournalLineSink& sink_;
    std::string begin_;
    bool checked_ = false;
    bool matched_ = false;
};

} // namespace

JournalStore::JournalStore(std::wstring folder) : JournalStore(std::move(folder), Tuning{}) {}

JournalStore::JournalStore(std::wstring folder, Tuning tuning)
    : folder_(StripTrailingBackslashes(folder)), path_(folder_.empty() ? L"" : folder_ + L"\\journal.txt"),
      tuning_(std::move(tuning)), sid_(UserSid()) {
    const std::wstring name = L"Kavet24-" + (sid_.empty() ? L"" : sid_ + L"-") + PathKey(path_);
    if (!sid_.empty())
        globalPrefix_ = L"Global\\" + name;
    localPrefix_ = L"Local\\" + name;
}

std::wstring JournalStore::DefaultFolder() {
    wchar_t* base = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &base)) && base)
        folder = std::wstring(base) + L"\\Kavet24";
    ::CoTaskMemFree(base);
    // Empty when the system cannot say: no batch then begins.
    return folder;
}

std::wstring JournalStore::LockName() const {
    return (globalPrefix_.empty() ? localPrefix_ : globalPrefix_) + L"-journal";
}

JournalStore::ReadResult JournalStore::Read() const {
    return ReadUnderLock<ReadResult>(path_, sid_, globalPrefix_ + L"-journal", localPrefix_ + L"-journal",
                                     [this](ReadResult& result, const FileHandle& file, DWORD error) {
                                         if (!file && IsMissing(error)) {
                                             result.Contents.Recognised =
                                                 true; // no journal yet: an empty one
                                             return;
                                         }
                                         JournalContents& contents = result.Contents;
                                         JournalParser parser(contents);
                                         JournalLineSplitter splitter(parser);
                                         if (file)
                                             error = ReadInto(file.Get(), 0, splitter);
                                         if (error != ERROR_SUCCESS) {
                                             result = ReadResult{};
                                             result.Error = ReadError(path_, error);
                                             return;
                                         }
                                         parser.Finish(splitter.LastLine());
                                         contents.Recognised = splitter.Recognised();
                                         if (!contents.Recognised) {
                                             result = ReadResult{};
                                             result.Error = Unusable(path_, splitter.Problem());
                                             return;
                                         }
                                         LeaveOutDropped(*this, contents.Batches);
                                     });
}

JournalStore::ReadResult JournalStore::ReadBatch(const JournalBatchSummary& batch) const {
    return ReadUnderLock<ReadResult>(path_, sid_, globalPrefix_ + L"-journal", localPrefix_ + L"-journal",
                                     [this, &batch](ReadResult& result, const FileHandle& file, DWORD error) {
                                         // From the batch's begin line, where the summary found it, or from
                                         // the start when the file has changed since.
                                         for (const bool fromBegin : {true, false}) {
                                             if (!file || (fromBegin && batch.Line < 2))
                                                 continue;
                                             result.Contents = JournalContents{};
                                             JournalParser parser(result.Contents, batch.Id);
                                             BeginsWith checked(parser, batch.Id);
                                             JournalLineSplitter splitter =
                                                 fromBegin
                                                     ? JournalLineSplitter(checked, batch.Offset, batch.Line)
                                                     : JournalLineSplitter(parser);
                                             error =
                                                 ReadInto(file.Get(), fromBegin ? batch.Offset : 0, splitter);
                                             if (error != ERROR_SUCCESS)
                                                 break;
                                             if (fromBegin && !checked.Matched())
                                                 continue;
                                             parser.Finish(splitter.LastLine());
                                             result.Contents.Recognised = splitter.Recognised();
                                             break;
                                         }
                                         if (error != ERROR_SUCCESS && !IsMissing(error)) {
                                             result = ReadResult{};
                                             result.Error = ReadError(path_, error);
                                         }
                                     });
}

JournalStore::SummaryResult JournalStore::Summary() const {
    return ReadUnderLock<SummaryResult>(path_, sid_, globalPrefix_ + L"-journal", localPrefix_ + L"-journal",
                                        [this](SummaryResult& result, const FileHandle& file, DWORD error) {
                                            if (!file && IsMissing(error)) {
                                                result.Summary.Recognised = true;
                                                return;
                                            }
                                            JournalSummarizer summarizer(result.Summary, true);
                                            JournalLineSplitter splitter(summarizer);
                                            if (file)
                                                error = ReadInto(file.Get(), 0, splitter);
                                            if (error != ERROR_SUCCESS) {
                                                result = SummaryResult{};
                                                result.Error = ReadError(path_, error);
                                                return;
                                            }
                                            summarizer.Finish();
                                            result.Summary.Recognised = splitter.Recognised();
                                            result.Summary.Problem = splitter.Problem();
                                            if (!result.Summary.Recognised) {
                                                result.Summary.Batches.clear();
                                                result.Error = Unusable(path_, splitter.Problem());
                                                return;
                                            }
                                            LeaveOutDropped(*this, result.Summary.Batches);
                                        });
}

JournalStore::BeginResult JournalStore::Begin(const std::wstring& operation, const std::wstring& folder,
                                              uint64_t undoes) {
    if (folder_.empty())
        return {0, L"le dossier des données locales de l'utilisateur est introuvable"};
    if (const DWORD error = MakeFolder(folder_))
        return {0, L"impossible de créer le dossier du journal d'annulation " + Quoted(folder_) + L" : " +
                       Reason(error)};
    // Held across the read, the trim's copy and its move, and the append.
    const JournalLock lock(path_, sid_, globalPrefix_ + L"-journal", localPrefix_ + L"-journal");
    if (!lock.Held())
        return {0, lock.Error()};

    DWORD error = ERROR_SUCCESS;
    FileHandle file = OpenJournal(path_, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, error);
    // Only the ids, the count of batches and where they begin matter here: the file lines are
    // passed over.
    JournalSummary contents;
    uint64_t size = 0;
    try {
        JournalSummarizer summarizer(contents, false);
        JournalLineSplitter splitter(summarizer);
        if (file)
            error = ReadInto(file.Get(), 0, splitter, &size);
        contents.Recognised = splitter.Recognised();
        contents.Problem = splitter.Problem();
    } catch (const std::exception&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (error != ERROR_SUCCESS)
        return {0, WriteError(path_, error)};
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
    const std::string beginLine = JournalBeginLine(batch);

    // With this one, the last kJournalBatchesKept are kept. The dropped ones leave once enough of
    // them have gathered, by count or by bytes, so that not every batch rewrites the whole file.
    const std::vector<JournalBatchSummary>& batches = contents.Batches;
    const size_t keep = kJournalBatchesKept - 1;
    const std::vector<uint64_t> kept = BatchesToKeep(batches, keep, RunningIds(*this, batches));
    const bool manyDropped = batches.size() >= kJournalBatchesKept + kJournalBatchesSlack;
    const bool bigDropped =
        batches.size() > keep && batches[batches.size() - keep].Offset >= tuning_.DroppedBytesBound;
    if (kept.size() < batches.size() && (manyDropped || bigDropped)) {
        try {
            error = Trim(file, kept, size, beginLine);
        } catch (const std::exception&) {
            error = ERROR_NOT_ENOUGH_MEMORY;
        }
        if (error == ERROR_SUCCESS)
            return {batch.Id, L""};
        // Another program holds the journal, or the disk is full: the dropped batches wait for the
        // next begin, and this one is appended.
        if (!file)
            file = OpenJournal(path_, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, error);
    }
    if (file)
        error = AppendLines(file.Get(), beginLine);
    if (error != ERROR_SUCCESS)
        return {0, WriteError(path_, error)};
    return {batch.Id, L""};
}

// The kept lines are copied beside and flushed, then the copy replaces the journal, the old one
// kept a moment as a backup: lines another writer appended to it after the copy (one that does
// not share the lock) are carried over from it, so that none is lost. A crash leaves one file or
// the other whole.
DWORD JournalStore::Trim(FileHandle& file, const std::vector<uint64_t>& kept, uint64_t size,
                         const std::string& beginLine) {
    const std::wstring copyPath = folder_ + L"\\journal.tmp";
    const std::wstring backupPath = folder_ + L"\\journal.old";
    JournalTrimmer trimmer(kept);
    DWORD error = ERROR_SUCCESS;
    {
        FileHandle copy = OpenJournal(copyPath, GENERIC_WRITE, CREATE_ALWAYS, error);
        if (copy)
            error = WriteAll(copy.Get(), JournalHeaderLine());
        if (error == ERROR_SUCCESS)
            error = CopyKept(file.Get(), 0, 0, trimmer, copy.Get());
        if (error == ERROR_SUCCESS)
            error = WriteAllAndFlush(copy.Get(), beginLine);
    }
    if (error != ERROR_SUCCESS) {
        ::DeleteFileW(ApiPath(copyPath).c_str());
        return error;
    }
    file.Reset();
    if (tuning_.BeforeReplace)
        tuning_.BeforeReplace();
    for (int attempt = 0;; ++attempt) {
        if (::ReplaceFileW(ApiPath(path_).c_str(), ApiPath(copyPath).c_str(), ApiPath(backupPath).c_str(),
                           REPLACEFILE_WRITE_THROUGH, nullptr, nullptr))
            break;
        error = ::GetLastError();
        // The journal was moved to the backup and the copy not put in its place: it goes back.
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            ::MoveFileExW(ApiPath(backupPath).c_str(), ApiPath(path_).c_str(), MOVEFILE_WRITE_THROUGH);
        if (error != ERROR_SHARING_VIOLATION || attempt + 1 == kSharingAttempts) {
            ::DeleteFileW(ApiPath(copyPath).c_str());
            return error;
        }
        ::Sleep(kSharingPauseMs);
    }
    // The lines written to the old journal after its copy: the trimmer goes on where it stopped, and
    // keeps the batches begun meanwhile.
    {
        const FileHandle backup = OpenJournal(backupPath, GENERIC_READ, OPEN_EXISTING, error);
        LARGE_INTEGER now{};
        if (backup && ::GetFileSizeEx(backup.Get(), &now) && static_cast<uint64_t>(now.QuadPart) > size) {
            const FileHandle journal = OpenJournal(path_, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, error);
            trimmer.KeepBatchesBegunFromNow();
            if (journal)
                error = CopyKept(backup.Get(), size, 1, trimmer, journal.Get());
        }
    }
    ::DeleteFileW(ApiPath(backupPath).c_str());
    return error;
}

std::wstring JournalStore::Append(const std::string& lines) {
    if (lines.empty())
        return L"";
    const JournalLock lock(path_, sid_, globalPrefix_ + L"-journal", localPrefix_ + L"-journal");
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
    : handle_(CreateJournalMutex(store.sid_, store.globalPrefix_.empty() ? L"" : Name(store, id),
                                 store.localPrefix_ + L"-lot-" + std::to_wstring(id))) {}

RunningBatchMark::~RunningBatchMark() {
    if (handle_)
        ::CloseHandle(handle_);
}

bool RunningBatchMark::IsRunning(const JournalStore& store, uint64_t id) {
    // Under the session's name when the system refused the user's global one.
    for (const std::wstring& prefix : {store.globalPrefix_, store.localPrefix_})
        if (!prefix.empty() &&
            KernelHandle(::OpenMutexW(SYNCHRONIZE, FALSE, (prefix + L"-lot-" + std::to_wstring(id)).c_str())))
            return true;
    return false;
}

std::wstring RunningBatchMark::Name(const JournalStore& store, uint64_t id) {
    return (store.globalPrefix_.empty() ? store.localPrefix_ : store.globalPrefix_) + L"-lot-" +
           std::to_wstring(id);
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
