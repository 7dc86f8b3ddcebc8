#include "ui/win32/frmePSXeConfWindow.h"

namespace {
// Sizes in units of 96 dots per inch.
constexpr int kWidth = 590, kHeight = 440, kMargin = 10, kRow = 24, kButton = 80, kLabel = 110;
}

frmePSXeConfWindow::frmePSXeConfWindow(frmePSXeConf& form, HWND owner)
    : form_(form), host_(form, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME, owner) {
    for (Frame* frame : {&form.fraGeneral, &form.fraSound, &form.fraCDRom, &form.fraCards}) host_.add(*frame);
    host_.add(form.lblBios);
    host_.add(form.txtLocation[0]);
    host_.add(form.cmdBrowse[0]);
    host_.add(form.lblCountry);
    host_.add(form.cmbCountry);
    host_.add(form.chkAutoPpf);
    for (CheckBox* box : {&form.chkSound, &form.chkCDDA, &form.chkXA, &form.chkIrq}) host_.add(*box);
    host_.add(form.lblCDROM);
    host_.add(form.cmbCDROM);
    for (CheckBox* box : {&form.chkSubchannel, &form.chkSubchannelCaching, &form.chkCachingLG}) host_.add(*box);
    // Buttons in the order BIOS, card 1, card 2, then OK and Cancel.
    host_.add(form.lblCard1);
    host_.add(form.txtLocation[1]);
    host_.add(form.cmdBrowse[1]);
    host_.add(form.cmdNew[0]);
    host_.add(form.cmdConvert[0]);
    host_.add(form.lblCard2);
    host_.add(form.txtLocation[2]);
    host_.add(form.cmdBrowse[2]);
    host_.add(form.cmdNew[1]);
    host_.add(form.cmdConvert[1]);
    host_.add(form.cmdOK);
    host_.add(form.cmdCancel);
    host_.onLayout = [this](int width, int) { layout(width); };
    host_.onFirstShow = [this, owner] { host_.placeOver(owner, kWidth, kHeight); };
}

void frmePSXeConfWindow::layout(int width) {
    const int inner = width - 2 * kMargin;
    const int field = kMargin + 10 + kLabel;
    const int fieldWidth = inner - kLabel - 20 - kButton - 6;
    host_.place(form_.fraGeneral, kMargin, kMargin, inner, 100);
    host_.place(form_.lblBios, kMargin + 10, kMargin + 24, kLabel, 20);
    host_.place(form_.txtLocation[0], field, kMargin + 20, fieldWidth, kRow - 2);
    host_.place(form_.cmdBrowse[0], field + fieldWidth + 6, kMargin + 19, kButton, kRow);
    host_.place(form_.lblCountry, kMargin + 10, kMargin + 52, kLabel, 20);
    host_.place(form_.cmbCountry, field, kMargin + 48, 180, 200);
    host_.place(form_.chkAutoPpf, kMargin + 10, kMargin + 74, 200, 20);

    const int half = (inner - kMargin) / 2;
    const int soundTop = kMargin + 110;
    host_.place(form_.fraSound, kMargin, soundTop, half, 120);
    CheckBox* sound[] = {&form_.chkSound, &form_.chkCDDA, &form_.chkXA, &form_.chkIrq};
    for (int i = 0; i < 4; ++i) host_.place(*sound[i], kMargin + 10, soundTop + 20 + i * 24, half - 20, 20);
    const int cdLeft = kMargin + half + kMargin;
    host_.place(form_.fraCDRom, cdLeft, soundTop, half, 120);
    host_.place(form_.lblCDROM, cdLeft + 10, soundTop + 24, 80, 20);
    host_.place(form_.cmbCDROM, cdLeft + 94, soundTop + 20, half - 104, 200);
    CheckBox* cdrom[] = {&form_.chkSubchannel, &form_.chkSubchannelCaching, &form_.chkCachingLG};
    for (int i = 0; i < 3; ++i) host_.place(*cdrom[i], cdLeft + 10, soundTop + 48 + i * 22, half - 20, 20);

    const int cardTop = soundTop + 130;
    host_.place(form_.fraCards, kMargin, cardTop, inner, 90);
    const int cardField = inner - kLabel - 20 - 3 * kButton - 18;
    for (int card = 0; card < 2; ++card) {
        const int y = cardTop + 20 + card * 32;
        host_.place(card == 0 ? form_.lblCard1 : form_.lblCard2, kMargin + 10, y + 4, kLabel, 20);
        host_.place(form_.txtLocation[card + 1], field, y, cardField, kRow - 2);
        Button* buttons[] = {&form_.cmdBrowse[card + 1], &form_.cmdNew[card], &form_.cmdConvert[card]};
        for (int i = 0; i < 3; ++i)
            host_.place(*buttons[i], field + cardField + 6 + i * (kButton + 6), y - 1, kButton, kRow);
    }
    host_.place(form_.cmdOK, width - kMargin - 2 * kButton - 8, kHeight - kMargin - kRow, kButton, kRow);
    host_.place(form_.cmdCancel, width - kMargin - kButton, kHeight - kMargin - kRow, kButton, kRow);
}
