// The program's entry point: for now the main window's frame and the
// activity log's session line.
#include <windows.h>

#include "app/ActivityLog.h"
#include "app/Helpers.h"
#include "app/Version.h"
#include "app/win32/Win32Clock.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/Win32IniFile.h"
#include "app/win32/Win32WindowServices.h"
#include "app/win32/WideText.h"

namespace {
std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return ParsePath(Narrow(path));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    const std::string folder = ProgramFolder();
    AppFlags flags;
    Win32IniFile ini;
    Win32FileSystem files;
    Win32Clock clock;
    Win32WindowServices windows;
    flags.blLoggingEnabled = ini.readInt(folder + "settings.ini", "Configuration", "Logging", 0) != 0;
    ActivityLog log(flags, files, clock, windows, folder);
    log.logMsg("****** Application started; new log session created ******", true);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"CorvaneMain";
    RegisterClassExW(&windowClass);
    const std::wstring caption = Widen("Orvisk's Corvane v" CORVANE_VERSION_TEXT);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 760, 560, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
