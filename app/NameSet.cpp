// The case-blind name set.
#include "app/NameSet.h"

#include "base/Locale.h"

#include <cstdint>

NameSet::NameSet(const std::vector<std::wstring>& names) : kept_(names) {
    names_.reserve(kept_.size());
    for (const std::wstring& name : kept_)
        names_.insert(name);
}

bool NameSet::Contains(std::wstring_view name) const {
    return names_.find(name) != names_.end();
}

size_t NameSet::Hash::operator()(std::wstring_view name) const {
    uint64_t hash = 1469598103934665603ull;
    for (const wchar_t c : name) {
        const uint64_t folded = c >= L'A' && c <= L'Z'            ? static_cast<uint64_t>(c - L'A' + L'a')
                                : static_cast<uint64_t>(c) < 0x80 ? static_cast<uint64_t>(c)
                                                                  : 0x80;
        hash = (hash ^ folded) * 1099511628211ull;
    }
    return static_cast<size_t>(hash);
}

bool NameSet::Equal::operator()(std::wstring_view a, std::wstring_view b) const {
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    return CurrentLocale().ToUpper(a) == CurrentLocale().ToUpper(b);
}
