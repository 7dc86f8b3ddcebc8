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

// Wraps a handle from a call that reports failure as INVALID_HANDLE_VALUE.
template <typename Unique>
Unique Own(HANDLE handle) {
    return Unique(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
