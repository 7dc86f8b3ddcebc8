#include "ui/win32/frmUpdateWindow.h"

namespace {
// Sizes in units of 96 dots per inch.
constexpr int kWidth = 460, kHeight = 200, kMargin = 10, kRow = 24;
}

frmUpdateWindow::frmUpdateWindow(frmUpdate& form, HWND owner)
    : form_(form), host_(form, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME, owner) {
    host_.add(form.lblUpdate);
    host_.add(form.lblLastUpdate);
    host_.add(form.cmdCheckUpdates);
    host_.add(form.cmdCancel);
    host_.add(form.prgUpdate);
    host_.add(form.barStatus);
    host_.onLayout = [this](int width, int height) { layout(width, height); };
    host_.onFirstShow = [this, owner] { host_.placeOver(owner, kWidth, kHeight); };
}

void frmUpdateWindow::layout(int width, int height) {
    const int inner = width - 2 * kMargin;
    host_.place(form_.lblUpdate, kMargin, kMargin, inner, 70);
    host_.place(form_.lblLastUpdate, kMargin, kMargin + 72, inner, 20);
    host_.place(form_.cmdCheckUpdates, kMargin, kMargin + 100, 140, kRow);
    host_.place(form_.cmdCancel, kMargin + 150, kMargin + 100, 80, kRow);
    host_.place(form_.prgUpdate, kMargin + 240, kMargin + 102, inner - 240, kRow - 4);
    // The status bar takes the bottom edge whatever it is given.
    host_.place(form_.barStatus, 0, height - 22, width, 22);
}
