#pragma once

#include <windows.h>

// An export of a library of the system folder that the program loads only
// when first needed: the library stays loaded for the rest of the process.
// Null when the library or the export is missing.
FARPROC SystemExport(const wchar_t* library, const char* name);

template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemExport(library, name)));
}
