#include "ui/win32/frmSplashWindow.h"

frmSplashWindow::frmSplashWindow(frmSplash& form)
    : form_(form), host_(form, WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW) {
    host_.add(form.lblTitle);
    host_.add(form.lblLoadStatus);
    host_.addTimer(form.tmrSplash);
    host_.onLayout = [this](int width, int height) {
        host_.place(form_.lblTitle, 16, 16, width - 32, 24);
        host_.place(form_.lblLoadStatus, 16, height - 32, width - 32, 20);
    };
    host_.onFirstShow = [this] {
        const double scale = host_.scale();
        const int width = static_cast<int>(360 * scale), height = static_cast<int>(110 * scale);
        SetWindowPos(host_.window(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
}
