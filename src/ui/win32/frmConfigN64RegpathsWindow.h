#pragma once

#include "ui/forms/frmConfigN64Regpaths.h"
#include "ui/win32/Win32FormHost.h"

// The N64 registry path dialog on screen, owned by the main window.
class frmConfigN64RegpathsWindow {
public:
    frmConfigN64RegpathsWindow(frmConfigN64Regpaths& form, HWND owner);
    Win32FormHost& host() { return host_; }

private:
    void layout(int width);

    frmConfigN64Regpaths& form_;
    Win32FormHost host_;
};
