// Scratch registry keys for tests that use the real registry.
#include "ScratchRegistryKey.h"

#include "base/Handles.h"

#include <atomic>
#include <stdexcept>

namespace {

std::atomic<unsigned> g_keyCounter{0};

RegKey CreateKey(const std::wstring& key) {
    RegKey handle;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          handle.Put(), nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create a scratch registry key");
    return handle;
}

void Put(const std::wstring& key, const std::wstring& name, DWORD type, const void* data, DWORD size) {
    RegKey handle = CreateKey(key);
    const LONG rc =
        ::RegSetValueExW(handle.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    if (rc != ERROR_SUCCESS)
        throw std::runtime_error("cannot write a scratch registry value");
}

std::optional<std::vector<uint8_t>> Get(const std::wstring& key, const std::wstring& name, DWORD& type) {
    RegKey handle;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, handle.Put()) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD size = 0;
    if (::RegQueryValueExW(handle.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<uint8_t> bytes(size + 2);
    if (::RegQueryValueExW(handle.Get(), name.c_str(), nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    bytes.resize(size);
    return bytes;
}

} // namespace

ScratchRegistryKey::ScratchRegistryKey() {
    path_ = L"Software\\Kavet24Tests\\run-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(::GetTickCount()) + L"-" + std::to_wstring(g_keyCounter++);
    CreateKey(path_);
}

ScratchRegistryKey::~ScratchRegistryKey() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

void ScratchRegistryKey::PutText(const std::wstring& key, const std::wstring& name, const std::wstring& text,
                                 DWORD type) {
    Put(key, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void ScratchRegistryKey::PutDword(const std::wstring& key, const std::wstring& name, DWORD value) {
    Put(key, name, REG_DWORD, &value, sizeof value);
}

void ScratchRegistryKey::PutBinary(const std::wstring& key, const std::wstring& name,
                                   const std::vector<uint8_t>& bytes, DWORD type) {
    Put(key, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool ScratchRegistryKey::KeyExists(const std::wstring& key) {
    RegKey handle;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, handle.Put()) == ERROR_SUCCESS;
}

std::optional<DWORD> ScratchRegistryKey::ValueType(const std::wstring& key, const std::wstring& name) {
    DWORD type = 0;
    if (!Get(key, name, type))
        return std::nullopt;
    return type;
}

std::optional<std::wstring> ScratchRegistryKey::Text(const std::wstring& key, const std::wstring& name) {
    DWORD type = 0;
    const auto bytes = Get(key, name, type);
    if (!bytes || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes->data()), bytes->size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

std::optional<DWORD> ScratchRegistryKey::Dword(const std::wstring& key, const std::wstring& name) {
    DWORD type = 0;
    const auto bytes = Get(key, name, type);
    if (!bytes || type != REG_DWORD || bytes->size() != sizeof(DWORD))
        return std::nullopt;
    return *reinterpret_cast<const DWORD*>(bytes->data());
}

std::vector<std::wstring> ScratchRegistryKey::ValueNames(const std::wstring& key) {
    std::vector<std::wstring> names;
    RegKey handle;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, handle.Put()) != ERROR_SUCCESS)
        return names;
    std::vector<wchar_t> name(16384); // the platform's longest value name
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (::RegEnumValueW(handle.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
    }
    return names;
}
