#include "app/FolderPrefetch.h"

#include "base/TextHelpers.h"
#include "monitor/FileChangeFilter.h"
#include "operations/ApiPath.h"

#include <windows.h>
#include <objbase.h>

namespace {

// The shell's type names are asked from this thread too.
class ComForThread {
public:
    ComForThread() : result_(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComForThread() {
        if (SUCCEEDED(result_))
            ::CoUninitialize();
    }
    ComForThread(const ComForThread&) = delete;
    ComForThread& operator=(const ComForThread&) = delete;

private:
    HRESULT result_;
};

} // namespace

FolderPrefetch::FolderPrefetch(std::wstring folder, std::wstring mask)
    : folder_(std::move(folder)), mask_(std::move(mask)),
      change_(::FindFirstChangeNotificationW(ApiPath(folder_).c_str(), FALSE,
                                             kListingChangeFilter.NotifyFlags())) {
    // Without a watch a change could go unseen: the window then reads the folder itself.
    if (!change_)
        return;
    try {
        reader_ = std::thread([this] {
            const ComForThread com;
            try {
                listing_.ReadFolder(folder_, mask_);
            } catch (...) {
                // Taken for changed: the window reads the folder again and meets the failure itself.
                change_.Reset();
            }
        });
    } catch (...) {
        change_.Reset(); // no thread: the window reads the folder itself
    }
}

FolderPrefetch::~FolderPrefetch() {
    if (reader_.joinable())
        reader_.join();
}

std::optional<TFileListing> FolderPrefetch::Take(const std::wstring& folder, const std::wstring& mask) {
    if (reader_.joinable())
        reader_.join();
    if (std::exchange(taken_, true) || !change_ || mask != mask_ ||
        !SameFolderPath(folder, folder_, CurrentLocale()) ||
        ::WaitForSingleObject(change_.Get(), 0) != WAIT_TIMEOUT)
        return std::nullopt;
    listing_.Respell(folder);
    return std::move(listing_);
}
