#pragma once

#include "ui/frmSplash.h"
#include "ui/win32/Win32FormHost.h"

// The splash window on screen: a small box in the middle of the screen.
class frmSplashWindow {
public:
    explicit frmSplashWindow(frmSplash& form);
    Win32FormHost& host() { return host_; }

private:
    frmSplash& form_;
    Win32FormHost host_;
};
