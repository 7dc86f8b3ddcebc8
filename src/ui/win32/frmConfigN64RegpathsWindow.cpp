#include "ui/win32/frmConfigN64RegpathsWindow.h"

namespace {
// Sizes in units of 96 dots per inch.
constexpr int kWidth = 480, kHeight = 330, kMargin = 10, kRow = 24, kButton = 80;
}

frmConfigN64RegpathsWindow::frmConfigN64RegpathsWindow(frmConfigN64Regpaths& form, HWND owner)
    : form_(form), host_(form, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME, owner) {
    host_.add(form.lblPrompt);
    host_.add(form.lstRegPaths);
    host_.add(form.lblName);
    host_.add(form.txtInfo[0]);
    host_.add(form.lblPath);
    host_.add(form.txtInfo[1]);
    host_.add(form.cmdAdd);
    host_.add(form.cmdRemove);
    host_.add(form.cmdOK);
    host_.onLayout = [this](int width, int) { layout(width); };
    host_.onFirstShow = [this, owner] { host_.placeOver(owner, kWidth, kHeight); };
}

void frmConfigN64RegpathsWindow::layout(int width) {
    const int inner = width - 2 * kMargin;
    host_.place(form_.lblPrompt, kMargin, kMargin, inner, 34);
    host_.place(form_.lstRegPaths, kMargin, kMargin + 38, inner, 160);
    const int fields = kMargin + 206;
    host_.place(form_.lblName, kMargin, fields + 4, 40, 20);
    host_.place(form_.txtInfo[0], kMargin + 44, fields, inner - 44 - kButton - 8, kRow - 2);
    host_.place(form_.cmdAdd, width - kMargin - kButton, fields - 1, kButton, kRow);
    host_.place(form_.lblPath, kMargin, fields + 34, 40, 20);
    host_.place(form_.txtInfo[1], kMargin + 44, fields + 30, inner - 44 - kButton - 8, kRow - 2);
    host_.place(form_.cmdRemove, width - kMargin - kButton, fields + 29, kButton, kRow);
    host_.place(form_.cmdOK, width - kMargin - kButton, kHeight - kMargin - kRow, kButton, kRow);
}
