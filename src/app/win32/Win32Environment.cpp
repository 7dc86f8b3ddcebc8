#include "app/win32/Win32Environment.h"

#include <windows.h>
#include <shellapi.h>

#include "app/Helpers.h"
#include "app/win32/WideText.h"

std::string Win32Environment::programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    std::string folder = ParsePath(Narrow(path));
    // A folder below a drive root has no trailing backslash; a root keeps it.
    if (folder.size() > 3) folder.pop_back();
    return folder;
}

std::string Win32Environment::commandLine() {
    const wchar_t* text = GetCommandLineW();
    // Skip the program's own name, quoted or not, then the blanks after it.
    if (*text == L'"') {
        ++text;
        while (*text && *text != L'"') ++text;
        if (*text) ++text;
    } else {
        while (*text && *text != L' ' && *text != L'\t') ++text;
    }
    while (*text == L' ' || *text == L'\t') ++text;
    return Narrow(text);
}

OsVersion Win32Environment::osVersion() {
    // GetVersionEx reports what the manifest declares; the kernel's own
    // call reports the truth.
    using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    const auto call = reinterpret_cast<RtlGetVersionCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    if (call) call(&info);
    return OsVersion{info.dwPlatformId == VER_PLATFORM_WIN32_NT, static_cast<int>(info.dwMajorVersion),
                     static_cast<int>(info.dwMinorVersion)};
}

int Win32Environment::screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

bool Win32Environment::anotherInstanceRunning() {
    instanceClaim_.reset(CreateMutexW(nullptr, FALSE, L"Local\\OrvisksCorvaneSingleInstance"));
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32Environment::doEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool Win32Environment::shellOpen(const std::string& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(GetDesktopWindow(), L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}
