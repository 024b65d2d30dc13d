// Reading real folders: which files are listed, their sizes, stamps and names.
#include "listing/DateTime.h"
#include "listing/FileListing.h"
#include "base/FixedLocale.h"

#include "support/win/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cwchar>
#include <thread>
#include <vector>

namespace {

class ReadFolder : public testing::Test {
protected:
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (size_t i = 0; i < listing.Count(); ++i)
            names.emplace_back(listing[i].Name);
        std::sort(names.begin(), names.end());
        return names;
    }
    TFileObject Entry(const std::wstring& name) const {
        for (size_t i = 0; i < listing.Count(); ++i)
            if (listing[i].Name == name)
                return listing[i];
        throw std::runtime_error("not listed");
    }
    void SetModified(const std::wstring& path, const FILETIME& ft) {
        HANDLE h = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(::SetFileTime(h, nullptr, nullptr, &ft));
        ::CloseHandle(h);
    }
    CivilTime Modified(const std::wstring& name) const { return DecodeDateTime(Entry(name).Modified); }

    TempFolder folder;
    TFileListing listing;
};

TEST_F(ReadFolder, SkipsDotFilesAndFolders) {
    folder.MakeFolder(L"sub");
    folder.MakeFolder(L"other.txt");
    folder.MakeFile(L".hidden-by-dot");
    EXPECT_EQ(listing.ReadFolder(folder.Path(), L"*.*"), 0);
    EXPECT_EQ(listing.Count(), 0u);
    EXPECT_EQ(listing.TotalSize(), 0);
}

TEST_F(ReadFolder, ListsHiddenAndSystemFilesThatMatch) {
    folder.MakeFile(L"h.txt", "ab", FILE_ATTRIBUTE_HIDDEN);
    folder.MakeFile(L"s.txt", "abc", FILE_ATTRIBUTE_SYSTEM);
    folder.MakeFile(L"plain.doc", "abcd");
    EXPECT_EQ(listing.ReadFolder(folder.Path(), L"*.TXT"), 2);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"h.txt", L"s.txt"}));
    EXPECT_TRUE(Entry(L"h.txt").Attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(listing.TotalSize(), 5);
    EXPECT_EQ(listing.Folder(), folder.Path());
    EXPECT_EQ(Entry(L"s.txt").IconIndex, -1);
}

TEST_F(ReadFolder, MissingFolderGivesAnEmptyListing) {
    folder.MakeFile(L"a.txt");
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(listing.ReadFolder(folder / L"nowhere", L"*.*"), 0);
    EXPECT_EQ(listing.Count(), 0u);
    EXPECT_EQ(listing.TotalSize(), 0);
}

