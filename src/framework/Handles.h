// Scoped owners for the Win32 handles the program creates. Each owner closes
// exactly what it was given; a handle that is not owned is kept as a plain value.
#pragma once

#include <windows.h>
#include <objbase.h>

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
// Process and thread handles: null, not INVALID_HANDLE_VALUE, marks a missing one.
struct KernelTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct LocalTraits {
    using Handle = HLOCAL;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::LocalFree(h); }
};
// A DC from CreateCompatibleDC (never one from GetDC or BeginPaint).
struct MemoryDCTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
// Memory the shell hands out (an item list of SHBrowseForFolderW).
template <typename T>
struct TaskMemTraits {
    using Handle = T*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CoTaskMemFree(h); }
};
// A view of a file mapping (MapViewOfFile).
struct ViewTraits {
    using Handle = const void*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnmapViewOfFile(h); }
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
using ScopedBitmap = ScopedHandle<GdiTraits<HBITMAP>>;
using ScopedFont = ScopedHandle<GdiTraits<HFONT>>;
using ScopedKernelHandle = ScopedHandle<KernelTraits>;
using ScopedLocal = ScopedHandle<LocalTraits>;
using ScopedMemoryDC = ScopedHandle<MemoryDCTraits>;
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;
using ScopedView = ScopedHandle<ViewTraits>;
template <typename T>
using ScopedTaskMem = ScopedHandle<TaskMemTraits<T>>;

// Both handles CreateProcessW returns, closed together.
class ScopedProcessInfo {
public:
    ScopedProcessInfo() = default;
    ~ScopedProcessInfo() { Reset(); }
    ScopedProcessInfo(const ScopedProcessInfo&) = delete;
    ScopedProcessInfo& operator=(const ScopedProcessInfo&) = delete;

    // For CreateProcessW's last argument: closes what was held, then hands out the record.
    PROCESS_INFORMATION* Receive()
    {
        Reset();
        return &info_;
    }
    HANDLE Process() const { return info_.hProcess; }
    HANDLE Thread() const { return info_.hThread; }
    DWORD ProcessId() const { return info_.dwProcessId; }
    void Reset()
    {
        if (info_.hThread) ::CloseHandle(info_.hThread);
        if (info_.hProcess) ::CloseHandle(info_.hProcess);
        info_ = PROCESS_INFORMATION{};
    }

private:
    PROCESS_INFORMATION info_{};
};

// COM on this thread for the object's lifetime. CoUninitialize only balances a
// CoInitialize that succeeded (S_FALSE, already initialised, counts as success).
class ComInit {
public:
    ComInit() : result_(::CoInitialize(nullptr)) {}
    ~ComInit() { if (SUCCEEDED(result_)) ::CoUninitialize(); }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;

    bool Succeeded() const { return SUCCEEDED(result_); }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

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

// A GDI object (pen, brush, font, bitmap) selected into a DC; the previous one is
// selected back on scope exit, so the object can be deleted after the guard.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectGuard() { if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    // False when the object could not be selected.
    bool Selected() const { return old_ && old_ != HGDI_ERROR; }

private:
    HDC dc_;         // not owned
    HGDIOBJ old_;    // not owned: the DC's previous object
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
