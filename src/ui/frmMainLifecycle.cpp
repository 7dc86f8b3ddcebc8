// The main window's life: start-up, activation, the update timer, the tray,
// the quit confirmation and the shutdown.
#include "app/Helpers.h"
#include "session/LaunchCommands.h"
#include "ui/frmMain.h"

bool frmMain::Splash_Load() {
    if (services_.environment.anotherInstanceRunning()) {
        splash_.tmrSplash.setEnabled(false);
        services_.windows.messageBox(
            splash_.handle(),
            "Orvisk's Corvane is already running in another instance.  Running multiple instances of this "
            "application is impractical and therefore not allowed.  This instance will now shut itself down.",
            "Multiple Instances Detected!", MessageIcon::Critical, MessageButtons::Ok);
        flags_.blDuplicateInstance = true;
        splash_.unload();
        return false;
    }
    splash_.setTopMost(true);
    splash_.mainVisible = [this] { return visible(); };
    splash_.onShowMain = [this] { show(); };
    services_.environment.doEvents();
    Form_Load();
    return true;
}

void frmMain::Form_Load() {
    const OsVersion os = services_.environment.osVersion();
    flags_.blLayeredWindows = (os.ntFamily && os.major >= 5) || (!os.ntFamily && os.major == 4 && os.minor == 90);
    session_.open(services_.environment.commandLine());
    showSettings();
    showSplashOrNot();
    session_.load();
    // The user closed Corvane while a library kept the scan waiting.
    if (closed()) return;

    setCaption(versionCaption());
    lblAbout.setCaption(versionCaption() +
                        "\n\nA tool designed for the simplication of emu plugin management by yours truly.");
    lblThanks.setCaption(
        "Thanks to the authors of every emulator and plug-in that Corvane serves, and to everyone who "
        "reported a problem or suggested an improvement.");
    chooseBackground();
    m_frmSysTray.Form_Load();
    splash_.UpdateSplashStatus("Loading operation complete...");
    if (flags_.blSplashDone) {
        splash_.unload();
        show();
    }
    session_.startupFinished();
}

void frmMain::showSettings() {
    const AppSettings settings = session_.settings();
    mnuEditEnableLogging.setChecked(settings.logging);
    for (const OptionSetting& setting : OptionSettings()) {
        option(setting.option).setChecked(settings.option(setting.option));
        chkSettings_Click(OptionIndex(setting.option));
    }
    txtSettings.setText(settings.interval);
    txtServiceAddress.setText(settings.serviceAddress);
    cmdUpdateService.setEnabled(!session_.serviceAddress().empty());
    cmbCDROM.setItems(session_.cdromDrives());
    cmbCDROM.setListIndex(settings.cdromSelection);
    if (cmbCDROM.items().empty()) cmbCDROM.setEnabled(false);
    // No address is made up: without one the entry does nothing to offer.
    mnuHelpWebSite.setEnabled(!settings.webSite.empty());
}

void frmMain::showSplashOrNot() {
    if (!option(Option::Splash).checked()) {
        splash_.show();
        splash_.UpdateSplashStatus("Checking configuration...");
        services_.environment.doEvents();
    } else {
        splash_.tmrSplash.setEnabled(false);
        flags_.blSplashDone = true;
    }
}

void frmMain::chooseBackground() {
    for (const char* picture : {"background.bmp", "background.jpg", "background.gif"}) {
        const std::string path = QualifyPath(session_.programFolder()) + picture;
        if (!FileExists(services_.files, path)) continue;
        backgroundPicture_ = path;
        flags_.blBackgroundImage = true;
        // The window may be on screen already (the splash timer shows it):
        // it takes the picture now, not only when it is first shown.
        if (onBackgroundChanged) onBackgroundChanged();
        return;
    }
}

void frmMain::restoreMain() {
    setWindowState(WindowState::Normal);
    show();
    services_.windows.setForeground(handle());
}

void frmMain::Form_Activate() {
    if ((services_.environment.screenHeight() <= 600 || flags_.blLowResSwitch) && !flags_.blExternalAppRunning &&
        !flags_.blLowResApplied)
        applyLowResolution();
    if (!flags_.blActivated) {
        applyTransparency();
        flags_.blActivated = true;
    }
    services_.windows.setForeground(handle());
}

