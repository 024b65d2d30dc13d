// A block of at least 64 KiB is read at a time: a file's headers lie close together, and a reader
// asks for them a few bytes at a time.
#include "readers/SourceReader.h"

#include <algorithm>

namespace {

constexpr size_t kBlock = 64 * 1024;

} // namespace

SourceReader::SourceReader(ByteSource& source, uint64_t limit)
    : source_(source), size_(std::min(source.Size(), limit)) {}

bool SourceReader::Fill(uint64_t offset, size_t count) {
    if (offset >= blockAt_ && offset - blockAt_ <= block_.size() &&
        count <= block_.size() - (offset - blockAt_))
        return true;
    if (failed_ || offset >= size_)
        return false;
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(std::max(count, kBlock), size_ - offset));
    std::optional<std::string> bytes = source_.ReadAt(offset, wanted);
    if (!bytes) {
        failed_ = true;
        return false;
    }
    blockAt_ = offset;
    block_ = std::move(*bytes);
    return true;
}

std::optional<std::string_view> SourceReader::Exact(uint64_t offset, size_t count) {
    if (offset > size_ || count > size_ - offset)
        return std::nullopt;
    if (count == 0)
        return std::string_view();
    const std::string_view got = AtMost(offset, count);
    if (got.size() != count)
        return std::nullopt;
    return got;
}

std::string_view SourceReader::AtMost(uint64_t offset, size_t count) {
    if (offset >= size_ || count == 0)
        return {};
    count = static_cast<size_t>(std::min<uint64_t>(count, size_ - offset));
    if (!Fill(offset, count)) {
        // The block may hold the start of the range though not all of it.
        if (offset < blockAt_ || offset - blockAt_ >= block_.size())
            return {};
    }
    const std::string_view block(block_);
    return block.substr(static_cast<size_t>(offset - blockAt_), count);
}

std::optional<uint64_t> SourceReader::BigEndian(uint64_t offset, int size) {
    const std::optional<std::string_view> bytes = Exact(offset, static_cast<size_t>(size));
    if (!bytes)
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : *bytes)
        value = value << 8 | static_cast<uint8_t>(c);
    return value;
}
