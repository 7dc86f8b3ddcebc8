// The program's entry point: the platform services, the splash and main
// windows, and the message loop that runs until the main window is gone.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/win32/Win32Platform.h"
#include "ui/win32/frmMainWindow.h"
#include "ui/win32/frmSplashWindow.h"

namespace {
// OLE for this thread, from before the first window to after the last
// object that holds a picture: the shell's folder picker, drag and drop and
// the background picture need it.
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised_;
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const OleSession ole;

    Win32Platform platform;
    Services& services = platform.services;

    AppFlags flags;
    frmSplash splash(flags);
    frmMain main(services, flags, splash);
    frmSplashWindow splashWindow(splash);
    frmMainWindow mainWindow(main, flags);
    mainWindow.host().onDestroyed = [] { PostQuitMessage(0); };
    Win32FormHost::onUnhandledError = [&](const std::string& what) {
        main.log().logMsg("Unexpected error; command abandoned: " + what);
        services.windows.messageBox(mainWindow.host().handle(),
                                    "Corvane met an unexpected error and abandoned the command.\n\n" + what,
                                    "Unexpected Error", MessageIcon::Critical, MessageButtons::Ok);
    };

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
    Win32FormHost::onUnhandledError = nullptr;
    return exitCode;
}
