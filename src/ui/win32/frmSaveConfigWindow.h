#pragma once

#include "ui/forms/frmSaveConfig.h"
#include "ui/win32/Win32FormHost.h"

// The save dialog on screen, owned by the main window.
class frmSaveConfigWindow {
public:
    frmSaveConfigWindow(frmSaveConfig& form, HWND owner);
    Win32FormHost& host() { return host_; }

private:
    void layout(int width);

    frmSaveConfig& form_;
    Win32FormHost host_;
};
