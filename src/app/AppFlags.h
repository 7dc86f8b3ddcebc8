#pragma once

// The process-wide application flags; all false at process start.
struct AppFlags {
    bool blLoggingEnabled = false;
    bool blN64ConfigEnabled = false;
    bool blLowResSwitch = false;
    bool blNoConfigAutoLoad = false;
    bool blLayeredWindows = false;
    bool blSplashDone = false;
    bool blLoadingPlugins = false;
    bool blDuplicateInstance = false;
    bool blExternalAppRunning = false;
    bool blLowResApplied = false;
    bool blLoadConfigDetails = false;
    bool blBackgroundImage = false;
    bool blActivated = false;
};
