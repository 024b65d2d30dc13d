// The remembered folder read on a thread of its own from the program's first moment, while the
// window is being built: a folder of a hundred thousand files then costs the start little more
// than its read. The window takes the listing only when it lists that same folder through that
// same mask, and only when nothing in the folder changed since the read began; otherwise it reads
// the folder itself, as it would have without this.
#pragma once

#include "base/Handles.h"
#include "listing/FileListing.h"

#include <optional>
#include <string>
#include <thread>

class FolderPrefetch {
public:
    // Starts the read of folder through mask.
    FolderPrefetch(std::wstring folder, std::wstring mask);
    // Waits for the read: it holds nothing that may outlive the object.
    ~FolderPrefetch();
    FolderPrefetch(const FolderPrefetch&) = delete;
    FolderPrefetch& operator=(const FolderPrefetch&) = delete;

    // The listing read, when it is of folder (any letter case) through mask and the folder is
    // unchanged since the read began; waits for the read to end. Once only.
    std::optional<TFileListing> Take(const std::wstring& folder, const std::wstring& mask);

private:
    std::wstring folder_;
    std::wstring mask_;
    // Made before the read: a change during the read is heard, never missed.
    ChangeHandle change_;
    TFileListing listing_;
    bool taken_ = false;
    std::thread reader_;
};
