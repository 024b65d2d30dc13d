// The bytes of a file as the readers of dates see them: a size and reads at any offset, so that a
// reader can seek to what it needs and tests can hand it bytes from memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The size the source gives itself; its bytes may end sooner, as a file cut short while read.
    virtual uint64_t Size() const = 0;

    // The bytes from `offset`, at most `count` and never past Size(): a length read from a damaged
    // file cannot make the source read or allocate beyond it. Fewer when the source ends sooner
    // than it said; none when it cannot be read.
    std::optional<std::string> ReadAt(uint64_t offset, size_t count);

protected:
    // Called with a range that lies within Size(), and never an empty one.
    virtual std::optional<std::string> Read(uint64_t offset, size_t count) = 0;
};
