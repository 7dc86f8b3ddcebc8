// The program's entry point: the platform services, the splash and main
// windows, and the message loop that runs until the main window is gone.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/win32/Win32Platform.h"
#include "ui/win32/frmMainWindow.h"
#include "ui/win32/frmSplashWindow.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);  // the shell's folder picker and drag and drop need it

    Win32Platform platform;
    Services& services = platform.services;

    AppFlags flags;
    frmSplash splash(flags);
    frmMain main(services, flags, splash);
    frmSplashWindow splashWindow(splash);
    frmMainWindow mainWindow(main, flags);
    mainWindow.host().onDestroyed = [] { PostQuitMessage(0); };

    int exitCode = 0;
    if (main.Splash_Load()) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (IsDialogMessageW(mainWindow.host().window(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        exitCode = static_cast<int>(message.wParam);
    }
    OleUninitialize();
    return exitCode;
}
