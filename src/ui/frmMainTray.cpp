// The tray: minimizing into it, its popup menu, balloons and launches.
#include "app/Helpers.h"
#include "ui/frmMain.h"

void frmMain::wireTray() {
    m_frmSysTray.SysTrayMouseDown = [this](int button) { m_frmSysTray_SysTrayMouseDown(button); };
    m_frmSysTray.SysTrayDoubleClick = [this](int button) { m_frmSysTray_SysTrayDoubleClick(button); };
    m_frmSysTray.MenuClick = [this](int index, const std::string& tag) { m_frmSysTray_MenuClick(index, tag); };
    m_frmSysTray.BalloonClicked = [this] { m_frmSysTray_BalloonClicked(); };
    m_frmSysTray.EmuClick = [this](int index) { m_frmSysTray_EmuClick(index); };
    m_frmSysTray.CDROMClick = [this](int index) { m_frmSysTray_CDROMClick(index); };
    m_frmSysTray.ISOROMClick = [this](int index) { m_frmSysTray_ISOROMClick(index); };
    onResize = [this] { Form_Resize(); };
}

bool frmMain::sitsInTray() const {
    return !visible() && windowState() == WindowState::Minimized && m_frmSysTray.inTray();
}

void frmMain::Form_Resize() {
    // Without an icon to come back through, the window stays on the taskbar.
    if (windowState() == WindowState::Minimized && option(Option::SysTray).checked() && m_frmSysTray.inTray())
        hide();
}

void frmMain::fillTrayMenus() {
    m_frmSysTray.ClearLaunchItems();
    for (const EmulatorEntry& entry : database_.Entries()) {
        const LaunchOffer offer = LaunchOffersOf(&entry, false);
        m_frmSysTray.AddEmuItem(entry.Name, offer.plain);
        m_frmSysTray.AddCDROMItem(entry.Name, offer.cd);
        m_frmSysTray.AddISOROMItem(entry.Name, offer.image);
    }
}

void frmMain::m_frmSysTray_SysTrayMouseDown(int button) {
    if (button != 2) return;
    fillTrayMenus();
    m_frmSysTray.ShowMenu();
}

void frmMain::showWaitingUpdates() {
    updatesWaiting_ = false;
    if (!update_ || !showUpdate) return;  // tests drive the window themselves
    showUpdate(*update_);
    update_.reset();
}

void frmMain::m_frmSysTray_SysTrayDoubleClick(int) {
    if (updatesWaiting_) return showWaitingUpdates();
    restoreMain();
}

void frmMain::m_frmSysTray_MenuClick(int, const std::string& tag) {
    if (tag == "open") return restoreMain();
    if (tag == "update") {
        // The timer's next tick finds the interval passed.
        minuteCounter_ = WholeNumber(txtSettings.text());
        return tmrTimer_Timer();
    }
    if (tag == "exit") {
        requestClose();
        return;
    }
    log_.logMsg("Clicked item with key " + tag);
}

void frmMain::m_frmSysTray_BalloonClicked() {
    restoreMain();
    showWaitingUpdates();
}

void frmMain::selectFromTray(int index) {
    if (!database_.Has(index + 1) || cmbEmuSelect.listIndex() == index + 1) return;
    cmbEmuSelect.setListIndex(index + 1);
    cmbEmuSelect_Click();
}

void frmMain::m_frmSysTray_EmuClick(int index) {
    selectFromTray(index);
    cmdLaunchEmu_Click();
}

void frmMain::m_frmSysTray_CDROMClick(int index) {
    selectFromTray(index);
    mnuFileLaunchCDRom_Click();
}

void frmMain::m_frmSysTray_ISOROMClick(int index) {
    selectFromTray(index);
    mnuFileLaunchISOROM_Click();
}
