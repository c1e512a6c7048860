// Ownership of Win32 handles and GDI objects: one move-only owner with a trait per kind of
// handle, and scopes that undo a GetDC, a BeginPaint or a SelectObject on every way out.
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
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~Owned() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    void reset(Handle handle = Handle{})
    {
        if (handle_ != Handle{})
            Traits::release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
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

using OwnedGdiObject = Owned<GdiObjectTraits>;
using OwnedMemoryDc = Owned<MemoryDcTraits>;
using OwnedMenu = Owned<MenuTraits>;
using OwnedHook = Owned<HookTraits>;

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
