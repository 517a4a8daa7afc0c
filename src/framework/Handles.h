// Scoped owners for the Win32 handles the program creates. Each owner closes
// exactly what it was given; a handle that is not owned is kept as a plain value.
#pragma once

#include <windows.h>
#include <utility>

namespace fw {

// Generic owner: Traits supplies Invalid() and Close(h).
template <typename Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle h) : handle_(h) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }

    Handle Release()
    {
        return std::exchange(handle_, Traits::Invalid());
    }
    void Reset(Handle h = Traits::Invalid())
    {
        if (Valid()) Traits::Close(handle_);
        handle_ = h;
    }
    // For out-parameters of the API: resets first, then hands out the slot.
    Handle* Receive()
    {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};
struct GlobalTraits {
    using Handle = HGLOBAL;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::GlobalFree(h); }
};
template <typename T>
struct GdiTraits {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};

using ScopedFile = ScopedHandle<FileTraits>;
using ScopedFind = ScopedHandle<FindTraits>;
using ScopedModule = ScopedHandle<ModuleTraits>;
using ScopedGlobal = ScopedHandle<GlobalTraits>;
using ScopedPalette = ScopedHandle<GdiTraits<HPALETTE>>;
using ScopedBrush = ScopedHandle<GdiTraits<HBRUSH>>;

// Locks movable global memory for the lifetime of the object.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory)  // memory: not owned
        : memory_(memory), data_(memory ? ::GlobalLock(memory) : nullptr) {}
    ~GlobalLockGuard() { if (data_) ::GlobalUnlock(memory_); }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* Data() const { return data_; }
    SIZE_T Size() const { return memory_ ? ::GlobalSize(memory_) : 0; }

private:
    HGLOBAL memory_;
    void* data_;
};

// A device context from GetDC, released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() { if (dc_) ::ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;  // not owned
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &ps_); }
    ~PaintDC() { ::EndPaint(window_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;  // not owned
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A palette selected into a DC (palettes have their own select call).
class PaletteGuard {
public:
    PaletteGuard(HDC dc, HPALETTE palette, BOOL background = FALSE)
        : dc_(dc), old_(::SelectPalette(dc, palette, background)) {}
    ~PaletteGuard() { if (old_) ::SelectPalette(dc_, old_, TRUE); }
    PaletteGuard(const PaletteGuard&) = delete;
    PaletteGuard& operator=(const PaletteGuard&) = delete;

private:
    HDC dc_;          // not owned
    HPALETTE old_;    // not owned
};

}  // namespace fw
