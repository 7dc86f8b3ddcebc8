// The main window's life cycle: start-up, activation, the update timer,
// the quit confirmation and the shutdown.
#include <cmath>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Helpers.h"
#include "app/clsRegistry.h"
#include "ui/frmMain.h"

namespace {
const char* const kConfiguration = "Configuration";
// The project's own update service on this machine: never a host the
// project does not control, whose holder could hand users DLLs to run.
const char* const kDefaultServiceAddress = "http://127.0.0.1:8381/";

std::string QualifyAddress(const std::string& address) {
    return address.back() == '/' ? address : address + "/";
}
const char* const kDllExclusions[] = {"audiow32.dll", "kailleraclient.dll", "zlib.dll",
                                      "bzlib.dll",    "subTsgMSCD16.dll",   "subTsgMSCD32.dll"};

double SecondsSinceMidnight(const DateTime& time) {
    return time.hour * 3600.0 + time.minute * 60.0 + time.second + time.millisecond / 1000.0;
}

// Seconds rounded to 2 decimals, without trailing zeros.
std::string SecondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::round(seconds * 100) / 100);
    std::string result = text;
    while (result.back() == '0') result.pop_back();
    if (result.back() == '.') result.pop_back();
    return result;
}

}  // namespace

int frmMain::settingInt(const std::string& key, int defaultValue) {
    return services_.ini.readInt(settingsPath_, kConfiguration, key, defaultValue);
}

std::string frmMain::settingText(const std::string& key, const std::string& defaultValue) {
    return services_.ini.readString(settingsPath_, kConfiguration, key, defaultValue);
}

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
    programFolder_ = services_.environment.programFolder();
    settingsPath_ = QualifyPath(programFolder_) + "settings.ini";
    fillCDROMDrives();
    startSeconds_ = std::floor(SecondsSinceMidnight(services_.clock.now()));
    tempFolder_ = services_.files.tempFolder();

    flags_.blLoggingEnabled = settingInt("Logging", 0) != 0;
    mnuEditEnableLogging.setChecked(flags_.blLoggingEnabled);
    log_.logMsg("****** Application started; new log session created ******", true);
    readCommandLine();

    log_.logMsg("Checking configuration...");
    const auto readOption = [this](const OptionSetting& setting) {
        option(setting.option).setChecked(settingInt(setting.key, setting.defaultValue ? 1 : 0) != 0);
        chkSettings_Click(OptionIndex(setting.option));
    };
    readOption(OptionSettings().front());
    if (!option(Option::Splash).checked()) {
        splash_.show();
        splash_.UpdateSplashStatus("Checking configuration...");
        services_.environment.doEvents();
    } else {
        splash_.tmrSplash.setEnabled(false);
        flags_.blSplashDone = true;
    }
    for (const OptionSetting& setting : OptionSettings())
        if (setting.key && setting.option != Option::Splash) readOption(setting);
    flags_.blLoadConfigDetails = settingInt("LConfigDetails", 0) != 0;
    txtSettings.setText(settingText("Interval", "60"));
    lastUpdate_ = settingText("LastUpdate", "Never");
    // Where updates come from; the section is written back only when the
    // file had it.
    const std::string address = services_.ini.readString(settingsPath_, "Updates", "ServiceAddress", "");
    updatesSectionRead_ = !address.empty();
    serviceAddress_ = address.empty() ? kDefaultServiceAddress : QualifyAddress(address);

    cmbEmuSelect.addItem("-- Tool Plugin Backups --");
    splash_.UpdateSplashStatus("Checking emulator setup...");
    database_.Load(services_.ini, settingsPath_);
    bindEmulators();
    cmbEmuSelect.setListIndex(settingInt("LastEmu", 0));
    if (cmbEmuSelect.listIndex() < 0) cmbEmuSelect.setListIndex(0);

    splash_.UpdateSplashStatus("Applying DLL exclusions...");
    exclusions_.assign(std::begin(kDllExclusions), std::end(kDllExclusions));
    // The program's own plug-in folders are where backups and copies go:
    // they exist from the first start on.
    for (EmuSystem system : {EmuSystem::PSX, EmuSystem::N64})
        if (!services_.files.isDirectory(CentralFolder(programFolder_, system)))
            services_.files.createDirectory(CentralFolder(programFolder_, system));
    choosePluginFolders();

    // The ePSXe version names the ePSXe core entries of the first scan, so
    // it is read before it.
    readEPSXeVersion();
    log_.logMsg("Loading initial plugins...");
    splash_.UpdateSplashStatus("Scanning PSX plugins...");
    scan(EmuSystem::PSX);
    services_.environment.doEvents();
    splash_.UpdateSplashStatus("Scanning N64 plugins...");
    scan(EmuSystem::N64);
    // The N64 readers need the installed versions' keys, so they are found
    // before the first reading.
    versionKeys_ = ActiveSelection(services_, log_, handle()).FindVersionKeys();
    if (cmbEmuSelect.listIndex() != 0) {
        readActiveSelection(EmuSystem::PSX);
        readActiveSelection(EmuSystem::N64);
    }
    // The selector's own reaction to the entry chosen at start-up: its
    // folder was scanned above, so it scans nothing again.
    cmbEmuSelect_Click();
    log_.logMsg("Initial plugin enumeration complete...");

    setCaption(versionCaption());
    lblAbout.setCaption(versionCaption() +
                        "\n\nA tool designed for the simplication of emu plugin management by yours truly.");
    lblThanks.setCaption(
        "Thanks to the authors of every emulator and plug-in that Corvane serves, and to everyone who "
        "reported a problem or suggested an improvement.");

    chooseBackground();

    m_frmSysTray.Form_Load();
    splash_.UpdateSplashStatus("Loading operation complete...");
    if (flags_.blSplashDone) showMain();

    double elapsed = SecondsSinceMidnight(services_.clock.now()) - startSeconds_;
    if (elapsed < 0) elapsed += 24 * 3600;  // started before midnight
    log_.logMsg("Startup operations finished; completed in " + SecondsText(elapsed) + " sec(s)", true);
}

