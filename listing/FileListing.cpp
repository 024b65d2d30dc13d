// The platform-free half of the listing: building, sorting and full paths.
#include "listing/FileListing.h"

#include "base/TextHelpers.h"

#include <algorithm>
#include <stdexcept>

void TFileListing::Reset(const std::wstring& folder) {
    blocks_.clear();
    blocks_.shrink_to_fit();
    rows_.clear();
    rows_.shrink_to_fit();
    names_.Clear();
    nameKeys_.Clear();
    nameKeysLocale_ = nullptr;
    folder_ = folder;
    totalSize_ = 0;
}

void TFileListing::AddWithNameKey(const TFileObject& entry, const Locale& locale) {
    if (rows_.size() == nameKeys_.Count() && (nameKeysLocale_ == &locale || rows_.empty())) {
        nameKeys_.Add(entry.Name, locale);
        nameKeysLocale_ = &locale;
    }
    Add(entry);
}

void TFileListing::Add(TFileObject entry) {
    const size_t id = rows_.size();
    if (id == blocks_.size() * kBlockSize)
        blocks_.push_back(std::make_unique<TFileObject[]>(kBlockSize));
    // A short name equal to the long one (or standing in for a missing one) shares its characters.
    const bool sameNames = entry.DosName == entry.Name;
    entry.Name = names_.Keep(entry.Name);
    entry.DosName = sameNames ? entry.Name : names_.Keep(entry.DosName);
    totalSize_ += entry.Size;
    At(id) = entry;
    // The rows are made here, with the entries, so that a sort only reorders them.
    rows_.push_back(static_cast<uint32_t>(id));
}

TFileObject& TFileListing::Entry(size_t row) {
    if (row >= rows_.size())
        throw std::out_of_range("listing index");
    return At(rows_[row]);
}

std::wstring_view TFileListing::KeepTypeName(const std::wstring& extensionKey, const std::wstring& typeName) {
    return typeNames_.try_emplace(extensionKey, typeName).first->second;
}

const std::wstring* TFileListing::FindTypeName(const std::wstring& extensionKey) const {
    auto it = typeNames_.find(extensionKey);
    return it == typeNames_.end() ? nullptr : &it->second;
}

std::wstring TFileListing::FullName(size_t index) const {
    const TFileObject& entry = (*this)[index];
    std::wstring path = WithTrailingBackslash(folder_);
    path += entry.Name;
    return path;
}

namespace {

// Each row's key copied beside its entry's number: the comparisons then read one small array in
// order instead of the entries. Comparing the keys alone gives std::sort the same outcomes as
// comparing the entries, so it takes the same steps and entries with equal keys end in the same
// order.
template <typename Value, typename KeyOf>
void SortRowsByKey(std::vector<uint32_t>& rows, bool ascending, KeyOf keyOf) {
    struct Keyed {
        Value key;
        uint32_t id;
    };
    std::vector<Keyed> keyed(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keyed[i] = {keyOf(rows[i]), rows[i]};
    if (ascending)
        std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    else
        std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return b.key < a.key; });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = keyed[i].id;
}

// The same for a 32-bit key, packed with the entry's number into one 64-bit word: std::sort moves
// a word faster than a pair of them. Only the key's half is compared, as above.
template <typename KeyOf> void SortRowsByWord(std::vector<uint32_t>& rows, bool ascending, KeyOf keyOf) {
    std::vector<uint64_t> keyed(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keyed[i] = uint64_t{keyOf(rows[i])} << 32 | rows[i];
    if (ascending)
        std::sort(keyed.begin(), keyed.end(), [](uint64_t a, uint64_t b) { return a >> 32 < b >> 32; });
    else
        std::sort(keyed.begin(), keyed.end(), [](uint64_t a, uint64_t b) { return b >> 32 < a >> 32; });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<uint32_t>(keyed[i]);
}

} // namespace

void TFileListing::Sort(int key, bool ascending, const Locale& locale) {
    // Keys made while reading serve the first sort only: kept, they would cost as much as the names.
    struct DropReadKeys {
        TFileListing& listing;
        ~DropReadKeys() {
            listing.nameKeys_.Clear();
            listing.nameKeysLocale_ = nullptr;
        }
    } drop{*this};
    if (key < kName || key > kType || rows_.size() < 2)
        return;
    switch (key) {
    case kName:
    case kDosName:
    case kType:
        SortRowsByText(key, ascending, locale);
        break;
    case kSize:
        SortRowsByKey<int64_t>(rows_, ascending, [this](uint32_t id) { return At(id).Size; });
        break;
    case kCreated:
        SortRowsByKey<TDateTime>(rows_, ascending, [this](uint32_t id) { return At(id).Created; });
        break;
    case kModified:
        SortRowsByKey<TDateTime>(rows_, ascending, [this](uint32_t id) { return At(id).Modified; });
        break;
    case kAccessed:
        SortRowsByKey<TDateTime>(rows_, ascending, [this](uint32_t id) { return At(id).Accessed; });
        break;
    default:
        SortRowsByWord(rows_, ascending, [this](uint32_t id) { return At(id).Attributes; });
        break;
    }
}

void TFileListing::SortRowsByText(int key, bool ascending, const Locale& locale) {
    // Collate each text once, by entry number; comparing keys is then a plain byte comparison.
    // The names' keys may have been made while the folder was read.
    SortKeyStore made;
    const bool readKeys = key == kName && nameKeysLocale_ == &locale && nameKeys_.Count() == rows_.size();
    if (!readKeys) {
        for (size_t id = 0; id < rows_.size(); ++id) {
            const TFileObject& e = At(id);
            made.Add(key == kName ? e.Name : key == kDosName ? e.DosName : e.TypeName, locale);
        }
    }
    const SortKeyStore& keys = readKeys ? nameKeys_ : made;
    if (ascending)
        std::sort(rows_.begin(), rows_.end(),
                  [&](uint32_t a, uint32_t b) { return keys.Key(a) < keys.Key(b); });
    else
        std::sort(rows_.begin(), rows_.end(),
                  [&](uint32_t a, uint32_t b) { return keys.Key(b) < keys.Key(a); });
}
