// Launching emulators: RunShell, the launch options, the three launches
// and the profile loaded before a game starts.
#include "app/Helpers.h"
#include "profiles/GameId.h"
#include "profiles/Profile.h"
#include "profiles/ProfileFiles.h"
#include "ui/frmMain.h"

ProcessOutcome frmMain::RunShell(const ProcessStart& start) {
    ++runningPrograms_;
    flags_.blExternalAppRunning = true;
    applyLaunchOptions();
    tmrTimer.setEnabled(false);
    const ProcessOutcome outcome = services_.processes.run(start, [&](unsigned long processId) {
        log_.logMsg("Executing " + start.commandLine + " in PID:" + std::to_string(processId));
    });
    // A program started while another ran (a profile saved during a game)
    // must not end the other's state.
    if (--runningPrograms_ == 0) {
        flags_.blExternalAppRunning = false;
        tmrTimer.setEnabled(option(Option::PluginUpdates).checked());
    }
    if (outcome.started) log_.logMsg("External thread execution has ended; returning control to application...");
    applyLaunchOptions();
    return outcome;
}

void frmMain::applyLaunchOptions() {
    log_.logMsg("Altering launch options...");
    const LaunchOffer offer = LaunchOffersOf(selectedEmulator(), flags_.blExternalAppRunning);
    cmdLaunchEmu.setEnabled(offer.plain);
    mnuFileLaunchEmu.setEnabled(offer.plain);
    mnuFileLaunchCDRom.setEnabled(offer.cd);
    mnuFileLaunchISOROM.setEnabled(offer.image);
    // The tray's launch menus follow whether a launched program runs.
    m_frmSysTray.EnableLaunchMenus(!flags_.blExternalAppRunning && database_.Count() > 0);
}

std::string frmMain::detectPSXGameID() { return ::detectPSXGameID(services_.files, currentCDROM_); }

void frmMain::restoreMain() {
    setWindowState(WindowState::Normal);
    show();
    services_.windows.setForeground(handle());
}

void frmMain::enterEmulatorFolder() {
    const std::string folder = ParsePath(selectedEmulator()->Exe);
    log_.logMsg("Changing working directory to " + folder, true);
    services_.files.setCurrentDirectory(folder);
}

void frmMain::startEmulator(LaunchKind kind, const std::string& imageArgument) {
    const LaunchCommand command = BuildLaunch(*selectedEmulator(), kind, imageArgument);
    const ProcessOutcome outcome = RunShell(ProcessStart{command.application, command.commandLine,
                                                         command.workingFolder, false});
    if (!outcome.started)
        services_.windows.messageBox(handle(),
                                     "Corvane could not start the emulator " + command.application +
                                         ".  Check the executable's path in the emulator's entry on the "
                                         "Configuration page.",
                                     "Emulator Not Started", MessageIcon::Critical, MessageButtons::Ok);
    restoreMain();
}

void frmMain::autoLoadProfile(const std::string& key, const std::string& logLine) {
    if (flags_.blNoConfigAutoLoad || !IsPlainFileName(key)) return;
    const std::string profile = ProfileFolder(programFolder_) + key + ".cfg";
    if (!services_.files.anyMatch(profile) || services_.files.isDirectory(profile)) return;
    log_.logMsg(logLine);
    RegTool reg([this](const ProcessStart& start) { return RunShell(start); }, services_.processes.systemFolder());
    ProfileFiles profiles(services_.files, services_.ini, services_.registry, reg, tempFolder_);
    if (const ProfileProblem problem = profiles.Import(profile)) {
        // The game still starts, with the settings the emulator has.
        log_.logMsg(*problem);
        services_.windows.messageBox(handle(), *problem, "Could Not Load Configuration", MessageIcon::Critical,
                                     MessageButtons::Ok);
    }
}

void frmMain::cmdLaunchEmu_Click() {
    if (!LaunchOffersOf(selectedEmulator(), flags_.blExternalAppRunning).plain) return;
    setWindowState(WindowState::Minimized);
    enterEmulatorFolder();
    startEmulator(LaunchKind::Plain, std::string());
}

void frmMain::mnuFileLaunchCDRom_Click() {
    if (!LaunchOffersOf(selectedEmulator(), flags_.blExternalAppRunning).cd) return;
    setWindowState(WindowState::Minimized);
    enterEmulatorFolder();
    const std::string gameId = detectPSXGameID();
    if (!gameId.empty())
        autoLoadProfile(gameId, "Configuration Profile Detected for GameID: " + gameId + "; Loading...");
    startEmulator(LaunchKind::CD, std::string());
}

void frmMain::mnuFileLaunchISOROM_Click() {
    if (!LaunchOffersOf(selectedEmulator(), flags_.blExternalAppRunning).image) return;
    const auto chosen =
        services_.windows.openFile(handle(), "Select the file you want to launch:", "All Files (*.*)", "*.*", "dll");
    if (!chosen || chosen->empty()) return;
    setWindowState(WindowState::Minimized);
    const std::string fileName = ParseFileName(*chosen);
    autoLoadProfile(BindingKey(BindMethod::PSXISO, "", "", fileName),
                    "Configuration Profile Detected for file: " + *chosen + "; Loading...");
    enterEmulatorFolder();
    startEmulator(LaunchKind::Image, ImageArgument(*chosen, services_.files.shortPath(*chosen)));
}
