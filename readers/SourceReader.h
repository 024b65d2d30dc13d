// Reads of a ByteSource as the date readers walk a file: exact ranges or none, a block kept from
// the last read so that neighbouring small reads cost one call, and a failure remembered so that
// a walk cut short by it can say the file was unreadable rather than undated.
#pragma once

#include "readers/ByteSource.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class SourceReader {
public:
    // Nothing at or past `limit` is read, whatever the source's size.
    explicit SourceReader(ByteSource& source, uint64_t limit = UINT64_MAX);

    // The bytes a reader may look at: the source's size, or the limit when lower.
    uint64_t Size() const { return size_; }
    bool Failed() const { return failed_; }
    // Nothing at or past `limit` is read from now on.
    void Limit(uint64_t limit) { size_ = std::min(size_, limit); }

    // Exactly `count` bytes from `offset`; none when they do not all lie within Size(), the source
    // ends sooner than it said, or it fails.
    std::optional<std::string_view> Exact(uint64_t offset, size_t count);
    // Up to `count` bytes from `offset`, fewer where the source ends.
    std::string_view AtMost(uint64_t offset, size_t count);

    // The big-endian unsigned number of `size` bytes (at most 8) at `offset`.
    std::optional<uint64_t> BigEndian(uint64_t offset, int size);

private:
    bool Fill(uint64_t offset, size_t count);

    ByteSource& source_;
    uint64_t size_ = 0;
    bool failed_ = false;
    uint64_t blockAt_ = 0;
    std::string block_;
};

// Bytes already in memory as a ByteSource, so that what was read whole (a JPEG's Exif segment)
// goes through the same readers as a file.
class MemoryBytes : public ByteSource {
public:
    explicit MemoryBytes(std::string_view bytes) : bytes_(bytes) {}
    uint64_t Size() const override { return bytes_.size(); }

protected:
    std::optional<std::string> Read(uint64_t offset, size_t count) override {
        return std::string(bytes_.substr(static_cast<size_t>(offset), count));
    }

private:
    std::string_view bytes_;
};