void frmMain::readEPSXeVersion() {
    const std::string version = clsRegistry(services_.registry)
                                    .GetRegString(clsRegistry::kCurrentUser, "Software\\epsxe\\config", "Version", "0");
    ePSXeVersion_ = FormatVersionLong(static_cast<std::uint32_t>(WholeNumber(version)));
}

void frmMain::chooseBackground() {
    for (const char* picture : {"background.bmp", "background.jpg", "background.gif"}) {
        const std::string path = QualifyPath(programFolder_) + picture;
        if (!FileExists(services_.files, path)) continue;
        backgroundPicture_ = path;
        flags_.blBackgroundImage = true;
        // The window may be on screen already (the splash timer shows it):
        // it takes the picture now, not only when it is first shown.
        if (onBackgroundChanged) onBackgroundChanged();
        return;
    }
}

void frmMain::RefreshCurrentPluginSet(bool rescanBoth) {
    log_.logMsg("Refreshing current plugin set...", true);
    const bool psx = page() == MainPage::PSX || rescanBoth;
    const bool n64 = page() == MainPage::N64 || rescanBoth;
    if (psx) scan(EmuSystem::PSX);
    if (n64) scan(EmuSystem::N64);
    if (cmbEmuSelect.listIndex() == 0) return;
    if (psx) readActiveSelection(EmuSystem::PSX);
    if (n64) readActiveSelection(EmuSystem::N64);
}

void frmMain::showMain() {
    splash_.unload();
    show();
}

void frmMain::fillCDROMDrives() {
    for (const auto& root : services_.drives.logicalDrives())
        if (services_.drives.driveType(root) == DriveType::CdRom) cmbCDROM.addItem(root);
    cmbCDROM.setListIndex(settingInt("CDRomSelection", 0));
    currentCDROM_ = cmbCDROM.text();
    if (cmbCDROM.items().empty()) cmbCDROM.setEnabled(false);
}

void frmMain::readCommandLine() {
    for (const auto& piece : SplitCommandLine(services_.environment.commandLine())) {
        if (piece == "-n64config") {
            log_.logMsg("N64 configuration switch detected; Configuration of N64 plugins is enabled...");
            flags_.blN64ConfigEnabled = true;
        } else if (piece == "-lowres") {
            log_.logMsg("Low Resolution Mode configuration switch detected; Low-Res Mode is enabled...");
            flags_.blLowResSwitch = true;
        } else if (piece == "-noconfigautoload") {
            log_.logMsg("No config auto-load switch detected; CD auto-load function disabled...");
            flags_.blNoConfigAutoLoad = true;
        } else {
            services_.windows.messageBox(0, "Invalid command line option " + piece, "Invalid Command Line Option",
                                         MessageIcon::Critical, MessageButtons::Ok);
        }
    }
}

