#pragma once

#include "ui/frmSysTray.h"
#include "ui/win32/Win32FormHost.h"

// The tray's window: a hidden top-level window (a message-only one would
// never get the shell's broadcast that it started again) that hands the
// icon's messages to the form.
class frmSysTrayWindow {
public:
    explicit frmSysTrayWindow(frmSysTray& form);

private:
    frmSysTray& form_;
    Win32FormHost host_;
    UINT taskbarCreated_;
};
