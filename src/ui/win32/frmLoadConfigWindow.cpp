#include "ui/win32/frmLoadConfigWindow.h"

namespace {
// Sizes in units of 96 dots per inch.
constexpr int kMargin = 10, kRow = 24, kButton = 110, kListHeight = 150, kCommentsHeight = 48;
}

frmLoadConfigWindow::frmLoadConfigWindow(frmLoadConfig& form, HWND owner, HIMAGELIST icons)
    : form_(form), host_(form, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME, owner) {
    host_.add(form.lblPrompt);
    host_.add(form.lstConfigs);
    host_.add(form.lblFilename);
    host_.add(form.txtConfig[0]);
    host_.add(form.cmdLoad);
    host_.add(form.cmdCancel);
    host_.add(form.cmdDetails);
    host_.add(form.lblComments);
    host_.add(form.txtConfig[1]);
    host_.add(form.lblChanges);
    host_.add(form.txtConfig[2]);
    SendMessageW(host_.windowOf(form.lstConfigs), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
    host_.onLayout = [this](int width, int height) { layout(width, height); };
    host_.onFirstShow = [this, owner] {
        host_.refresh(Change::Size);
        host_.centreOver(owner);
    };
}

void frmLoadConfigWindow::layout(int width, int height) {
    const int inner = width - 2 * kMargin;
    host_.place(form_.lblPrompt, kMargin, kMargin, inner, 34);
    const int listTop = kMargin + 38;
    host_.place(form_.lstConfigs, kMargin, listTop, inner, kListHeight);
    const int rowTop = listTop + kListHeight + 10;
    host_.place(form_.lblFilename, kMargin, rowTop + 4, 60, 20);
    host_.place(form_.txtConfig[0], kMargin + 64, rowTop, inner - 64, kRow - 2);
    const int buttons = rowTop + kRow + 10;
    host_.place(form_.cmdDetails, kMargin, buttons, kButton + 20, kRow);
    host_.place(form_.cmdLoad, width - kMargin - 2 * 80 - 8, buttons, 80, kRow);
    host_.place(form_.cmdCancel, width - kMargin - 80, buttons, 80, kRow);
    // The details area: the comments, then what loading the profile
    // changes in whatever the dialog's height leaves below.
    const int detailsTop = buttons + kRow + 12;
    host_.place(form_.lblComments, kMargin, detailsTop, inner, 20);
    host_.place(form_.txtConfig[1], kMargin, detailsTop + 22, inner, kCommentsHeight);
    const int changesTop = detailsTop + 22 + kCommentsHeight + 8;
    host_.place(form_.lblChanges, kMargin, changesTop, inner, 20);
    host_.place(form_.txtConfig[2], kMargin, changesTop + 22, inner, std::max(0, height - changesTop - 22 - kMargin));
}
