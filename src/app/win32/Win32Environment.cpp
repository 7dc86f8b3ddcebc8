#include "app/win32/Win32Environment.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <vector>

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

std::string Win32Environment::fileDescription() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    if (block.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return std::string();
    // The first language the resource lists.
    struct Translation {
        WORD language, codePage;
    };
    Translation* translations = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &size) ||
        size < sizeof(Translation))
        return std::string();
    wchar_t key[64];
    swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\FileDescription", translations->language,
             translations->codePage);
    wchar_t* text = nullptr;
    if (!VerQueryValueW(block.data(), key, reinterpret_cast<void**>(&text), &size) || size == 0) return std::string();
    return Narrow(std::wstring(text, wcsnlen(text, size)));
}

int Win32Environment::screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

namespace {
// The window's claim: one per user session.
const wchar_t* const kInstanceClaim = L"Local\\OrvisksCorvaneSingleInstance";
}  // namespace

bool Win32Environment::anotherInstanceRunning() {
    instanceClaim_.reset(CreateMutexW(nullptr, FALSE, kInstanceClaim));
    return GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32Environment::windowRunning() {
    return UniqueHandle(OpenMutexW(SYNCHRONIZE, FALSE, kInstanceClaim)) != nullptr;
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

bool Win32Environment::shellOpen(const std::string& target, const std::string& parameters) {
    const std::wstring wideParameters = Widen(parameters);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(GetDesktopWindow(), L"open", Widen(target).c_str(),
                      parameters.empty() ? nullptr : wideParameters.c_str(), nullptr, SW_SHOWNORMAL));
    return result > 32;
}
