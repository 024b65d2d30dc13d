// Mapping of the watched kinds of change to the platform's change-notification flags.
#include "monitor/FileChangeFilter.h"

uint32_t NotifyFlag(TFileChangeFilter kind) {
    switch (kind) {
    case TFileChangeFilter::fnFileName:
        return 0x1;
    case TFileChangeFilter::fnDirName:
        return 0x2;
    case TFileChangeFilter::fnAttributes:
        return 0x4;
    case TFileChangeFilter::fnSize:
        return 0x8;
    case TFileChangeFilter::fnLastWrite:
        return 0x10;
    case TFileChangeFilter::fnLastAccess:
        return 0x20;
    case TFileChangeFilter::fnCreation:
        return 0x40;
    case TFileChangeFilter::fnSecurity:
        return 0x100;
    }
    return 0;
}

TFileChangeFilters::TFileChangeFilters(std::initializer_list<TFileChangeFilter> kinds) {
    for (TFileChangeFilter kind : kinds)
        Include(kind);
}

uint32_t TFileChangeFilters::NotifyFlags() const {
    uint32_t flags = 0;
    for (unsigned i = 0; i <= static_cast<unsigned>(TFileChangeFilter::fnSecurity); ++i) {
        const auto kind = static_cast<TFileChangeFilter>(i);
        if (Contains(kind))
            flags |= NotifyFlag(kind);
    }
    return flags;
}

const TFileChangeFilters kListingChangeFilter{TFileChangeFilter::fnFileName,   TFileChangeFilter::fnDirName,
                                              TFileChangeFilter::fnAttributes, TFileChangeFilter::fnSize,
                                              TFileChangeFilter::fnLastWrite,  TFileChangeFilter::fnCreation};
