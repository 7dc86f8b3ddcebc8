#pragma once

// The calls the catalogue's probe makes for each library of a folder, with
// nothing around them: the yardstick the benchmarks measure against.
#include <windows.h>

#include <cstdint>
#include <string>

inline void BareLoop(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*.dll").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        HMODULE library = LoadLibraryW((folder + L"\\" + entry.cFileName).c_str());
        if (!library) continue;
        for (const char* name : {"PSEgetLibType", "PSEgetLibName", "PSEgetLibVersion"})
            if (auto function = reinterpret_cast<std::intptr_t(WINAPI*)()>(
                    reinterpret_cast<void*>(GetProcAddress(library, name))))
                function();
        FreeLibrary(library);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}