void frmMain::applyLowResolution() {
    hide();
    flags_.blLowResApplied = true;
    if (onLowResolution) onLowResolution();  // the back end sizes the window for small screens
    setCaption(caption() + "  (Low Resolution Mode)");
    show();
}

void frmMain::applyTransparency() {
    if (!flags_.blLayeredWindows) {
        lblTransparency.setVisible(false);
        sldTransparency.setVisible(false);
        return;
    }
    sldTransparency.setValue(session_.settings().transparency);
    services_.windows.setWindowAlpha(handle(), alpha());
}

void frmMain::tmrTimer_Timer() {
    ++minuteCounter_;
    // Another window of the program open (a dialog, the splash) or a check
    // under way postpones the check: it must not pop up over the user's
    // work. An update window that only holds updates found earlier is
    // replaced.
    bool postponed = updates_.running();
    for (const Form* form : Form::loadedForms())
        postponed = postponed || (form != this && form->caption() != "SysTray" &&
                                  (form != updates_.dialog() || form->visible()));
    const std::string& interval = session_.settings().interval;
    const bool isNumber = !interval.empty() && interval.find_first_not_of("0123456789") == std::string::npos;
    if (isNumber && minuteCounter_ >= WholeNumber(interval) && !postponed) {
        session_.log().logMsg("Update timer interval passed; executing update procedure...", true);
        minuteCounter_ = 0;
        updates_.open(true);
    }
}

bool frmMain::Form_QueryUnload() {
    bool quit = true;
    if (option(Option::Exit).checked() && !flags_.blDuplicateInstance)
        quit = user_.ask("Exiting Corvane", "Are you sure you want to quit Corvane?", MessageIcon::Question);
    if (quit && !flags_.blExternalAppRunning) {
        if (flags_.blLoadingPlugins) session_.abandonScans();
        return !updates_.holdClose();
    }
    if (flags_.blExternalAppRunning)
        user_.tell("Spawned Application Still Running",
                   "An external applicaton was launched from Corvane that is still running. Please close the "
                   "application before attempting to exit Corvane.",
                   MessageIcon::Critical);
    return false;
}

void frmMain::Form_Unload() {
    session_.writeSettings();
    m_frmSysTray.unload();
    splash_.unload();
    session_.log().logMsg("****** Shutdown complete; exiting application ******");
}

void frmMain::wireTray() {
    m_frmSysTray.SysTrayMouseDown = [this](int button) {
        if (button != 2) return;
        fillTrayMenus();
        m_frmSysTray.ShowMenu();
    };
    m_frmSysTray.SysTrayDoubleClick = [this](int) {
        if (updates_.waiting()) return updates_.showWaiting();
        restoreMain();
    };
    m_frmSysTray.MenuClick = [this](int, const std::string& tag) { m_frmSysTray_MenuClick(tag); };
    m_frmSysTray.BalloonClicked = [this] {
        restoreMain();
        updates_.showWaiting();
    };
    m_frmSysTray.EmuClick = [this](int index) { session_.launches().launchFromTray(index, LaunchKind::Plain); };
    m_frmSysTray.CDROMClick = [this](int index) { session_.launches().launchFromTray(index, LaunchKind::CD); };
    m_frmSysTray.ISOROMClick = [this](int index) { session_.launches().launchFromTray(index, LaunchKind::Image); };
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
    for (const EmulatorEntry& entry : session_.emulators().Entries()) {
        const LaunchOffer offer = LaunchOffersOf(&entry, false);
        m_frmSysTray.AddEmuItem(entry.Name, offer.plain);
        m_frmSysTray.AddCDROMItem(entry.Name, offer.cd);
        m_frmSysTray.AddISOROMItem(entry.Name, offer.image);
    }
}

void frmMain::m_frmSysTray_MenuClick(const std::string& tag) {
    if (tag == "open") return restoreMain();
    if (tag == "update") {
        // The timer's next tick finds the interval passed.
        minuteCounter_ = WholeNumber(session_.settings().interval);
        return tmrTimer_Timer();
    }
    if (tag == "exit") {
        requestClose();
        return;
    }
    session_.log().logMsg("Clicked item with key " + tag);
}
