// The clipboard: the text is copied into movable memory that the system owns once it takes it.
#include "ui/Clipboard.h"

#include "base/Handles.h"

#include <cstring>

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return false;
    void* locked = ::GlobalLock(memory.Get());
    if (!locked)
        return false;
    std::memcpy(locked, text.c_str(), bytes);
    ::GlobalUnlock(memory.Get());
    ClipboardGuard clipboard(owner);
    if (!clipboard.Open() || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory.Get()))
        return false;
    memory.Release();
    return true;
}

std::optional<std::wstring> ClipboardText(HWND owner) {
    ClipboardGuard clipboard(owner);
    if (!clipboard.Open())
        return std::nullopt;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return std::nullopt;
    const auto* locked = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!locked)
        return std::nullopt;
    // The memory may be larger than the text: the text ends at its first null.
    const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
    std::wstring text(locked, ::wcsnlen(locked, capacity));
    ::GlobalUnlock(data);
    return text;
}
