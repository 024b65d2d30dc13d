// The fuzzer's input as a byte source that aborts on any read past its end, so that a reader
// asking for more than the source's size is caught as a crash.
#pragma once

#include "readers/ByteSource.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

class FuzzBytes : public ByteSource {
public:
    explicit FuzzBytes(std::string bytes) : bytes_(std::move(bytes)) {}
    uint64_t Size() const override { return bytes_.size(); }

protected:
    std::optional<std::string> Read(uint64_t offset, size_t count) override {
        if (offset + count > bytes_.size())
            std::abort();
        return bytes_.substr(static_cast<size_t>(offset), count);
    }

private:
    std::string bytes_;
};
