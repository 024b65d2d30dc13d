// The files of one folder as listed through a mask: an ordered list of entries that the file list
// shows by index (row i is entry i), with the folder's total size and the current sort key.
#pragma once

#include "listing/DateTime.h"
#include "base/Locale.h"
#include "listing/MaskSearch.h"
#include "listing/SortKeyStore.h"
#include "listing/TextArena.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The texts are views: a listing keeps the characters of the entries it holds, so that a large
// folder costs no string and no heap block per name. An entry being built may view the caller's
// texts, which need only outlive the call to Add.
struct TFileObject {
    std::wstring_view Name;     // long name, letter case as on disk
    std::wstring_view DosName;  // short (8.3) name, or Name when there is none
    std::wstring_view TypeName; // the shell's type name, shared by every file of the same type
    TDateTime Created = kZeroDate;
    TDateTime Modified = kZeroDate;
    TDateTime Accessed = kZeroDate;
    int64_t Size = 0;
    int32_t IconIndex = -1; // -1 until fetched for display
    uint32_t Attributes = 0;
};

class TFileListing {
public:
    // Sort keys: the file list's column index plus one.
    enum Key : uint8_t { kName = 1, kSize, kCreated, kModified, kAccessed, kDosName, kAttributes, kType };

    // Replaces the contents with the matching files of the folder; returns their number.
    // An unreadable or missing folder gives an empty listing. (Windows only.)
    int ReadFolder(const std::wstring& folder, const std::wstring& mask);

    // Reorders the entries by key 1 to 8; any other key leaves the order as it is.
    void Sort(int key, bool ascending, const Locale& locale = CurrentLocale());

    // Folder, one backslash, the entry's name.
    std::wstring FullName(size_t index) const;

    size_t Count() const { return rows_.size(); }
    // Throws std::out_of_range past the end.
    TFileObject& operator[](size_t index) { return Entry(index); }
    const TFileObject& operator[](size_t index) const {
        return const_cast<TFileListing*>(this)->Entry(index);
    }

    const std::wstring& Folder() const { return folder_; }
    int64_t TotalSize() const { return totalSize_; }
    uint8_t SortKey = kName;

    // Starts a new listing of a folder; entries are then added one by one.
    void Reset(const std::wstring& folder);
    // Keeps a copy of the entry's Name and DosName; its TypeName is not copied: take it from
    // KeepTypeName.
    void Add(TFileObject entry);
    // The same, with the collation key of its name made now for the next sort by name, which
    // then need not make it: while a folder is read, the keys are made as its entries come in.
    void AddWithNameKey(const TFileObject& entry, const Locale& locale);
    // A type name kept for the life of the listing, so that entries can share it.
    std::wstring_view KeepTypeName(const std::wstring& extensionKey, const std::wstring& typeName);
    const std::wstring* FindTypeName(const std::wstring& extensionKey) const;

private:
    // Entries live in fixed blocks, in the order they were added, and never move: growing the
    // list copies none, and a large folder costs no pointer or heap block per entry. Sorting
    // reorders only the rows: row i shows the entry numbered rows_[i].
    static constexpr size_t kBlockBits = 12;
    static constexpr size_t kBlockSize = size_t{1} << kBlockBits;
    TFileObject& Entry(size_t row);
    TFileObject& At(size_t id) { return blocks_[id >> kBlockBits][id & (kBlockSize - 1)]; }
    void SortRowsByText(int key, bool ascending, const Locale& locale);

    std::wstring folder_;
    int64_t totalSize_ = 0;
    std::vector<std::unique_ptr<TFileObject[]>> blocks_;
    std::vector<uint32_t> rows_;
    TextArena names_;
    // The names' keys made while reading, for the first sort by name, and their locale.
    SortKeyStore nameKeys_;
    const Locale* nameKeysLocale_ = nullptr;
    std::unordered_map<std::wstring, std::wstring> typeNames_;
};
