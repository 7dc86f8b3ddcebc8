#pragma once

#include "ui/win32/Win32FormHost.h"
#include "ui/forms/frmUpdate.h"

// The update window on screen, owned by the main window.
class frmUpdateWindow {
public:
    frmUpdateWindow(frmUpdate& form, HWND owner);
    Win32FormHost& host() { return host_; }

private:
    void layout(int width, int height);

    frmUpdate& form_;
    Win32FormHost host_;
};
