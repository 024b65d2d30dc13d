// The platform-free half of the listing: building, sorting and full paths.
#include "listing/FileListing.h"

#include <algorithm>
#include <numeric>

void TFileListing::Reset(const std::wstring& folder) {
    entries_.clear();
    entries_.shrink_to_fit();
    folder_ = folder;
    totalSize_ = 0;
}

void TFileListing::Add(TFileObject entry) {
    totalSize_ += entry.Size;
    entries_.push_back(std::make_unique<TFileObject>(std::move(entry)));
}

std::wstring_view TFileListing::KeepTypeName(const std::wstring& extensionKey, const std::wstring& typeName) {
    return typeNames_.try_emplace(extensionKey, typeName).first->second;
}

const std::wstring* TFileListing::FindTypeName(const std::wstring& extensionKey) const {
    auto it = typeNames_.find(extensionKey);
    return it == typeNames_.end() ? nullptr : &it->second;
}

std::wstring TFileListing::FullName(size_t index) const {
    const TFileObject& entry = *entries_.at(index);
    std::wstring path = folder_;
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    path += entry.Name;
    return path;
}

namespace {

template <typename Value>
int Compare(const Value& a, const Value& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

void TFileListing::Sort(int key, bool ascending, const Locale& locale) {
    if (key < kName || key > kType || entries_.size() < 2)
        return;
    const int sign = ascending ? 1 : -1;
    std::vector<uint32_t> order(entries_.size());
    std::iota(order.begin(), order.end(), 0u);

    if (key == kName || key == kDosName || key == kType) {
        // Collate each text once, into one buffer; comparing keys is then a plain byte comparison.
        std::string buffer;
        std::vector<std::pair<uint32_t, uint32_t>> spans(entries_.size());
        for (size_t i = 0; i < entries_.size(); ++i) {
            const TFileObject& e = *entries_[i];
            const std::wstring_view text =
                key == kName ? std::wstring_view(e.Name) : key == kDosName ? std::wstring_view(e.DosName) : e.TypeName;
            const std::string sortKey = locale.SortKey(text);
            spans[i] = {static_cast<uint32_t>(buffer.size()), static_cast<uint32_t>(sortKey.size())};
            buffer += sortKey;
        }
        auto keyOf = [&](uint32_t i) { return std::string_view(buffer).substr(spans[i].first, spans[i].second); };
        std::sort(order.begin(), order.end(),
                  [&](uint32_t a, uint32_t b) { return sign * Compare(keyOf(a), keyOf(b)) < 0; });
    } else {
        auto compare = [&](const TFileObject& a, const TFileObject& b) {
            switch (key) {
            case kSize:
                return Compare(a.Size, b.Size);
            case kCreated:
                return Compare(a.Created, b.Created);
            case kModified:
                return Compare(a.Modified, b.Modified);
            case kAccessed:
                return Compare(a.Accessed, b.Accessed);
            default:
                return Compare(a.Attributes, b.Attributes);
            }
        };
        std::sort(order.begin(), order.end(),
                  [&](uint32_t a, uint32_t b) { return sign * compare(*entries_[a], *entries_[b]) < 0; });
    }

    std::vector<std::unique_ptr<TFileObject>> sorted;
    sorted.reserve(entries_.size());
    for (uint32_t i : order)
        sorted.push_back(std::move(entries_[i]));
    entries_ = std::move(sorted);
}
