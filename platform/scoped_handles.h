// Ownership of Win32 handles and GDI objects: one move-only owner with a trait per kind of
// handle, and scopes that undo a GetDC, a BeginPaint, a SelectObject or a lock on every way out.
// A trait names the handle type and how to release it; one whose "no handle" value is not
// null (files: INVALID_HANDLE_VALUE) says so with a none().
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits> class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, none())) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, none()));
        return *this;
    }
    ~Owned() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != none(); }
    void reset(Handle handle = none())
    {
        if (handle_ != none())
            Traits::release(handle_);
        handle_ = handle;
    }

private:
    static Handle none()
    {
        if constexpr (requires { Traits::none(); })
            return Traits::none();
        else
            return Handle{};
    }

    Handle handle_ = none();
};

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static void release(Handle handle) { DeleteObject(handle); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static void release(Handle handle) { DeleteDC(handle); }
};
struct MenuTraits {
    using Handle = HMENU;
    static void release(Handle handle) { DestroyMenu(handle); }
};

struct HookTraits {
    using Handle = HHOOK;
    static void release(Handle handle) { UnhookWindowsHookEx(handle); }
};
// Kernel objects whose failure value is null (events, processes, threads, mutexes), not files.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static void release(Handle handle) { CloseHandle(handle); }
};
// What CreateFile returns, which is INVALID_HANDLE_VALUE when it fails.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static void release(Handle handle) { CloseHandle(handle); }
};
struct WindowTraits {
    using Handle = HWND;
    static void release(Handle handle) { DestroyWindow(handle); }
};

using OwnedGdiObject = Owned<GdiObjectTraits>;
using OwnedMemoryDc = Owned<MemoryDcTraits>;
using OwnedMenu = Owned<MenuTraits>;
using OwnedHook = Owned<HookTraits>;
using OwnedHandle = Owned<KernelHandleTraits>;
using OwnedFile = Owned<FileHandleTraits>;
using OwnedWindow = Owned<WindowTraits>;

// A device context of a window from GetDC, released when the scope ends.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// One WM_PAINT: BeginPaint now, EndPaint when the scope ends.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a device context; the previous one goes back when the scope ends,
// so the object can be deleted afterwards.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A slim reader/writer lock held exclusively until the scope ends.
class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }

private:
    SRWLOCK& lock_;
};
