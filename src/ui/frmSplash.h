#pragma once

#include "app/AppFlags.h"
#include "ui/Form.h"

// The splash window: the first window of the program. It shows the start-up
// status while the main window loads, and shows the main window when
// loading is done and its own timer has run at least once.
class frmSplash : public Form {
public:
    explicit frmSplash(AppFlags& flags);

    // Shows the text in the status label while the splash is visible.
    void UpdateSplashStatus(const std::string& text);

    // Called when the splash timer finds the main window ready to show.
    std::function<void()> onShowMain;
    // Whether the main window is visible now.
    std::function<bool()> mainVisible;

    Label lblTitle;
    Label lblLoadStatus;
    Timer tmrSplash;

private:
    void tmrSplash_Timer();

    AppFlags& flags_;
};
