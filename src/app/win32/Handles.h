#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owning wrappers that close Win32 handles when they go out of scope.
struct RegKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegKeyCloser>;

struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
using UniqueFind = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
// A font, brush, bitmap or other GDI object the program made.
template <typename Object>
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<Object>, GdiObjectDeleter>;

struct MemoryDcDeleter {
    void operator()(HDC context) const { DeleteDC(context); }
};
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
// A menu no window owns (a window destroys its own menu bar).
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};
// Memory the system allocated for the caller with LocalAlloc.
template <typename T>
using UniqueLocal = std::unique_ptr<T, LocalFreer>;

// A window's device context, released when done.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), context_(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, context_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return context_; }

private:
    HWND window_;
    HDC context_;
};

// An object selected into a device context until this goes, when the one
// it replaced is selected again.
class Selection {
public:
    Selection(HDC context, HGDIOBJ object) : context_(context), previous_(SelectObject(context, object)) {}
    ~Selection() { SelectObject(context_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC context_;
    HGDIOBJ previous_;
};

// Wraps a handle from a call that reports failure as INVALID_HANDLE_VALUE.
template <typename Unique>
Unique Own(HANDLE handle) {
    return Unique(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
