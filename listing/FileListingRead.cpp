// Reading a folder into the listing: the directory read in large blocks, the mask, the FAT reduction
// of the stamps, and the shell's type name asked once per extension.
#include "listing/FileListing.h"

#include "listing/FileTimes.h"
#include "base/ApiPath.h"
#include "base/FileTimeTicks.h"
#include "base/Handles.h"
#include "base/TextHelpers.h"

#include <shellapi.h>
#include <windows.h>

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

TDateTime ListingTime(LocalTimeConverter& converter, const FILETIME& ft) {
    return ListingDateTime(converter.ToLocal(FileTimeTicks(ft)));
}

// "*" matches every name and "*.*" every name with a dot, whatever the case: no need to lower
// each name for the usual masks.
class QuickMatch {
public:
    explicit QuickMatch(const TMaskList& patterns)
        : all_(patterns.count(L"*") != 0), dotted_(patterns.count(L"*.*") != 0) {}
    bool Matches(std::wstring_view name) const {
        return all_ || (dotted_ && name.find(L'.') != std::wstring_view::npos);
    }

private:
    bool all_;
    bool dotted_;
};

// The type name depends only on the extension when the shell is asked by name, so one call per
// extension gives every file its name.
std::wstring ExtensionKey(std::wstring_view name, const Locale& locale) {
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring_view::npos ? std::wstring(L"") : locale.ToLower(name.substr(dot));
}

std::wstring ShellTypeName(const std::wstring& path, DWORD attributes) {
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(path.c_str(), attributes, &info, sizeof(info),
                          SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES))
        return {};
    return info.szTypeName;
}

// One file as the directory gives it; the texts are the directory buffer's, valid until the next
// read.
struct FoundFile {
    std::wstring_view Name;
    std::wstring_view ShortName; // empty when the file has none
    FILETIME Created;
    FILETIME Accessed;
    FILETIME Modified;
    int64_t Size;
    DWORD Attributes;
};

FILETIME FileTimeOf(const LARGE_INTEGER& value) {
    return FILETIME{static_cast<DWORD>(value.LowPart), static_cast<DWORD>(value.HighPart)};
}

// The folder's entries read in blocks of 64 KiB, each holding hundreds of entries with their short
// names: fewer calls and less copying than one find structure per file. Once the folder proves
// large, the blocks are read on a thread of their own while the caller makes entries of those
// already read: the listing then costs little more than the read itself.
class DirectoryBlocks {
public:
    explicit DirectoryBlocks(const std::wstring& folder)
        : folder_(::CreateFileW(ApiPath(folder).c_str(), FILE_LIST_DIRECTORY,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}

    ~DirectoryBlocks() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        if (reader_.joinable())
            reader_.join();
    }

    DirectoryBlocks(const DirectoryBlocks&) = delete;
    DirectoryBlocks& operator=(const DirectoryBlocks&) = delete;

    // Calls `found` on each entry, in the folder's order. False, with nothing read, when the folder
    // cannot be read this way (some network file systems have no such read): the caller then
    // enumerates it.
    template <class Found> bool ForEach(Found&& found) {
        if (!folder_)
            return false;
        blocks_[0].resize(kBlockWords);
        Block* block = &blocks_[0];
        if (!Read(*block))
            return ::GetLastError() == ERROR_NO_MORE_FILES;
        // A block the read left half empty held the folder's last entries.
        if (Filled(*block) > kBlockBytes / 2)
            StartReader();
        while (block) {
            Visit(*block, found);
            block = Next(block);
        }
        return true;
    }

private:
    using Block = std::vector<uint64_t>; // 8-byte aligned, as the entries are
    static constexpr size_t kBlockBytes = 64 * 1024;
    static constexpr size_t kBlockWords = kBlockBytes / sizeof(uint64_t);

    bool Read(Block& block) {
        return ::GetFileInformationByHandleEx(folder_.Get(), FileIdBothDirectoryInfo, block.data(),
                                              static_cast<DWORD>(kBlockBytes)) != FALSE;
    }

    static size_t Filled(const Block& block) {
        const BYTE* start = reinterpret_cast<const BYTE*>(block.data());
        const BYTE* at = start;
        for (;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            if (entry->NextEntryOffset == 0)
                return static_cast<size_t>(at - start) + offsetof(FILE_ID_BOTH_DIR_INFO, FileName) +
                       entry->FileNameLength;
            at += entry->NextEntryOffset;
        }
    }

