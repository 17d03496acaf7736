#pragma once
// One move-only owner for every kind of Win32 handle. Traits name the empty
// value and how the handle is given back; release() hands ownership on, for
// handles that pass to Windows (a region given to SetWindowRgn, for example).
#include <windows.h>
#include <mmsystem.h>

#include <utility>

namespace keytide::win32 {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Traits::Empty()); }

    void reset(Handle handle = Traits::Empty()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Empty()) Traits::Close(old);
    }

    // For out-parameters of the Reg*/mixer* style: frees the current handle first.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Empty();
};

struct WindowTraits {
    using Handle = HWND;
    static constexpr Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static constexpr Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};

struct MemoryDcTraits {
    using Handle = HDC;
    static constexpr Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static constexpr Handle Empty() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct MixerTraits {
    using Handle = HMIXER;
    static constexpr Handle Empty() { return nullptr; }
    static void Close(Handle h) { mixerClose(h); }
};

struct IconTraits {
    using Handle = HICON;
    static constexpr Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};

struct MenuTraits {
    using Handle = HMENU;
    static constexpr Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static constexpr Handle Empty() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

using UniqueHwnd = UniqueHandle<WindowTraits>;
using UniqueHrgn = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueHbitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueHfont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueHbrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueHpen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueHkey = UniqueHandle<RegistryKeyTraits>;
using UniqueHmixer = UniqueHandle<MixerTraits>;
using UniqueHicon = UniqueHandle<IconTraits>;
using UniqueHmenu = UniqueHandle<MenuTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

// A window's display context, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for a scope and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace keytide::win32
