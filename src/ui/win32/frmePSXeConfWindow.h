#pragma once

#include "ui/forms/frmePSXeConf.h"
#include "ui/win32/Win32FormHost.h"

// ePSXe's settings window on screen, owned by the main window.
class frmePSXeConfWindow {
public:
    frmePSXeConfWindow(frmePSXeConf& form, HWND owner);
    Win32FormHost& host() { return host_; }

private:
    void layout(int width);

    frmePSXeConf& form_;
    Win32FormHost host_;
};