    template <class Found> static void Visit(const Block& block, Found& found) {
        const BYTE* at = reinterpret_cast<const BYTE*>(block.data());
        for (;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            found(FoundFile{std::wstring_view(entry->FileName, entry->FileNameLength / sizeof(wchar_t)),
                            std::wstring_view(entry->ShortName, entry->ShortNameLength / sizeof(wchar_t)),
                            FileTimeOf(entry->CreationTime), FileTimeOf(entry->LastAccessTime),
                            FileTimeOf(entry->LastWriteTime), entry->EndOfFile.QuadPart,
                            entry->FileAttributes});
            if (entry->NextEntryOffset == 0)
                return;
            at += entry->NextEntryOffset;
        }
    }

    void StartReader() {
        for (size_t i = 1; i < std::size(blocks_); ++i) {
            blocks_[i].resize(kBlockWords);
            free_.push_back(&blocks_[i]);
        }
        reader_ = std::thread([this] { ReadAhead(); });
    }

    // The reader thread: fills each free block in turn until the folder ends or fails.
    void ReadAhead() {
        for (;;) {
            Block* block = nullptr;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [this] { return stop_ || !free_.empty(); });
                if (stop_)
                    return;
                block = free_.front();
                free_.pop_front();
            }
            const bool read = Read(*block);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (read)
                    full_.push_back(block);
                else
                    ended_ = true;
            }
            changed_.notify_all();
            if (!read)
                return;
        }
    }

    // The block after `done`, which is given back; none at the folder's end. An error that ends
    // the read early keeps the entries read before it, as an enumeration would.
    Block* Next(Block* done) {
        if (!reader_.joinable())
            return Read(*done) ? done : nullptr;
        std::unique_lock<std::mutex> lock(mutex_);
        free_.push_back(done);
        changed_.notify_all();
        changed_.wait(lock, [this] { return ended_ || !full_.empty(); });
        if (full_.empty())
            return nullptr;
        Block* next = full_.front();
        full_.pop_front();
        return next;
    }

    FileHandle folder_;
    std::array<Block, 4> blocks_;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block*> free_;
    std::deque<Block*> full_;
    bool ended_ = false;
    bool stop_ = false;
};

// The same entries through the find functions, for a folder the block read cannot read.
template <class Found> void EnumerateFolder(const std::wstring& base, Found&& found) {
    WIN32_FIND_DATAW data{};
    FindHandle find(::FindFirstFileExW(ApiPath(base + L"*.*").c_str(), FindExInfoStandard, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return;
    do {
        found(FoundFile{
            data.cFileName, data.cAlternateFileName, data.ftCreationTime, data.ftLastAccessTime,
            data.ftLastWriteTime,
            static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow),
            data.dwFileAttributes});
    } while (::FindNextFileW(find.Get(), &data));
}

} // namespace

int TFileListing::ReadFolder(const std::wstring& folder, const std::wstring& mask) {
    Reset(folder);
    const Locale& locale = CurrentLocale();
    const TMaskList patterns = ParseMask(mask, locale);
    const std::wstring base = WithTrailingBackslash(folder);

    const QuickMatch quick(patterns);
    LocalTimeConverter converter(VolumeStampClock(folder));
    // Type names by the extension exactly as written, before any case mapping.
    std::unordered_map<std::wstring, uint32_t> typeByRawExtension;
    std::wstring rawExtension;
    const Locale* keyLocale = SortKey == kName ? &locale : nullptr;
    const auto add = [&](const FoundFile& found) {
        if (found.Name.empty() || found.Name[0] == L'.' || (found.Attributes & FILE_ATTRIBUTE_DIRECTORY))
            return;
        if (!quick.Matches(found.Name) && !MatchesMask(found.Name, patterns, locale))
            return;
        TFileObject entry;
        entry.Name = found.Name;
        entry.DosName = found.ShortName;
        entry.Created = ListingTime(converter, found.Created);
        entry.Modified = ListingTime(converter, found.Modified);
        entry.Accessed = ListingTime(converter, found.Accessed);
        entry.Size = found.Size;
        entry.Attributes = found.Attributes;
        const size_t dot = entry.Name.find_last_of(L'.');
        // Reused for every file, so that looking a known extension up allocates nothing.
        rawExtension.assign(entry.Name.substr(dot == std::wstring_view::npos ? entry.Name.size() : dot));
        uint32_t type = 0;
        if (auto known = typeByRawExtension.find(rawExtension); known != typeByRawExtension.end()) {
            type = known->second;
        } else {
            const std::wstring key = ExtensionKey(entry.Name, locale);
            const std::wstring* kept = FindTypeName(key);
            type = TypeNumber(key, kept ? *kept
                                        : ShellTypeName(base + std::wstring(entry.Name), found.Attributes));
            typeByRawExtension.emplace(rawExtension, type);
        }
        Append(entry, type, keyLocale);
    };
    if (!DirectoryBlocks(base).ForEach(add))
        EnumerateFolder(base, add);
    return static_cast<int>(Count());
}
