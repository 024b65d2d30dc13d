// Date-time stamping of one file.
#include "operations/FileStamping.h"

#include "listing/FileTimes.h"
#include "operations/ApiPath.h"
#include "operations/PerFileFrame.h"
#include "base/Handles.h"

#include <optional>

namespace {

// Empty while the platform's writer is in use.
FileTimeWriter g_batchWriter;

FileStamping BatchStamping() {
    return g_batchWriter ? FileStamping(g_batchWriter) : FileStamping();
}

std::optional<FILETIME> ToUtcFileTime(const std::wstring& path, const CivilTime& local) {
    LocalTimeConverter converter(VolumeStampClock(path));
    const std::optional<uint64_t> ticks = converter.ToUtc(local);
    if (!ticks)
        return std::nullopt;
    return FILETIME{static_cast<DWORD>(*ticks & 0xFFFFFFFFu), static_cast<DWORD>(*ticks >> 32)};
}

} // namespace

bool PlatformFileTimeWriter(HANDLE file, const FILETIME& creation, const FILETIME& lastAccess,
                            const FILETIME& lastWrite) {
    return ::SetFileTime(file, &creation, &lastAccess, &lastWrite) != FALSE;
}

CivilTime PlatformLocalClock() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return CivilTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

FileStamping::FileStamping(FileTimeWriter writer, LocalClock clock)
    : writer_(std::move(writer)), clock_(std::move(clock)) {}

bool FileStamping::FileSetDateTime(const std::wstring& path, const CivilTime& local, int actionMask) const {
    // Checked before the frame, so that a bad request touches no file at all.
    if (actionMask < 1 || actionMask > 7)
        return false;
    const std::optional<FILETIME> stamp = ToUtcFileTime(path, local);
    if (!stamp)
        return false;
    return PerFileFrame::Run(path,
                             [&](PerFileFrame& frame) { return Stamp(frame.Path(), *stamp, actionMask); });
}

bool FileStamping::FileTimeZero(const std::wstring& path) const {
    return PerFileFrame::Run(path, [&](PerFileFrame& frame) {
        const CivilTime now = clock_();
        const std::optional<FILETIME> midnight =
            ToUtcFileTime(frame.Path(), CivilTime{now.Year, now.Month, now.Day, 0, 0, 0, 0});
        return midnight &&
               Stamp(frame.Path(), *midnight, kStampCreation | kStampLastWrite | kStampLastAccess);
    });
}

bool FileStamping::Stamp(const std::wstring& path, const FILETIME& stamp, int actionMask) const {
    if (!writer_)
        return false;
    // One handle for reading and writing, shared with nobody: no other program can change the
    // stamps between the two, and a file another program holds open is left alone.
    FileHandle file(::CreateFileW(ApiPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    FILETIME creation{};
    FILETIME lastAccess{};
    FILETIME lastWrite{};
    if (!::GetFileTime(file.Get(), &creation, &lastAccess, &lastWrite))
        return false;
    if (actionMask & kStampCreation)
        creation = stamp;
    if (actionMask & kStampLastWrite)
        lastWrite = stamp;
    if (actionMask & kStampLastAccess)
        lastAccess = stamp;
    return writer_(file.Get(), creation, lastAccess, lastWrite);
}

bool FileSetDateTime(const std::wstring& path, const CivilTime& local, int actionMask) {
    return BatchStamping().FileSetDateTime(path, local, actionMask);
}

bool FileTimeZero(const std::wstring& path) {
    return BatchStamping().FileTimeZero(path);
}

ScopedFileTimeWriter::ScopedFileTimeWriter(FileTimeWriter writer) : previous_(std::move(g_batchWriter)) {
    g_batchWriter = std::move(writer);
}

ScopedFileTimeWriter::~ScopedFileTimeWriter() {
    g_batchWriter = std::move(previous_);
}
