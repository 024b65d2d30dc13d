// Icon indexes from the shell, per extension, and per file on a fetching thread.
#include "app/FileIconCache.h"

#include "base/Locale.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

int ShellIconIndex(const std::wstring& path, bool byNameOnly) {
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    if (byNameOnly)
        flags |= SHGFI_USEFILEATTRIBUTES;
    if (!::SHGetFileInfoW(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags))
        return 0;
    return info.iIcon;
}

std::wstring LowerExtension(const std::wstring& fullName) {
    const size_t slash = fullName.find_last_of(L"\\:");
    const size_t dot = fullName.find_last_of(L'.');
    return (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
               ? std::wstring()
               : CurrentLocale().ToLower(std::wstring_view(fullName).substr(dot));
}

} // namespace

// The thread that reads files' own icons, the last asked first: those are the rows in view.
class FileIconCache::Fetcher {
public:
    explicit Fetcher(std::function<void()> wake) : wake_(std::move(wake)), thread_([this] { Run(); }) {}
    ~Fetcher() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        ready_.notify_one();
        thread_.join();
    }
    Fetcher(const Fetcher&) = delete;
    Fetcher& operator=(const Fetcher&) = delete;

    void Ask(std::wstring fullName) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            todo_.push_back(std::move(fullName));
        }
        ready_.notify_one();
    }
    std::vector<std::pair<std::wstring, int>> TakeDone() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(done_, {});
    }

private:
    void Run() {
        // The shell reads icons in an apartment.
        const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            ready_.wait(lock, [this] { return stop_ || !todo_.empty(); });
            if (stop_)
                break;
            std::wstring fullName = std::move(todo_.back());
            todo_.pop_back();
            lock.unlock();
            const int icon = ShellIconIndex(fullName, false);
            lock.lock();
            const bool first = done_.empty();
            done_.emplace_back(std::move(fullName), icon);
            // One wake for as many icons as come before the owner takes them.
            if (first && wake_) {
                lock.unlock();
                wake_();
                lock.lock();
            }
        }
        lock.unlock();
        if (SUCCEEDED(com))
            ::CoUninitialize();
    }

    std::function<void()> wake_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<std::wstring> todo_;
    std::vector<std::pair<std::wstring, int>> done_;
    bool stop_ = false;
    std::thread thread_; // last: it starts once the rest is made
};

FileIconCache::FileIconCache(std::function<void()> wake) : wake_(std::move(wake)) {}

FileIconCache::~FileIconCache() = default;

bool FileIconCache::HasOwnIcon(const std::wstring& ext) {
    return ext == L".exe" || ext == L".ico" || ext == L".lnk" || ext == L".cur" || ext == L".ani" ||
           ext == L".scr";
}

int FileIconCache::TypeIcon(const std::wstring& fullName, const std::wstring& extension) {
    auto it = byExtension_.find(extension);
    if (it != byExtension_.end())
        return it->second;
    const int index = ShellIconIndex(fullName, true);
    byExtension_.emplace(extension, index);
    return index;
}

int FileIconCache::IconIndex(const std::wstring& fullName) {
    const std::wstring ext = LowerExtension(fullName);
    const int typeIcon = TypeIcon(fullName, ext);
    if (!HasOwnIcon(ext))
        return typeIcon;
    if (auto fetched = byFile_.find(fullName); fetched != byFile_.end())
        return fetched->second;
    // Without anyone to wake, the file's own icon is read here and now.
    if (!wake_)
        return ShellIconIndex(fullName, false);
    if (!asked_.count(fullName)) {
        try {
            if (!fetcher_)
                fetcher_ = std::make_unique<Fetcher>(wake_);
            fetcher_->Ask(fullName);
            asked_.insert(fullName);
        } catch (...) {
            return typeIcon; // no thread: the type's icon stays
        }
    }
    return -2 - typeIcon;
}

bool FileIconCache::TakeFetched() {
    if (!fetcher_)
        return false;
    std::vector<std::pair<std::wstring, int>> done = fetcher_->TakeDone();
    for (auto& [fullName, icon] : done) {
        asked_.erase(fullName);
        byFile_.insert_or_assign(std::move(fullName), icon);
    }
    return !done.empty();
}
