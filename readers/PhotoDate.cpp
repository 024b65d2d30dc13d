// Reading the head of a photo, a little at first and more only when needed.
#include "readers/PhotoDate.h"

#include <algorithm>
#include <string>

namespace {

constexpr size_t kFirstReading = 64 * 1024;

bool LooksLikePhoto(const std::string& head) {
    return head.starts_with("\xFF\xD8") || head.starts_with(std::string("II*\0", 4)) ||
           head.starts_with(std::string("MM\0*", 4));
}

} // namespace

std::variant<ExifDate, NoPhotoDate> ReadPhotoDate(ByteSource& source) {
    std::string head;
    for (size_t reading = kFirstReading;; reading *= 4) {
        const size_t wanted = std::min(reading, kExifBytesRead);
        const std::optional<std::string> more = source.ReadAt(head.size(), wanted - head.size());
        if (!more)
            return NoPhotoDate::Unreadable;
        head += *more;
        if (!LooksLikePhoto(head))
            return NoPhotoDate::NotJpegOrTiff;
        if (const std::optional<ExifDate> taken = ReadExifDate(head))
            return *taken;
        // The whole file, or as much of it as is worth reading, has been read.
        if (head.size() < wanted || wanted == kExifBytesRead)
            return NoPhotoDate::NoDateWritten;
    }
}