void frmMain::choosePluginFolders() {
    psxFolder_ = CentralFolder(programFolder_, EmuSystem::PSX);
    n64Folder_ = CentralFolder(programFolder_, EmuSystem::N64);
    const EmulatorEntry* entry = selectedEmulator();
    if (!entry) return;
    if (entry->System == EmuSystem::PSX) {
        psxFolder_ = entry->Plugins;
        currentPSXEmulator_ = cmbEmuSelect.listIndex();
    }
    if (entry->System == EmuSystem::N64) {
        n64Folder_ = entry->Plugins;
        currentN64Emulator_ = cmbEmuSelect.listIndex();
    }
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
    sldTransparency.setValue(settingInt("Transparency", 0));
    sldTransparency_Change();
}

bool frmMain::otherWindowOpen() const {
    for (const Form* form : Form::loadedForms())
        if (form != this && form->caption() != "SysTray") return true;
    return false;
}

void frmMain::tmrTimer_Timer() {
    ++minuteCounter_;
    // Another window of the program open (a dialog, the splash) postpones
    // the check: it must not pop up over the user's work.
    const bool postponed = otherWindowOpen();
    const std::string interval = txtSettings.text();
    const bool isNumber = !interval.empty() && interval.find_first_not_of("0123456789") == std::string::npos;
    if (isNumber && minuteCounter_ >= WholeNumber(interval) && !postponed) {
        log_.logMsg("Update timer interval passed; executing update procedure...", true);
        minuteCounter_ = 0;
        openUpdate(true);
    }
}

bool frmMain::Form_QueryUnload() {
    MessageAnswer answer = MessageAnswer::Yes;
    if (option(Option::Exit).checked() && !flags_.blDuplicateInstance)
        answer = services_.windows.messageBox(handle(), "Are you sure you want to quit Corvane?", "Exiting Corvane",
                                              MessageIcon::Question, MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes && !flags_.blExternalAppRunning) return true;
    if (flags_.blExternalAppRunning)
        services_.windows.messageBox(handle(),
                                     "An external applicaton was launched from Corvane that is still running. Please "
                                     "close the application before attempting to exit Corvane.",
                                     "Spawned Application Still Running", MessageIcon::Critical, MessageButtons::Ok);
    return false;
}

std::vector<IniSection> frmMain::settingsToWrite() const {
    IniSection configuration{kConfiguration, {}};
    for (const OptionSetting& setting : OptionSettings())
        if (setting.key) configuration.entries.push_back({setting.key, option(setting.option).checked() ? "1" : "0"});
    const std::vector<IniEntry> values{{"Interval", txtSettings.text()},
                              {"Logging", StoredBoolean(flags_.blLoggingEnabled)},
                              {"LastUpdate", lastUpdate_},
                              {"Transparency", std::to_string(sldTransparency.value())},
                              {"LConfigDetails", StoredBoolean(flags_.blLoadConfigDetails)},
                              {"CDRomSelection", std::to_string(cmbCDROM.listIndex())}};
    configuration.entries.insert(configuration.entries.end(), values.begin(), values.end());
    std::vector<IniSection> sections{configuration, EmulatorSection(database_.Entries())};
    if (updatesSectionRead_) sections.push_back(IniSection{"Updates", {{"ServiceAddress", serviceAddress_}}});
    return sections;
}

void frmMain::Form_Unload() {
    log_.logMsg("Intiating shutdown procedure...", true);
    log_.logMsg("Writing configuration to file...");
    if (!WriteWholeIniFile(services_.ini, services_.files, settingsPath_, settingsToWrite()))
        services_.windows.messageBox(handle(),
                                     "The settings could not be written to " + settingsPath_ +
                                         ".  The settings of the previous session are kept.",
                                     "Settings Not Saved", MessageIcon::Critical, MessageButtons::Ok);
    m_frmSysTray.unload();
    splash_.unload();
    log_.logMsg("****** Shutdown complete; exiting application ******");
}
