// Reading the head of a photo file and turning its Exif date into a stamp.
#include "operations/PhotoDate.h"

#include "base/FileTimeTicks.h"
#include "base/Handles.h"
#include "operations/ApiPath.h"
#include "operations/ExifDate.h"
#include "operations/SystemFailure.h"

#include <windows.h>

#include <string>

namespace {

constexpr uint64_t kTicksPerMinute = 600'000'000;

// Opens the file to read it without moving its last-access time: asked of the platform where it
// can, put back afterwards where it cannot. Reading a photo must not change a stamp the user did
// not choose.
class UntouchedReader {
public:
    explicit UntouchedReader(const std::wstring& path) {
        const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        file_ = FileHandle(::CreateFileW(ApiPath(path).c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, share,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        canRestore_ = static_cast<bool>(file_);
        if (!file_)
            file_ = FileHandle(::CreateFileW(ApiPath(path).c_str(), GENERIC_READ, share, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file_)
            return;
        canRestore_ = canRestore_ && ::GetFileTime(file_.Get(), nullptr, &accessed_, nullptr);
        if (canRestore_) {
            FILETIME keep{0xFFFFFFFF, 0xFFFFFFFF};
            ::SetFileTime(file_.Get(), nullptr, &keep, nullptr);
        }
    }
    ~UntouchedReader() {
        FILETIME now{};
        if (canRestore_ && ::GetFileTime(file_.Get(), nullptr, &now, nullptr) &&
            FileTimeTicks(now) != FileTimeTicks(accessed_))
            ::SetFileTime(file_.Get(), nullptr, &accessed_, nullptr);
    }
    UntouchedReader(const UntouchedReader&) = delete;
    UntouchedReader& operator=(const UntouchedReader&) = delete;

    bool IsOpen() const { return static_cast<bool>(file_); }
    HANDLE Get() const { return file_.Get(); }

private:
    FileHandle file_;
    FILETIME accessed_{};
    bool canRestore_ = false;
};

// The first bytes of the file, at most kExifBytesRead; none, with the reason, when unreadable.
std::optional<std::string> ReadHead(const std::wstring& path, FileOutcome& why) {
    UntouchedReader file(path);
    if (!file.IsOpen()) {
        why = FailureOfLastError();
        return std::nullopt;
    }
    std::string bytes(kExifBytesRead, '\0');
    size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled), &read,
                        nullptr)) {
            why = FailureOfLastError();
            return std::nullopt;
        }
        if (read == 0)
            break;
        filled += read;
    }
    bytes.resize(filled);
    return bytes;
}

bool LooksLikePhoto(const std::string& head) {
    return head.starts_with("\xFF\xD8") || head.starts_with(std::string("II*\0", 4)) ||
           head.starts_with(std::string("MM\0*", 4));
}

// The instant of a date-time read as UTC, then moved back by the offset it was written with.
std::optional<uint64_t> ExactStamp(const CivilTime& local, int offsetMinutes) {
    SYSTEMTIME civil{static_cast<WORD>(local.Year),
                     static_cast<WORD>(local.Month),
                     0,
                     static_cast<WORD>(local.Day),
                     static_cast<WORD>(local.Hour),
                     static_cast<WORD>(local.Minute),
                     static_cast<WORD>(local.Second),
                     0};
    FILETIME asUtc{};
    if (!::SystemTimeToFileTime(&civil, &asUtc))
        return std::nullopt;
    const int64_t ticks = static_cast<int64_t>(FileTimeTicks(asUtc)) -
                          static_cast<int64_t>(offsetMinutes) * static_cast<int64_t>(kTicksPerMinute);
    if (ticks < 0)
        return std::nullopt;
    return static_cast<uint64_t>(ticks);
}

} // namespace

std::optional<uint64_t> PhotoTakenStamp(const FileStamping& stamping, const std::wstring& path,
                                        FileOutcome& why) {
    const std::optional<std::string> head = ReadHead(path, why);
    if (!head)
        return std::nullopt;
    const std::optional<ExifDate> taken = ReadExifDate(*head);
    if (!taken) {
        why = FileOutcome::Failed(Failure::Other, LooksLikePhoto(*head) ? L"aucune date de prise de vue"
                                                                        : L"ni JPEG ni TIFF");
        return std::nullopt;
    }
    const std::optional<uint64_t> stamp = taken->OffsetMinutes
                                              ? ExactStamp(taken->Local, *taken->OffsetMinutes)
                                              : stamping.StampOf(path, taken->Local);
    const std::optional<uint64_t> held = stamp ? stamping.HoldableTicks(path, *stamp) : std::nullopt;
    if (!held)
        why = FileOutcome::Failed(Failure::DateOutOfRange);
    return held;
}
