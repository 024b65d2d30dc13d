// Opening a file without touching its last-access time: asked of the platform where it can, put
// back afterwards where it cannot.
#include "operations/FileByteSource.h"

#include "base/FileTimeTicks.h"
#include "operations/ApiPath.h"
#include "operations/SystemFailure.h"

#include <algorithm>

namespace {

// One ReadFile takes a 32-bit count.
constexpr size_t kMostPerCall = 1u << 30;

} // namespace

FileByteSource::FileByteSource(const std::wstring& path) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    file_ = FileHandle(::CreateFileW(ApiPath(path).c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, share,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    canRestore_ = static_cast<bool>(file_);
    if (!file_)
        file_ = FileHandle(::CreateFileW(ApiPath(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file_ || !::GetFileSizeEx(file_.Get(), &size)) {
        lastFailure_ = FailureOfLastError();
        file_.Reset();
        canRestore_ = false;
        return;
    }
    size_ = static_cast<uint64_t>(size.QuadPart);
    canRestore_ = canRestore_ && ::GetFileTime(file_.Get(), nullptr, &accessed_, nullptr);
    if (canRestore_) {
        FILETIME keep{0xFFFFFFFF, 0xFFFFFFFF};
        ::SetFileTime(file_.Get(), nullptr, &keep, nullptr);
    }
}

FileByteSource::~FileByteSource() {
    FILETIME now{};
    if (canRestore_ && ::GetFileTime(file_.Get(), nullptr, &now, nullptr) &&
        FileTimeTicks(now) != FileTimeTicks(accessed_))
        ::SetFileTime(file_.Get(), nullptr, &accessed_, nullptr);
}

// Reads on until `count` bytes are in, or the file ends sooner than its size said.
std::optional<std::string> FileByteSource::Read(uint64_t offset, size_t count) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!file_ || !::SetFilePointerEx(file_.Get(), at, nullptr, FILE_BEGIN)) {
        lastFailure_ = FailureOfLastError();
        return std::nullopt;
    }
    std::string bytes(count, '\0');
    size_t filled = 0;
    while (filled < count) {
        DWORD read = 0;
        const DWORD asked = static_cast<DWORD>(std::min(count - filled, kMostPerCall));
        if (!::ReadFile(file_.Get(), bytes.data() + filled, asked, &read, nullptr)) {
            lastFailure_ = FailureOfLastError();
            return std::nullopt;
        }
        if (read == 0)
            break;
        filled += read;
    }
    bytes.resize(filled);
    return bytes;
}
