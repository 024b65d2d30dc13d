// The files of one folder as listed through a mask: an ordered list of entries that the file list
// shows by index (row i is entry i), with the folder's total size and the current sort key.
#pragma once

#include "listing/DateTime.h"
#include "base/Locale.h"
#include "listing/MaskSearch.h"
#include "listing/SortKeyStore.h"
#include "listing/TextArena.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One entry as the listing hands it out, and as a caller gives it to Add. The texts are views: a
// listing keeps the characters of the entries it holds, so that a large folder costs no string and
// no heap block per name. An entry being built may view the caller's texts, which need only outlive
// the call to Add. The listing itself keeps each entry in a packed form of its own.
struct TFileObject {
    std::wstring_view Name;     // long name, letter case as on disk
    std::wstring_view DosName;  // short (8.3) name, or Name when there is none
    std::wstring_view TypeName; // the shell's type name, shared by every file of the same type
    TDateTime Created = kZeroDate;
    TDateTime Modified = kZeroDate;
    TDateTime Accessed = kZeroDate;
    int64_t Size = 0;
    int32_t IconIndex = -1; // -1 until fetched for display (SetIconIndex)
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

    size_t Count() const { return count_; }
    // The entry of row `index`, whose texts stay valid until the listing is reset. Throws
    // std::out_of_range past the end.
    TFileObject operator[](size_t index) const;
    // The icon shown for the entry of row `index`, kept outside the entries: only the rows
    // shown ever get one.
    void SetIconIndex(size_t index, int32_t icon);

    const std::wstring& Folder() const { return folder_; }
    // The same folder as another spells it (letter case), for the paths the listing gives out.
    void Respell(const std::wstring& folder) { folder_ = folder; }
    int64_t TotalSize() const { return totalSize_; }
    uint8_t SortKey = kName;

    // Starts a new listing of a folder; entries are then added one by one.
    void Reset(const std::wstring& folder);
    // Keeps a copy of the entry's Name and DosName (an empty DosName, or one equal to Name, is
    // none: Name stands in); its TypeName is not copied: take it from KeepTypeName.
    void Add(const TFileObject& entry);
    // The same, with the collation key of its name made now for the next sort by name, which
    // then need not make it: while a folder is read, the keys are made as its entries come in.
    void AddWithNameKey(const TFileObject& entry, const Locale& locale);
    // A type name kept for the life of the listing, so that entries can share it.
    std::wstring_view KeepTypeName(const std::wstring& extensionKey, const std::wstring& typeName);
    const std::wstring* FindTypeName(const std::wstring& extensionKey) const;

private:
    // An entry as kept: its names by their place in the arena (the short name right after the
    // long one, when it has one) and its type name by number. Half the size of a TFileObject on a
    // 64-bit build, which matters for a folder of a hundred thousand files.
    struct Stored {
        TDateTime Created;
        TDateTime Modified;
        TDateTime Accessed;
        int64_t Size;
        uint32_t Attributes;
        uint32_t NamePlace;
        uint16_t NameLength;
        uint16_t DosLength; // 0: none, the long name stands in
        uint32_t Type;      // in types_, or kNoType
    };
    // The same on both processors: the 32-bit build aligns its doubles as the 64-bit one does.
    static_assert(sizeof(Stored) == 48, "an entry as kept takes 48 bytes");
    static constexpr uint32_t kNoType = UINT32_MAX;

    // Entries live in fixed blocks, in the order they were added, and never move: growing the
    // list copies none, and a large folder costs no pointer or heap block per entry. Sorting
    // reorders only the rows: row i shows the entry numbered rows_[i], or entry i before any sort.
    static constexpr size_t kBlockBits = 12;
    static constexpr size_t kBlockSize = size_t{1} << kBlockBits;
    size_t IdOfRow(size_t row) const;
    Stored& At(size_t id) { return blocks_[id >> kBlockBits][id & (kBlockSize - 1)]; }
    const Stored& At(size_t id) const { return blocks_[id >> kBlockBits][id & (kBlockSize - 1)]; }
    std::wstring_view NameOf(const Stored& stored) const {
        return names_.View(stored.NamePlace, 0, stored.NameLength);
    }
    std::wstring_view DosNameOf(const Stored& stored) const {
        return stored.DosLength == 0 ? NameOf(stored)
                                     : names_.View(stored.NamePlace, stored.NameLength, stored.DosLength);
    }
    std::wstring_view TypeNameOf(const Stored& stored) const {
        return stored.Type == kNoType ? std::wstring_view() : std::wstring_view(types_[stored.Type]);
    }
    // Adds the entry with its type name by number, and its name's key when `keyLocale` is given.
    void Append(const TFileObject& entry, uint32_t type, const Locale* keyLocale);
    // The number of a type name that KeepTypeName handed out.
    uint32_t TypeNumberOf(std::wstring_view typeName);
    // The number of the type name kept for `extensionKey`, kept now when new.
    uint32_t TypeNumber(const std::wstring& extensionKey, const std::wstring& typeName);
    void SortRowsByText(int key, bool ascending, const Locale& locale);

    std::wstring folder_;
    int64_t totalSize_ = 0;
    std::vector<std::unique_ptr<Stored[]>> blocks_;
    size_t count_ = 0;
    std::vector<uint32_t> rows_;
    // By entry number; empty until the first icon is set.
    std::vector<int32_t> icons_;
    TextArena names_;
    // The names' keys made while reading, for the first sort by name, and their locale.
    SortKeyStore nameKeys_;
    const Locale* nameKeysLocale_ = nullptr;
    // Type names by number (a deque: adding one moves none of the others' characters), and the
    // number of each extension's.
    std::deque<std::wstring> types_;
    std::unordered_map<std::wstring, uint32_t> typeOfExtension_;
};
