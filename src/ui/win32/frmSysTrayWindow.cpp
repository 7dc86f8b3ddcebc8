#include "ui/win32/frmSysTrayWindow.h"

frmSysTrayWindow::frmSysTrayWindow(frmSysTray& form)
    : form_(form), host_(form, WS_OVERLAPPED, WS_EX_TOOLWINDOW),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    host_.onMessage = [this](UINT message, WPARAM, LPARAM lParam) {
        if (message == frmSysTray::kCallbackMessage) {
            // The message that happened over the icon; from version 4 on
            // its low word only.
            form_.Form_MouseMove(LOWORD(lParam));
            return true;
        }
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            form_.TaskbarCreated();
            return true;
        }
        return false;
    };
}
