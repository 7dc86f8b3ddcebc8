#pragma once

#include <ocidl.h>

#include <functional>
#include <memory>
#include <optional>

#include "app/AppFlags.h"
#include "app/win32/ComApartment.h"
#include "ui/frmMain.h"
#include "ui/win32/ListIcons.h"
#include "ui/win32/Win32FormHost.h"
#include "ui/win32/frmSysTrayWindow.h"

// The main window on screen: its controls, pages, menu bar and layout.
class frmMainWindow {
public:
    frmMainWindow(frmMain& form, const AppFlags& flags);
    Win32FormHost& host() { return host_; }

private:
    // Shows a dialog's window over the main window until the dialog closes;
    // `extra` goes to the window after its owner.
    template <typename Window, typename Dialog, typename... Extra>
    std::function<void(Dialog&)> showModally(Extra... extra) {
        return [this, extra...](Dialog& dialog) {
            Window window(dialog, host_.window(), extra...);
            window.host().runModal();
        };
    }
    void createControls();
    void fitWindow();
    void placeFloat(PluginKind list, int row);
    void loadBackground();
    void showPage();
    void layout(int width, int height);
    void layoutPluginPage(EmuSystem system, int x, int y, int width, int height);
    void layoutConfigurationPage(int x, int y, int width, int height);

    bool paintBackground(HDC canvas);

    struct PictureRelease {
        void operator()(IPicture* picture) const { picture->Release(); }
    };

    frmMain& form_;
    const AppFlags& flags_;
    // COM from the first picture on, and until after the last one is released.
    std::optional<ComApartment> com_;
    std::unique_ptr<IPicture, PictureRelease> background_;
    Win32FormHost host_;
    frmSysTrayWindow tray_;
    std::vector<std::vector<WindowPeer*>> pages_;
    ListIcons icons_;
};
