// Bytes in memory as a ByteSource for the readers' tests: it may claim a size other than its own,
// fail from a given read on, and it records the ranges it was asked for.
#pragma once

#include "readers/ByteSource.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string bytes, std::optional<uint64_t> claimedSize = std::nullopt)
        : bytes_(std::move(bytes)), size_(claimedSize.value_or(bytes_.size())) {}

    uint64_t Size() const override { return size_; }
    // The reads from the `index`th on (counting from 0) fail.
    void FailFromRead(size_t index) { failFrom_ = index; }

    std::vector<std::pair<uint64_t, size_t>> Reads; // offset and count of each read asked

protected:
    std::optional<std::string> Read(uint64_t offset, size_t count) override {
        Reads.emplace_back(offset, count);
        if (failFrom_ && Reads.size() > *failFrom_)
            return std::nullopt;
        if (offset >= bytes_.size())
            return std::string();
        return bytes_.substr(static_cast<size_t>(offset), count);
    }

private:
    std::string bytes_;
    uint64_t size_;
    std::optional<size_t> failFrom_;
};
