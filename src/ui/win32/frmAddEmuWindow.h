#pragma once

#include "ui/forms/frmAddEmu.h"
#include "ui/win32/Win32FormHost.h"

// The Add/Edit dialog on screen, owned by the main window.
class frmAddEmuWindow {
public:
    frmAddEmuWindow(frmAddEmu& form, HWND owner);
    Win32FormHost& host() { return host_; }

private:
    void layout(int width);

    frmAddEmu& form_;
    Win32FormHost host_;
};
