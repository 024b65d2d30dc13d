// Reading a folder of 100,000 files: ReadFolder with "*.*" and a sort by name, against a bare
// directory enumeration of the same folder, and the listing's memory per entry.
#include "listing/FileListing.h"
#include "base/TextHelpers.h"
#include "base/WinLocale.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <cstdio>
#include <string>

namespace {

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Every C++ allocation of the process is counted, so the listing's own memory is measured exactly
// (the heap's bookkeeping is estimated per block, the platform's buffers are not the listing's).
std::atomic<size_t> liveBytes{0};
std::atomic<size_t> peakBytes{0};
std::atomic<size_t> liveBlocks{0};
constexpr size_t kHeader = 16;

void* CountedAllocate(size_t size) {
    void* block = std::malloc(size + kHeader);
    if (!block)
        throw std::bad_alloc();
    *static_cast<size_t*>(block) = size;
    const size_t live = liveBytes += size;
    ++liveBlocks;
    size_t peak = peakBytes.load();
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
    }
    return static_cast<char*>(block) + kHeader;
}

void CountedFree(void* pointer) {
    if (!pointer)
        return;
    void* block = static_cast<char*>(pointer) - kHeader;
    liveBytes -= *static_cast<size_t*>(block);
    --liveBlocks;
    std::free(block);
}

} // namespace

void* operator new(size_t size) {
    return CountedAllocate(size);
}
void* operator new[](size_t size) {
    return CountedAllocate(size);
}
void operator delete(void* pointer) noexcept {
    CountedFree(pointer);
}
void operator delete[](void* pointer) noexcept {
    CountedFree(pointer);
}
void operator delete(void* pointer, size_t) noexcept {
    CountedFree(pointer);
}
void operator delete[](void* pointer, size_t) noexcept {
    CountedFree(pointer);
}

int main(int argc, char** argv) {
    // Arguments: the benchmark data folder, in which scripts/bench.sh has made "listing-100000" from
    // the Linux side (creating 100,000 new files through Wine takes quadratic time), and optionally a
    // smaller count for a quick run in a folder this program fills itself.
    const int count = argc > 2 ? std::atoi(argv[2]) : 100000;
    static WinLocale locale;
    SetCurrentLocale(locale);

    std::wstring folder;
    if (argc > 1) {
        for (const char* p = argv[1]; *p; ++p)
            folder += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    } else {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH + 1, temp);
        folder = temp;
    }
    folder = WithTrailingBackslash(folder) + L"listing-" + std::to_wstring(count);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const wchar_t* extensions[] = {L".txt", L".doc", L".jpg", L".pdf", L".exe", L".zip", L".xml", L".dat"};
    for (int i = 0; i < count; ++i) {
        const std::wstring path = folder + L"\\file " + std::to_wstring(i * 7919 % count) + extensions[i % 8];
        HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    }

    // Warm both paths once so that neither pays the first read of the directory alone.
    auto bare = [&] {
        WIN32_FIND_DATAW data{};
        int found = 0;
        HANDLE find = ::FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE)
            return 0;
        do
            ++found;
        while (::FindNextFileW(find, &data));
        ::FindClose(find);
        return found;
    };
    bare();
    {
        TFileListing warm;
        warm.ReadFolder(folder, L"*.*");
    }

    const int rounds = 3;
    double bareTime = 1e9;
    double listingTime = 1e9;
    double readTime = 1e9;
    double sortTime = 1e9;
    int bareCount = 0;
    int listed = 0;
    size_t heldBytes = 0;
    size_t heldBlocks = 0;
    size_t peak = 0;
    size_t names = 0;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        bareCount = bare();
        bareTime = std::min(bareTime, Seconds(std::chrono::steady_clock::now() - t0));

        const size_t before = liveBytes;
        const size_t blocksBefore = liveBlocks;
        peakBytes = before;
        TFileListing listing;
        t0 = std::chrono::steady_clock::now();
        listed = listing.ReadFolder(folder, L"*.*");
        const auto t1 = std::chrono::steady_clock::now();
        heldBytes = liveBytes - before;
        heldBlocks = liveBlocks - blocksBefore;
        listing.Sort(TFileListing::kName, true, locale);
        readTime = std::min(readTime, Seconds(t1 - t0));
        sortTime = std::min(sortTime, Seconds(std::chrono::steady_clock::now() - t1));
        listingTime = std::min(listingTime, Seconds(std::chrono::steady_clock::now() - t0));
        peak = peakBytes - before;
        names = 0;
        for (size_t i = 0; i < listing.Count(); ++i) {
            // A short name that is the long one shares its characters.
            const TFileObject& entry = listing[i];
            names += entry.Name.size() * sizeof(wchar_t);
            if (entry.DosName.data() != entry.Name.data())
                names += entry.DosName.size() * sizeof(wchar_t);
        }
    }
    const size_t entries = listed > 0 ? static_cast<size_t>(listed) : 1;
    // The heap adds its bookkeeping to every block it hands out.
    const size_t heldPerEntry = (heldBytes + heldBlocks * kHeader) / entries;
    const size_t peakPerEntry = (peak + heldBlocks * kHeader) / entries;

    std::printf("folder of %d files (%d found by the bare enumeration, %d listed)\n", count, bareCount,
                listed);
    std::printf("bare enumeration (FindFirstFileEx, basic, large fetch): %.3f s\n", bareTime);
    std::printf("ReadFolder \"*.*\" + Sort by name:                %.3f s\n", listingTime);
    std::printf("  of which ReadFolder %.3f s, Sort %.3f s\n", readTime, sortTime);
    std::printf("ratio listing / bare: %.2f (target <= 1.0)\n", listingTime / bareTime);
    std::printf("memory per entry, name texts and %zu bytes of heap bookkeeping per block included "
                "(a TFileObject as handed out: %zu bytes):\n",
                kHeader, sizeof(TFileObject));
    std::printf("  held after ReadFolder: %zu bytes in %.2f heap blocks (target <= 150)\n", heldPerEntry,
                static_cast<double>(heldBlocks) / static_cast<double>(entries));
    std::printf("  peak, sort included: %zu bytes (target <= 150)\n", peakPerEntry);
    std::printf("  of which name texts: %zu bytes (no target: the names themselves)\n", names / entries);
    std::printf("  peak beyond the name texts: %zu bytes\n", peakPerEntry - names / entries);
    return 0;
}
