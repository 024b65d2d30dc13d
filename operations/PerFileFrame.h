// The frame around every per-file operation: the file's attributes are read, cleared so that a
// read-only, hidden or system file can be written or renamed, and always put back afterwards,
// and no exception leaves the operation.
#pragma once

#include "operations/FileOutcome.h"

#include <functional>
#include <string>

class PerFileFrame {
public:
    using Work = std::function<FileOutcome(PerFileFrame& frame)>;

    // Runs `work` on the file or folder at `path` inside the frame and returns its outcome; not
    // done, with nothing done, when the path names nothing, or when anything throws. The
    // attributes read are restored in every case.
    static FileOutcome Run(const std::wstring& path, const Work& work) noexcept;

    // Where the file is now: the path given, or the one a successful rename reported.
    const std::wstring& Path() const { return path_; }
    // After a rename, the attributes go back onto the file under its new name: under the old one
    // another file may answer (a folder that tells names apart by letter case).
    void MovedTo(std::wstring path);

    PerFileFrame(const PerFileFrame&) = delete;
    PerFileFrame& operator=(const PerFileFrame&) = delete;

private:
    explicit PerFileFrame(std::wstring path);

    std::wstring path_;
    std::wstring apiPath_;
};
