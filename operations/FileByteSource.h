// A file on disk as the readers of dates read it: opened for reading, shared with every other
// opener, and without moving its last-access time, since reading a photo must not change a stamp
// the user did not choose.
#pragma once

#include "base/Handles.h"
#include "operations/FileOutcome.h"
#include "readers/ByteSource.h"

#include <string>

class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const std::wstring& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool IsOpen() const { return static_cast<bool>(file_); }
    // Why the file could not be opened, or why the last read failed.
    const FileOutcome& LastFailure() const { return lastFailure_; }

    uint64_t Size() const override { return size_; }

protected:
    std::optional<std::string> Read(uint64_t offset, size_t count) override;

private:
    FileHandle file_;
    uint64_t size_ = 0;
    FILETIME accessed_{};
    bool canRestore_ = false;
    FileOutcome lastFailure_;
};
