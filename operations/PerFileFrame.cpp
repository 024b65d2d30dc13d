// Attribute save, clear and restore around one file's operation.
#include "operations/PerFileFrame.h"

#include "operations/ApiPath.h"
#include "operations/SystemFailure.h"

#include <windows.h>

namespace {

// Puts the attributes back when the work ends, normally or by an exception. Its destructor only
// makes a platform call on a path prepared beforehand, so it cannot throw.
class AttributeRestorer {
public:
    // Follows `apiPath` as it changes, so that a rename during the work is taken into account.
    // When the attributes were left on the file, they are written only if the work changed them.
    AttributeRestorer(const std::wstring& apiPath, DWORD attributes, bool cleared)
        : apiPath_(apiPath), attributes_(attributes), cleared_(cleared) {}
    ~AttributeRestorer() {
        if (!cleared_ && ::GetFileAttributesW(apiPath_.c_str()) == attributes_)
            return;
        // A folder's own mark is no attribute SetFileAttributes takes.
        const DWORD back = attributes_ & ~static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY);
        ::SetFileAttributesW(apiPath_.c_str(), back != 0 ? back : FILE_ATTRIBUTE_NORMAL);
    }
    AttributeRestorer(const AttributeRestorer&) = delete;
    AttributeRestorer& operator=(const AttributeRestorer&) = delete;

private:
    const std::wstring& apiPath_;
    DWORD attributes_;
    bool cleared_;
};

} // namespace

PerFileFrame::PerFileFrame(std::wstring path) : path_(std::move(path)), apiPath_(ApiPath(path_)) {}

void PerFileFrame::MovedTo(std::wstring path) {
    std::wstring apiPath = ApiPath(path);
    path_ = std::move(path);
    apiPath_ = std::move(apiPath);
}

FileOutcome PerFileFrame::Run(const std::wstring& path, const Work& work) noexcept {
    try {
        PerFileFrame frame(path);
        const DWORD attributes = ::GetFileAttributesW(frame.apiPath_.c_str());
        // Without the attributes there is nothing to restore them from, so the file is left alone.
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return FailureOfLastError();
        // A plain file or folder (the archive bit at most) is opened for writing and renamed as it
        // is, which spares two attribute writes per file of a batch; any other attribute is
        // cleared first.
        const bool plain = (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL |
                                                             FILE_ATTRIBUTE_DIRECTORY)) == 0;
        AttributeRestorer restorer(frame.apiPath_, attributes, !plain);
        // NORMAL is the value that truly clears them all; 0 is refused by some systems.
        if (!plain)
            ::SetFileAttributesW(frame.apiPath_.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!work)
            return FileOutcome::Failed(Failure::Other, L"aucune opération");
        return work(frame);
    } catch (...) {
        try {
            return FileOutcome::Failed(Failure::Other, L"erreur inattendue");
        } catch (...) {
            // Out of memory even for the message: the file counts as not done all the same.
            return FileOutcome::Failed(Failure::Other);
        }
    }
}
