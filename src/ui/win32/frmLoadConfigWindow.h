#pragma once

#include "ui/forms/frmLoadConfig.h"
#include "ui/win32/ListIcons.h"
#include "ui/win32/Win32FormHost.h"

// The load dialog on screen, owned by the main window; its details area
// shows when the form makes it taller.
class frmLoadConfigWindow {
public:
    frmLoadConfigWindow(frmLoadConfig& form, HWND owner, HIMAGELIST icons);
    Win32FormHost& host() { return host_; }

private:
    void layout(int width, int height);

    frmLoadConfig& form_;
    Win32FormHost host_;
};
