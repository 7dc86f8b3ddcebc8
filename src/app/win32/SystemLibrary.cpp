#include "app/win32/SystemLibrary.h"

#include <string>

FARPROC SystemExport(const wchar_t* library, const char* name) {
    // Loaded by its full path in the system folder, so no copy in the
    // program's or the current folder is ever taken for it.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + library;
    HMODULE module = GetModuleHandleW(path.c_str());
    if (!module) module = LoadLibraryW(path.c_str());
    return module ? GetProcAddress(module, name) : nullptr;
}
