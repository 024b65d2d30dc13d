// The kinds of change a folder monitor watches, as a set, and the platform's change-notification
// flags they stand for. Platform-free so that the mapping is checked everywhere.
#pragma once

#include <cstdint>
#include <initializer_list>

enum class TFileChangeFilter {
    fnFileName,
    fnDirName,
    fnAttributes,
    fnSize,
    fnLastWrite,
    fnLastAccess,
    fnCreation,
    fnSecurity,
};

// The change-notification flag of one kind (FILE_NOTIFY_CHANGE_*).
uint32_t NotifyFlag(TFileChangeFilter kind);

class TFileChangeFilters {
public:
    TFileChangeFilters() = default;
    TFileChangeFilters(std::initializer_list<TFileChangeFilter> kinds);

    bool Contains(TFileChangeFilter kind) const { return (bits_ & Bit(kind)) != 0; }
    void Include(TFileChangeFilter kind) { bits_ |= Bit(kind); }
    void Exclude(TFileChangeFilter kind) { bits_ &= ~Bit(kind); }
    bool Empty() const { return bits_ == 0; }

    // The notification filter handed to the platform: the OR of the flags of the kinds in the set.
    uint32_t NotifyFlags() const;

    friend bool operator==(TFileChangeFilters a, TFileChangeFilters b) { return a.bits_ == b.bits_; }
    friend bool operator!=(TFileChangeFilters a, TFileChangeFilters b) { return a.bits_ != b.bits_; }

private:
    static uint32_t Bit(TFileChangeFilter kind) { return 1u << static_cast<unsigned>(kind); }
    uint32_t bits_ = 0;
};

// The changes the main window watches its folder for, to re-list it: names, attributes, sizes,
// writes and creations.
extern const TFileChangeFilters kListingChangeFilter;
