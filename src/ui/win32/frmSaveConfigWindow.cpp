#include "ui/win32/frmSaveConfigWindow.h"

namespace {
// Sizes in units of 96 dots per inch.
constexpr int kWidth = 470, kHeight = 470, kMargin = 10, kRow = 24, kButton = 90;
}

frmSaveConfigWindow::frmSaveConfigWindow(frmSaveConfig& form, HWND owner)
    : form_(form), host_(form, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME, owner) {
    // Frames first: the controls they surround lie above them.
    for (Frame* frame : {&form.fraGeneral, &form.fraSave, &form.fraBinding}) host_.add(*frame);
    host_.add(form.lblName);
    host_.add(form.txtSaveInfo[0]);
    host_.add(form.lblComments);
    host_.add(form.txtSaveInfo[3]);
    host_.add(form.lblSelect);
    for (CheckBox& box : form.chkSaveConfig) host_.add(box);
    host_.add(form.lblBindPrompt);
    host_.add(form.lblBindMethod);
    host_.add(form.cmbBind);
    host_.add(form.lblGameId);
    host_.add(form.txtSaveInfo[1]);
    host_.add(form.cmdDetectPSXID);
    host_.add(form.lblFile);
    host_.add(form.txtSaveInfo[2]);
    host_.add(form.cmdBrowse);
    host_.add(form.cmdSave);
    host_.add(form.cmdCancel);
    host_.onLayout = [this](int width, int) { layout(width); };
    host_.onFirstShow = [this, owner] { host_.placeOver(owner, kWidth, kHeight); };
}

void frmSaveConfigWindow::layout(int width) {
    const int inner = width - 2 * kMargin;
    const int field = kMargin + 100;
    // General information: name and comments.
    host_.place(form_.fraGeneral, kMargin, kMargin, inner, 130);
    host_.place(form_.lblName, kMargin + 10, kMargin + 24, 90, 20);
    host_.place(form_.txtSaveInfo[0], field, kMargin + 20, inner - 110, kRow - 2);
    host_.place(form_.lblComments, kMargin + 10, kMargin + 52, 90, 20);
    host_.place(form_.txtSaveInfo[3], field, kMargin + 50, inner - 110, 70);
    // What the profile holds: seven boxes in two columns.
    const int saveTop = kMargin + 140;
    host_.place(form_.fraSave, kMargin, saveTop, inner, 120);
    host_.place(form_.lblSelect, kMargin + 10, saveTop + 18, inner - 20, 20);
    for (int i = 0; i < kProfileContents; ++i)
        host_.place(form_.chkSaveConfig[i], kMargin + 10 + (i % 2) * (inner / 2), saveTop + 40 + (i / 2) * 20,
                    inner / 2 - 20, 20);
    // What it is bound to.
    const int bindTop = saveTop + 130;
    host_.place(form_.fraBinding, kMargin, bindTop, inner, 130);
    host_.place(form_.lblBindPrompt, kMargin + 10, bindTop + 18, inner - 20, 20);
    host_.place(form_.lblBindMethod, kMargin + 10, bindTop + 44, 90, 20);
    host_.place(form_.cmbBind, field, bindTop + 40, 150, 200);
    host_.place(form_.lblGameId, kMargin + 10, bindTop + 74, 90, 20);
    host_.place(form_.txtSaveInfo[1], field, bindTop + 70, 150, kRow - 2);
    host_.place(form_.cmdDetectPSXID, field + 160, bindTop + 69, inner - 270, kRow);
    host_.place(form_.lblFile, kMargin + 10, bindTop + 102, 90, 20);
    host_.place(form_.txtSaveInfo[2], field, bindTop + 98, 150, kRow - 2);
    host_.place(form_.cmdBrowse, field + 160, bindTop + 97, inner - 270, kRow);
    host_.place(form_.cmdSave, width - kMargin - 2 * kButton - 8, kHeight - kMargin - kRow, kButton, kRow);
    host_.place(form_.cmdCancel, width - kMargin - kButton, kHeight - kMargin - kRow, kButton, kRow);
}
