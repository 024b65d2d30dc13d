// The platform-free half of the listing: building, sorting and full paths.
#include "listing/FileListing.h"

#include "base/TextHelpers.h"

#include <algorithm>
#include <stdexcept>

void TFileListing::Reset(const std::wstring& folder) {
    blocks_.clear();
    blocks_.shrink_to_fit();
    count_ = 0;
    rows_.clear();
    rows_.shrink_to_fit();
    icons_.clear();
    icons_.shrink_to_fit();
    names_.Clear();
    nameKeys_.Clear();
    nameKeysLocale_ = nullptr;
    // The type names stay: the next reading of a folder finds most of them known.
    folder_ = folder;
    totalSize_ = 0;
}

void TFileListing::Add(const TFileObject& entry) {
    Append(entry, TypeNumberOf(entry.TypeName), nullptr);
}

void TFileListing::AddWithNameKey(const TFileObject& entry, const Locale& locale) {
    Append(entry, TypeNumberOf(entry.TypeName), &locale);
}

void TFileListing::Append(const TFileObject& entry, uint32_t type, const Locale* keyLocale) {
    if (count_ > UINT32_MAX - 1)
        throw std::length_error("listing full");
    // Keys made while reading stay usable only while every entry has one, of one locale.
    if (keyLocale && count_ == nameKeys_.Count() && (nameKeysLocale_ == keyLocale || count_ == 0)) {
        nameKeys_.Add(entry.Name, *keyLocale);
        nameKeysLocale_ = keyLocale;
    }
    const size_t id = count_;
    if (id == blocks_.size() * kBlockSize)
        blocks_.push_back(std::make_unique_for_overwrite<Stored[]>(kBlockSize));
    // A short name equal to the long one (or standing in for a missing one) costs nothing.
    const bool ownDosName = !entry.DosName.empty() && entry.DosName != entry.Name;
    const std::wstring_view dosName = ownDosName ? entry.DosName : std::wstring_view();
    if (entry.Name.size() > UINT16_MAX || dosName.size() > UINT16_MAX)
        throw std::length_error("name too long");
    Stored& stored = At(id);
    stored.Created = entry.Created;
    stored.Modified = entry.Modified;
    stored.Accessed = entry.Accessed;
    stored.Size = entry.Size;
    stored.Attributes = entry.Attributes;
    stored.NamePlace = names_.KeepPair(entry.Name, dosName);
    stored.NameLength = static_cast<uint16_t>(entry.Name.size());
    stored.DosLength = static_cast<uint16_t>(dosName.size());
    stored.Type = type;
    if (!rows_.empty())
        rows_.push_back(static_cast<uint32_t>(id));
    if (!icons_.empty())
        icons_.push_back(entry.IconIndex);
    ++count_;
    totalSize_ += entry.Size;
}

size_t TFileListing::IdOfRow(size_t row) const {
    if (row >= count_)
        throw std::out_of_range("listing index");
    return rows_.empty() ? row : rows_[row];
}

TFileObject TFileListing::operator[](size_t index) const {
    const size_t id = IdOfRow(index);
    const Stored& stored = At(id);
    TFileObject entry;
    entry.Name = NameOf(stored);
    entry.DosName = DosNameOf(stored);
    entry.TypeName = TypeNameOf(stored);
    entry.Created = stored.Created;
    entry.Modified = stored.Modified;
    entry.Accessed = stored.Accessed;
    entry.Size = stored.Size;
    entry.IconIndex = icons_.empty() ? -1 : icons_[id];
    entry.Attributes = stored.Attributes;
    return entry;
}

void TFileListing::SetIconIndex(size_t index, int32_t icon) {
    const size_t id = IdOfRow(index);
    if (icons_.empty())
        icons_.assign(count_, -1);
    icons_[id] = icon;
}

uint32_t TFileListing::TypeNumber(const std::wstring& extensionKey, const std::wstring& typeName) {
    const auto [it, added] = typeOfExtension_.try_emplace(extensionKey, static_cast<uint32_t>(types_.size()));
    if (added)
        types_.push_back(typeName);
    return it->second;
}

uint32_t TFileListing::TypeNumberOf(std::wstring_view typeName) {
    if (typeName.empty())
        return kNoType;
    // The most recent first: entries of one type tend to come together.
    for (size_t i = types_.size(); i-- > 0;)
        if (types_[i].data() == typeName.data())
            return static_cast<uint32_t>(i);
    // Not one of ours: kept as a type of its own.
    types_.emplace_back(typeName);
    return static_cast<uint32_t>(types_.size() - 1);
}

std::wstring_view TFileListing::KeepTypeName(const std::wstring& extensionKey, const std::wstring& typeName) {
    return types_[TypeNumber(extensionKey, typeName)];
}

const std::wstring* TFileListing::FindTypeName(const std::wstring& extensionKey) const {
    auto it = typeOfExtension_.find(extensionKey);
    return it == typeOfExtension_.end() ? nullptr : &types_[it->second];
}

std::wstring TFileListing::FullName(size_t index) const {
    const std::wstring_view name = NameOf(At(IdOfRow(index)));
    std::wstring path = WithTrailingBackslash(folder_);
    path += name;
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
    if (key < kName || key > kType || count_ < 2)
        return;
    if (rows_.empty()) {
        rows_.resize(count_);
        for (size_t id = 0; id < count_; ++id)
            rows_[id] = static_cast<uint32_t>(id);
    }
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
    const bool readKeys = key == kName && nameKeysLocale_ == &locale && nameKeys_.Count() == count_;
    if (!readKeys) {
        for (size_t id = 0; id < count_; ++id) {
            const Stored& e = At(id);
            made.Add(key == kName ? NameOf(e) : key == kDosName ? DosNameOf(e) : TypeNameOf(e), locale);
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
