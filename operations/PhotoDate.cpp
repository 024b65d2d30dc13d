// Reading the head of a photo file and turning its Exif date into a stamp.
#include "operations/PhotoDate.h"

#include "base/FileTimeTicks.h"
#include "base/Handles.h"
#include "operations/ApiPath.h"
#include "operations/ExifDate.h"
#include "operations/SystemFailure.h"

#include <windows.h>

#include <algorithm>
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

// Reads on until `bytes` holds the first `size` bytes of the file, or all of a shorter one; false,
// with the reason, when the file cannot be read.
bool ReadUpTo(const UntouchedReader& file, size_t size, std::string& bytes, FileOutcome& why) {
    size_t filled = bytes.size();
    bytes.resize(size);
    while (filled < size) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), bytes.data() + filled, static_cast<DWORD>(size - filled), &read,
                        nullptr)) {
            why = FailureOfLastError();
            return false;
        }
        if (read == 0)
            break;
        filled += read;
    }
    bytes.resize(filled);
    return true;
}

bool LooksLikePhoto(const std::string& head) {
    return head.starts_with("\xFF\xD8") || head.starts_with(std::string("II*\0", 4)) ||
           head.starts_with(std::string("MM\0*", 4));
}

// The date the photo at `path` was taken; none, with the reason, when there is none to be read.
// A camera writes its Exif data first, within 64 KiB: most files are read no further than that,
// and only a photo whose date is not found there is read further, up to kExifBytesRead.
std::optional<ExifDate> ReadPhotoDate(const std::wstring& path, FileOutcome& why) {
    const UntouchedReader file(path);
    if (!file.IsOpen()) {
        why = FailureOfLastError();
        return std::nullopt;
    }
    std::string bytes;
    for (size_t size = 64 * 1024;; size *= 4) {
        if (!ReadUpTo(file, std::min(size, kExifBytesRead), bytes, why))
            return std::nullopt;
        if (!LooksLikePhoto(bytes)) {
            why = FileOutcome::Failed(Failure::Other, L"ni JPEG ni TIFF");
            return std::nullopt;
        }
        if (const std::optional<ExifDate> taken = ReadExifDate(bytes))
            return taken;
        if (bytes.size() < std::min(size, kExifBytesRead) || size >= kExifBytesRead) {
            why = FileOutcome::Failed(Failure::Other, L"aucune date de prise de vue");
            return std::nullopt;
        }
    }
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
    const std::optional<ExifDate> taken = ReadPhotoDate(path, why);
    if (!taken)
        return std::nullopt;
    const std::optional<uint64_t> stamp = taken->OffsetMinutes
                                              ? ExactStamp(taken->Local, *taken->OffsetMinutes)
                                              : stamping.StampOf(path, taken->Local);
    const std::optional<uint64_t> held = stamp ? stamping.HoldableTicks(path, *stamp) : std::nullopt;
    if (!held)
        why = FileOutcome::Failed(Failure::DateOutOfRange);
    return held;
}
