// The program's entry point: the platform services, the splash and main
// windows, and the message loop that runs until the main window is gone.
#include <windows.h>
#include <commctrl.h>

#include <shellapi.h>

#include <cstdlib>

#include "app/win32/Handles.h"
#include "app/win32/Win32Platform.h"
#include "plugins/win32/ProbeHelperProcess.h"
#include "ui/win32/frmMainWindow.h"
#include "ui/win32/frmSplashWindow.h"

namespace {
// True when Corvane was started as its own probe helper.
bool IsProbeHelper() {
    int count = 0;
    const UniqueLocal<LPWSTR> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    return arguments && count == 2 && std::wstring(arguments.get()[1]) == kProbeHelperSwitch;
}

// The time a library may take to answer: 10 s, or what the tests set.
std::uint64_t ProbeTimeout() {
    const char* setting = std::getenv("CORVANE_PROBE_TIMEOUT_MS");
    const long long milliseconds = setting ? std::atoll(setting) : 0;
    return milliseconds > 0 ? static_cast<std::uint64_t>(milliseconds) : HelperProbe::kDefaultTimeout;
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The helper must not get as far as the forms or the single-instance check.
    if (IsProbeHelper()) return RunProbeHelper();
    // Reading the game ID from an empty CD-ROM drive, or a library that will
    // not load, fails quietly instead of raising the system's own box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Platform platform;
    Services& services = platform.services;

    AppFlags flags;
    frmSplash splash(flags);
    frmMain main(services, flags, splash);
    ProbeHelperProcess helper;
    InProcessProbe inProcess(platform.libraries);
    HelperProbe probe(helper, ProbeTimeout(), &inProcess);
    main.session().setProbe(probe);
    probe.warmUp();
    frmSplashWindow splashWindow(splash);
    frmMainWindow mainWindow(main, flags);
    mainWindow.host().onDestroyed = [] { PostQuitMessage(0); };
    Win32FormHost::onUnhandledError = [&](const std::string& what) {
        main.session().log().logMsg("Unexpected error; command abandoned: " + what);
        services.windows.messageBox(mainWindow.host().handle(),
                                    "Corvane met an unexpected error and abandoned the command.\n\n" + what,
                                    "Unexpected Error", MessageIcon::Critical, MessageButtons::Ok);
    };

    int exitCode = 0;
    if (Win32FormHost::Guarded([&] { return main.Splash_Load(); }, false)) {
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