TEST_F(ReadFolder, SizesBeyondFourGigabytesAreExact) {
    const std::wstring path = folder.MakeFile(L"big.bin", "");
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 5LL * 1024 * 1024 * 1024 + 3;
    ASSERT_TRUE(::SetFilePointerEx(h, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(h));
    ::CloseHandle(h);
    listing.ReadFolder(folder.Path(), L"");
    EXPECT_EQ(Entry(L"big.bin").Size, 5LL * 1024 * 1024 * 1024 + 3);
    EXPECT_EQ(listing.TotalSize(), 5LL * 1024 * 1024 * 1024 + 3);
}

TEST_F(ReadFolder, OddSecondsShowAsTheEvenSecondBelow) {
    // 10:15:33 local time in winter (UTC+1 under TZ=Europe/Paris) is 09:15:33 UTC.
    SetModified(folder.MakeFile(L"a.txt"), UtcFileTime(2021, 1, 15, 9, 15, 33));
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(Modified(L"a.txt"), (CivilTime{2021, 1, 15, 10, 15, 32, 0}));
}

TEST_F(ReadFolder, StampsBefore1980ShowTheZeroDate) {
    SetModified(folder.MakeFile(L"old.txt"), UtcFileTime(1975, 6, 1, 12, 0, 0));
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(Entry(L"old.txt").Modified, kZeroDate);
}

TEST_F(ReadFolder, LocalTimeFollowsTheRulesOfTheStampsOwnDate) {
    // Under TZ=Europe/Paris: 15 June 10:00 is 08:00 UTC (summer), 15 January 10:00 is 09:00 UTC.
    SetModified(folder.MakeFile(L"summer.txt"), UtcFileTime(2021, 6, 15, 8, 0, 0));
    SetModified(folder.MakeFile(L"winter.txt"), UtcFileTime(2021, 1, 15, 9, 0, 0));
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(Modified(L"summer.txt"), (CivilTime{2021, 6, 15, 10, 0, 0, 0}));
    EXPECT_EQ(Modified(L"winter.txt"), (CivilTime{2021, 1, 15, 10, 0, 0, 0}));
}

TEST_F(ReadFolder, NamesOutsideTheAnsiCodePageComeThroughIntact) {
    const std::vector<std::wstring> names = {L"日本語.txt", L"Ελληνικά.txt", L"emoji-\U0001F600.txt"};
    for (const auto& n : names)
        folder.MakeFile(n);
    EXPECT_EQ(listing.ReadFolder(folder.Path(), L"*.TXT"), 3);
    auto expected = names;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(listing.FullName(0).substr(0, folder.Path().size() + 1), folder.Path() + L"\\");
}

TEST_F(ReadFolder, ShortNameFallsBackToTheLongName) {
    folder.MakeFile(L"a long file name.text");
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_FALSE(Entry(L"a long file name.text").DosName.empty());
}

TEST_F(ReadFolder, FilesOfOneExtensionShareOneTypeName) {
    folder.MakeFile(L"a.txt");
    folder.MakeFile(L"b.TXT");
    listing.ReadFolder(folder.Path(), L"*.*");
    EXPECT_EQ(Entry(L"a.txt").TypeName, Entry(L"b.TXT").TypeName);
    EXPECT_EQ(Entry(L"a.txt").TypeName.data(), Entry(L"b.TXT").TypeName.data());
}

TEST_F(ReadFolder, SortByNameAfterReading) {
    folder.MakeFile(L"beta");
    folder.MakeFile(L"Alpha");
    folder.MakeFile(L"gamma");
    listing.ReadFolder(folder.Path(), L"*.*");
    listing.Sort(TFileListing::kName, true);
    EXPECT_EQ(listing[0].Name, L"Alpha");
    EXPECT_EQ(listing[2].Name, L"gamma");
    listing.Sort(TFileListing::kName, false);
    EXPECT_EQ(listing[0].Name, L"gamma");
    EXPECT_EQ(listing[2].Name, L"Alpha");
}

// Windows refuses a path of MAX_PATH characters or more that is not in the "\\?\" form (unless
// long paths are enabled for the whole system); Wine takes any length. For one scope, the test's
// own import of the folder search goes through a stand-in that brings that limit back.
class OldPathLimit {
public:
    OldPathLimit() : slot_(ImportSlot("FindFirstFileExW")) {
        if (!slot_)
            return;
        original_ = *slot_;
        Write(reinterpret_cast<void*>(&Limited));
    }
    ~OldPathLimit() {
        if (slot_)
            Write(original_);
    }
    bool Active() const { return slot_ != nullptr; }

private:
    static HANDLE WINAPI Limited(LPCWSTR path, FINDEX_INFO_LEVELS level, void* data, FINDEX_SEARCH_OPS search,
                                 void* filter, DWORD flags) {
        if (std::wcslen(path) >= MAX_PATH && std::wcsncmp(path, L"\\\\?\\", 4) != 0) {
            ::SetLastError(ERROR_PATH_NOT_FOUND);
            return INVALID_HANDLE_VALUE;
        }
        return reinterpret_cast<decltype(&::FindFirstFileExW)>(original_)(path, level, data, search, filter,
                                                                          flags);
    }
    static void** ImportSlot(const char* function) {
        auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        const auto* nt =
            reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             module->Name; ++module) {
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                    return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
        return nullptr;
    }
    void Write(void* function) {
        DWORD protection = 0;
        ::VirtualProtect(slot_, sizeof(void*), PAGE_READWRITE, &protection);
        *slot_ = function;
        ::VirtualProtect(slot_, sizeof(void*), protection, &protection);
    }

    void** slot_;
    static inline void* original_ = nullptr;
};

TEST_F(ReadFolder, FolderBeyondTheOldPathLimitIsListed) {
    std::wstring deep = folder.Path();
    while (deep.size() < 300) {
        deep += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    HANDLE file = ::CreateFileW((L"\\\\?\\" + deep + L"\\deep.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);

    int count = 0;
    {
        const OldPathLimit limit;
        ASSERT_TRUE(limit.Active());
        count = listing.ReadFolder(deep, L"*.TXT");
    }
    DeleteTree(L"\\\\?\\" + (folder / std::wstring(40, L'd')));

    EXPECT_EQ(count, 1);
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"deep.txt"});
    EXPECT_EQ(listing.FullName(0), deep + L"\\deep.txt");
    EXPECT_FALSE(listing[0].TypeName.empty());
}

} // namespace

namespace {

TEST_F(ReadFolder, AFolderOfManyBlocksIsListedWholeAndSortsByNameAsAFreshSortWould) {
    // Enough names to need several of the directory's blocks, so that they are read ahead on a
    // thread of their own while the listing is made; mixed case and accents, whose order is the
    // locale's, not the code points'.
    const wchar_t* stems[] = {L"Été", L"ete", L"Zèbre", L"abc", L"ABD", L"image-1", L"image10"};
    std::vector<std::wstring> made;
    for (int i = 0; i < 1500; ++i)
        made.push_back(std::wstring(stems[i % 7]) + L" " + std::to_wstring(i) + L".jpg");
    for (const std::wstring& name : made)
        folder.MakeFile(name);
    const Locale& locale = CurrentLocale();
    ASSERT_EQ(listing.ReadFolder(folder.Path(), L"*.jpg"), 1500);
    EXPECT_EQ(listing.TotalSize(), 1500) << "one byte each, the size read from every block";
    listing.Sort(TFileListing::kName, true, locale);
    std::vector<std::wstring> sorted;
    for (size_t i = 0; i < listing.Count(); ++i)
        sorted.emplace_back(listing[i].Name);

    // The same folder sorted by another column first, then by name: keys made afresh.
    listing.Sort(TFileListing::kSize, true, locale);
    listing.Sort(TFileListing::kName, true, locale);
    for (size_t i = 0; i < listing.Count(); ++i)
        ASSERT_EQ(std::wstring(listing[i].Name), sorted[i]) << "row " << i;
    std::sort(made.begin(), made.end(), [&locale](const std::wstring& a, const std::wstring& b) {
        return locale.CompareNoCase(a, b) < 0;
    });
    EXPECT_EQ(sorted, made);
    EXPECT_FALSE(Entry(L"Zèbre 2.jpg").DosName.empty());
}

} // namespace

namespace {

TEST_F(ReadFolder, AFolderChangingWhileReadGivesWholeNamesEachOnce) {
    // Files made and deleted while the folder is read: whatever the read finds of them, every
    // entry comes out whole (its name, short name and size its own), none twice, and every file
    // that stayed throughout is there.
    std::vector<std::wstring> kept;
    std::vector<std::wstring> doomed;
    for (int i = 0; i < 1200; ++i)
        (i % 2 ? doomed : kept).push_back(folder.MakeFile(L"fichier " + std::to_wstring(i) + L".txt", "ab"));
    std::atomic<bool> reading{true};
    std::thread changer([&] {
        for (size_t i = 0; i < doomed.size() && reading; ++i) {
            ::DeleteFileW(doomed[i].c_str());
            folder.MakeFile(L"nouveau " + std::to_wstring(i) + L".txt", "ab");
        }
    });
    listing.ReadFolder(folder.Path(), L"*.*");
    reading = false;
    changer.join();

    std::vector<std::wstring> names = Names();
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "a file listed twice";
    for (const std::wstring& path : kept)
        EXPECT_TRUE(std::binary_search(names.begin(), names.end(), path.substr(path.rfind(L'\\') + 1)))
            << "missing " << path;
    for (size_t i = 0; i < listing.Count(); ++i) {
        const TFileObject entry = listing[i];
        const bool known = entry.Name.starts_with(L"fichier ") || entry.Name.starts_with(L"nouveau ");
        EXPECT_TRUE(known && entry.Name.ends_with(L".txt")) << "row " << i;
        EXPECT_EQ(entry.Size, 2) << "row " << i;
        EXPECT_FALSE(entry.DosName.empty()) << "row " << i;
    }
    EXPECT_EQ(listing.TotalSize(), 2 * static_cast<int64_t>(listing.Count()));
}

} // namespace
