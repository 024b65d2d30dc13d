// Reading a folder of 100,000 files: ReadFolder with "*.*" and a sort by name, against a bare
// directory enumeration of the same folder, and the listing's memory per entry.
#include "listing/FileListing.h"
#include "listing/TextHelpers.h"
#include "listing/WinLocale.h"

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    return counters.PrivateUsage;
}

size_t PeakBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakPagefileUsage;
}

} // namespace

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
        HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    }

    // Warm both paths once so that neither pays the first read of the directory alone.
    auto bare = [&] {
        WIN32_FIND_DATAW data{};
        int found = 0;
        HANDLE find = ::FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoStandard, &data,
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
    size_t perEntry = 0;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        bareCount = bare();
        bareTime = std::min(bareTime, Seconds(std::chrono::steady_clock::now() - t0));

        const size_t before = PrivateBytes();
        TFileListing listing;
        t0 = std::chrono::steady_clock::now();
        listed = listing.ReadFolder(folder, L"*.*");
        const auto t1 = std::chrono::steady_clock::now();
        listing.Sort(TFileListing::kName, true, locale);
        readTime = std::min(readTime, Seconds(t1 - t0));
        sortTime = std::min(sortTime, Seconds(std::chrono::steady_clock::now() - t1));
        listingTime = std::min(listingTime, Seconds(std::chrono::steady_clock::now() - t0));
        size_t names = 0;
        for (size_t i = 0; i < listing.Count(); ++i) {
            // Texts longer than the string's own inline buffer live on the heap.
            if (listing[i].Name.size() > 7)
                names += (listing[i].Name.size() + 1) * sizeof(wchar_t);
            if (listing[i].DosName.size() > 7)
                names += (listing[i].DosName.size() + 1) * sizeof(wchar_t);
        }
        const size_t peak = PeakBytes();
        if (listed > 0 && peak > before + names)
            perEntry = (peak - before - names) / static_cast<size_t>(listed);
    }

    std::printf("folder of %d files (%d found by the bare enumeration, %d listed)\n", count, bareCount, listed);
    std::printf("bare enumeration (FindFirstFileEx, large fetch): %.3f s\n", bareTime);
    std::printf("ReadFolder \"*.*\" + Sort by name:                %.3f s\n", listingTime);
    std::printf("  of which ReadFolder %.3f s, Sort %.3f s\n", readTime, sortTime);
    std::printf("ratio listing / bare: %.2f (target <= 1.5)\n", listingTime / bareTime);
    std::printf("peak memory per entry beyond name texts: %zu bytes (target <= 200)\n", perEntry);
    return 0;
}
