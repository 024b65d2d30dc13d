// Move-only owners for every kind of handle the program opens, so that no raw handle is kept in
// a member or across a call that can fail.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <utility>

template <typename Traits> class UniqueResource {
public:
    using Type = typename Traits::Type;

    UniqueResource() = default;
    explicit UniqueResource(Type value) : value_(value) {}
    ~UniqueResource() { Reset(); }

    UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Type Get() const { return value_; }
    bool Valid() const { return value_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }

    Type Release() { return std::exchange(value_, Traits::Invalid()); }
    void Reset(Type value = Traits::Invalid()) {
        Type old = std::exchange(value_, value);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }
    // For the out-parameter style of the platform: releases the old value first.
    Type* Put() {
        Reset();
        return &value_;
    }

private:
    Type value_ = Traits::Invalid();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindClose(h); }
};
struct ChangeHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindCloseChangeNotification(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::RegCloseKey(h); }
};
struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};
struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyIcon(h); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DestroyMenu(h); }
};
struct ItemIdListTraits {
    using Type = PIDLIST_ABSOLUTE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::CoTaskMemFree(h); }
};
struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::GlobalFree(h); }
};
struct LocalMemoryTraits {
    using Type = HLOCAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::LocalFree(h); }
};
struct DropTraits {
    using Type = HDROP;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::DragFinish(h); }
};
struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::ImageList_Destroy(h); }
};

using KernelHandle = UniqueResource<KernelHandleTraits>; // events, threads
using FileHandle = UniqueResource<FileHandleTraits>;
using FindHandle = UniqueResource<FindHandleTraits>;
using ChangeHandle = UniqueResource<ChangeHandleTraits>;
using RegKey = UniqueResource<RegKeyTraits>;
using GdiObject = UniqueResource<GdiObjectTraits>;
using IconHandle = UniqueResource<IconTraits>;
using MenuHandle = UniqueResource<MenuTraits>;
using ItemIdList = UniqueResource<ItemIdListTraits>;
using ImageListHandle = UniqueResource<ImageListTraits>; // only for lists the program made itself
using GlobalMemory = UniqueResource<GlobalMemoryTraits>; // released once the clipboard owns it
using LocalMemory = UniqueResource<LocalMemoryTraits>;   // what the system hands back to free locally
using DropHandle = UniqueResource<DropTraits>;           // the files of one WM_DROPFILES

// A reference-counted COM interface pointer.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_)
            p_->AddRef();
    }
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset() {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }
    T** Put() {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    template <typename U> ComPtr<U> As(REFIID iid) const {
        ComPtr<U> result;
        if (p_)
            p_->QueryInterface(iid, result.PutVoid());
        return result;
    }

private:
    T* p_ = nullptr;
};

// The device context of a window (or of the screen, for none) for one scope.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_)
            ::ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// A memory device context compatible with the screen, for one drawing.
class MemoryDC {
public:
    MemoryDC() : dc_(::CreateCompatibleDC(nullptr)) {}
    ~MemoryDC() {
        if (dc_)
            ::DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Selects a GDI object into a device context for one scope.
class SelectionGuard {
public:
    SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectionGuard() { ::SelectObject(dc_, old_); }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The clipboard, open for one scope. Another program may hold it open a moment (a clipboard
// viewer reading what was just copied), so opening is tried a few times.
class ClipboardGuard {
public:
    explicit ClipboardGuard(HWND owner) {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            if (attempt > 0)
                ::Sleep(20);
            open_ = ::OpenClipboard(owner) != FALSE;
        }
    }
    ~ClipboardGuard() {
        if (open_)
            ::CloseClipboard();
    }
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;
    bool Open() const { return open_; }

private:
    bool open_ = false;
};

// Fails critical errors (an empty floppy or card drive) with an error code instead of a system
// dialog, for one scope, and puts the previous mode back.
class ErrorModeGuard {
public:
    ErrorModeGuard() : old_(::SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~ErrorModeGuard() { ::SetErrorMode(old_); }
    ErrorModeGuard(const ErrorModeGuard&) = delete;
    ErrorModeGuard& operator=(const ErrorModeGuard&) = delete;

private:
    UINT old_;
};

// The same for the calling thread alone, for workers: the process-wide mode belongs to the
// user-interface thread, whose own guard would otherwise restore a mode a worker set meanwhile.
class ThreadErrorModeGuard {
public:
    ThreadErrorModeGuard() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &old_); }
    ~ThreadErrorModeGuard() { ::SetThreadErrorMode(old_, nullptr); }
    ThreadErrorModeGuard(const ThreadErrorModeGuard&) = delete;
    ThreadErrorModeGuard& operator=(const ThreadErrorModeGuard&) = delete;

private:
    DWORD old_ = 0;
};
