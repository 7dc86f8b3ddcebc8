#pragma once

#include "app/AppFlags.h"
#include "ui/frmMain.h"
#include "ui/win32/Win32FormHost.h"

// The main window on screen: its controls, pages, menu bar and layout.
class frmMainWindow {
public:
    frmMainWindow(frmMain& form, const AppFlags& flags);
    Win32FormHost& host() { return host_; }

private:
    void createControls();
    void showPage();
    void layout(int width, int height);
    void layoutPluginPage(int first, int x, int y, int width, int height);
    void layoutConfigurationPage(int x, int y, int width, int height);

    frmMain& form_;
    const AppFlags& flags_;
    Win32FormHost host_;
    std::vector<std::vector<WindowPeer*>> pages_;
};
