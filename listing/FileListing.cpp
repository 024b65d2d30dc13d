// The platform-free half of the listing: building, sorting and full paths.
#include "listing/FileListing.h"

#include <algorithm>
#include <numeric>

#include <stdexcept>

void TFileListing::Reset(const std::wstring& folder) {
    blocks_.clear();
    blocks_.shrink_to_fit();
    count_ = 0;
    folder_ = folder;
    totalSize_ = 0;
}

void TFileListing::Add(TFileObject entry) {
    if (count_ == blocks_.size() * kBlockSize)
        blocks_.push_back(std::make_unique<TFileObject[]>(kBlockSize));
    totalSize_ += entry.Size;
    At(count_) = std::move(entry);
    ++count_;
}

TFileObject& TFileListing::Entry(size_t index) {
    if (index >= count_)
        throw std::out_of_range("listing index");
    return At(index);
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
    if (key < kName || key > kType || count_ < 2)
        return;
    const int sign = ascending ? 1 : -1;
    std::vector<uint32_t> order(count_);
    std::iota(order.begin(), order.end(), 0u);

    if (key == kName || key == kDosName || key == kType) {
        // Collate each text once, into one buffer; comparing keys is then a plain byte comparison.
        auto textOf = [&](const TFileObject& e) {
            return key == kName ? std::wstring_view(e.Name) : key == kDosName ? std::wstring_view(e.DosName) : e.TypeName;
        };
        // A key takes about two bytes per character and a few more: reserving that avoids the copies
        // of a growing buffer, which would double the sort's memory for a moment.
        size_t estimate = 0;
        for (size_t i = 0; i < count_; ++i)
            estimate += 2 * textOf(At(i)).size() + 8;
        std::string buffer;
        buffer.reserve(estimate);
        std::vector<uint32_t> ends(count_);
        for (size_t i = 0; i < count_; ++i) {
            locale.AppendSortKey(textOf(At(i)), buffer);
            ends[i] = static_cast<uint32_t>(buffer.size());
        }
        auto keyOf = [&](uint32_t i) {
            const uint32_t begin = i == 0 ? 0 : ends[i - 1];
            return std::string_view(buffer).substr(begin, ends[i] - begin);
        };
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
                  [&](uint32_t a, uint32_t b) { return sign * compare(At(a), At(b)) < 0; });
    }
    Permute(order);
}

void TFileListing::Permute(std::vector<uint32_t>& order) {
    // Position i takes the entry at order[i]: follow each cycle once, moving every entry a single
    // time, and mark the positions done in the order itself.
    constexpr uint32_t kDone = UINT32_MAX;
    for (size_t start = 0; start < count_; ++start) {
        if (order[start] == kDone || order[start] == start) {
            order[start] = kDone;
            continue;
        }
        TFileObject held = std::move(At(start));
        size_t position = start;
        while (order[position] != start) {
            const size_t from = order[position];
            At(position) = std::move(At(from));
            order[position] = kDone;
            position = from;
        }
        At(position) = std::move(held);
        order[position] = kDone;
    }
}
