#include "ui/frmSplash.h"

frmSplash::frmSplash(AppFlags& flags) : flags_(flags) {
    setCaption("Corvane");
    lblTitle.setCaption("Orvisk's Corvane");
    lblLoadStatus.setCaption("Starting up....");
    tmrSplash.setInterval(3000);
    tmrSplash.onTimer = [this] { tmrSplash_Timer(); };
}

void frmSplash::UpdateSplashStatus(const std::string& text) {
    if (visible()) lblLoadStatus.setCaption(text);
}

void frmSplash::tmrSplash_Timer() {
    // Whichever comes second, the end of loading or this timer, shows the
    // main window.
    if (!(mainVisible && mainVisible()) && !flags_.blLoadingPlugins) {
        tmrSplash.setEnabled(false);
        if (onShowMain) onShowMain();
        unload();
    } else {
        flags_.blSplashDone = true;
    }
}
