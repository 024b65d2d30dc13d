// The one place that bounds every read by the source's size.
#include "readers/ByteSource.h"

#include <algorithm>

std::optional<std::string> ByteSource::ReadAt(uint64_t offset, size_t count) {
    const uint64_t size = Size();
    if (offset >= size || count == 0)
        return std::string();
    const uint64_t within = std::min<uint64_t>(count, size - offset);
    std::optional<std::string> bytes = Read(offset, static_cast<size_t>(within));
    if (bytes && bytes->size() > within)
        bytes->resize(static_cast<size_t>(within));
    return bytes;
}
