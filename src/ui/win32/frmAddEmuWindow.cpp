#include "ui/win32/frmAddEmuWindow.h"

namespace {
// Sizes in units of 96 dots per inch.
constexpr int kWidth = 440, kHeight = 270, kMargin = 12, kLabelWidth = 110, kRow = 24, kStep = 32, kButton = 80;
}

frmAddEmuWindow::frmAddEmuWindow(frmAddEmu& form, HWND owner)
    : form_(form), host_(form, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME, owner) {
    for (Label* label : {&form.lblHeading, &form.lblName, &form.lblExe, &form.lblPlugins, &form.lblSystem, &form.lblType})
        host_.add(*label);
    host_.add(form.txtName);
    host_.add(form.txtExe);
    host_.add(form.cmdBrowseExe);
    host_.add(form.txtPlugins);
    host_.add(form.cmdBrowsePlugins);
    host_.add(form.cmbSystem);
    host_.add(form.cmbType);
    host_.add(form.cmdOK);
    host_.add(form.cmdCancel);
    host_.onLayout = [this](int width, int) { layout(width); };
    host_.onFirstShow = [this, owner] { host_.placeOver(owner, kWidth, kHeight); };
}

void frmAddEmuWindow::layout(int width) {
    const int field = kMargin + kLabelWidth;
    const int fieldWidth = width - field - kMargin;
    host_.place(form_.lblHeading, kMargin, kMargin, width - 2 * kMargin, 20);
    Label* labels[] = {&form_.lblName, &form_.lblExe, &form_.lblPlugins, &form_.lblSystem, &form_.lblType};
    for (int i = 0; i < 5; ++i) host_.place(*labels[i], kMargin, kMargin + 36 + i * kStep, kLabelWidth, 20);
    const int top = kMargin + 32;
    host_.place(form_.txtName, field, top, fieldWidth, kRow - 2);
    host_.place(form_.txtExe, field, top + kStep, fieldWidth - kButton - 6, kRow - 2);
    host_.place(form_.cmdBrowseExe, width - kMargin - kButton, top + kStep - 1, kButton, kRow);
    host_.place(form_.txtPlugins, field, top + 2 * kStep, fieldWidth - kButton - 6, kRow - 2);
    host_.place(form_.cmdBrowsePlugins, width - kMargin - kButton, top + 2 * kStep - 1, kButton, kRow);
    host_.place(form_.cmbSystem, field, top + 3 * kStep, 180, 200);
    host_.place(form_.cmbType, field, top + 4 * kStep, 180, 200);
    host_.place(form_.cmdOK, width - kMargin - 2 * kButton - 8, kHeight - kMargin - kRow, kButton, kRow);
    host_.place(form_.cmdCancel, width - kMargin - kButton, kHeight - kMargin - kRow, kButton, kRow);
}
