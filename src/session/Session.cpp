#include "session/Session.h"

#include <cmath>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Helpers.h"
#include "app/clsRegistry.h"
#include "emulators/ApplySelection.h"
#include "files/ArchiveImport.h"
#include "session/FileCommands.h"
#include "session/LaunchCommands.h"
#include "session/ProfileCommands.h"
#include "session/UpdateCommands.h"

namespace {
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

Session::Session(Services& services, AppFlags& flags, IUser& user)
    : services_(services), flags_(flags), user_(user), programFolder_(services.environment.programFolder()),
      settingsPath_(QualifyPath(programFolder_) + "settings.ini"),
      log_(settings_.logging, services.files, services.clock, programFolder_),
      store_(services.files, programFolder_), scanner_(services, log_, exclusions_, store_),
      commands_(services, log_), files_(std::make_unique<FileCommands>(*this)),
      launches_(std::make_unique<LaunchCommands>(*this)), profiles_(std::make_unique<ProfileCommands>(*this)),
      updates_(std::make_unique<UpdateCommands>(*this)) {
    log_.onWriteFailure = [this](const std::string& path) {
        user_.tell("Activity Log",
                   "The activity log could not be written to " + path +
                       ".  Check that the program folder can be written to, or switch logging off in the Edit menu.",
                   MessageIcon::Exclamation);
    };
    setProbe(scanner_.probe());
}

void Session::setProbe(IPluginProbe& probe) {
    scanner_.setProbe(probe);
    probe.abandoned = [this] { return abandoned_; };
    // A library that shows a window while it is checked waits for the user.
    probe.onWaitingForUser = [this](const std::string& path) {
        user_.status(ParseFileName(path) + " is waiting for your answer...");
    };
}

Session::~Session() = default;

void Session::changed(SessionChange what, EmuSystem system) {
    if (onChange) onChange(what, system);
}

void Session::open(const std::string& commandLine) {
    settings_ = ReadSettings(services_.ini, settingsPath_);
    findCDROMDrives();
    startSeconds_ = std::floor(SecondsSinceMidnight(services_.clock.now()));
    tempFolder_ = services_.files.tempFolder();
    log_.logMsg("****** Application started; new log session created ******", true);
    readSwitches(commandLine);
    log_.logMsg("Checking configuration...");
}

void Session::findCDROMDrives() {
    for (const auto& root : services_.drives.logicalDrives())
        if (services_.drives.driveType(root) == DriveType::CdRom) cdroms_.push_back(root);
    if (settings_.cdromSelection < -1 || settings_.cdromSelection >= static_cast<int>(cdroms_.size()))
        settings_.cdromSelection = -1;
}

std::string Session::currentCDROM() const {
    return settings_.cdromSelection >= 0 ? cdroms_[static_cast<std::size_t>(settings_.cdromSelection)] : "";
}

void Session::chooseCDROM(int index) {
    settings_.cdromSelection = index >= 0 && index < static_cast<int>(cdroms_.size()) ? index : -1;
}

void Session::readSwitches(const std::string& commandLine) {
    for (const auto& piece : SplitCommandLine(commandLine)) {
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
            user_.tell("Invalid Command Line Option", "Invalid command line option " + piece, MessageIcon::Critical);
        }
    }
}

void Session::loadEmulators(int selected) {
    user_.progress("Checking emulator setup...", 0, 0);
    database_.Load(services_.ini, settingsPath_);
    selected_ = database_.Has(selected) ? selected : 0;
    changed(SessionChange::Emulators);
}

void Session::prepareScans() {
    user_.progress("Applying DLL exclusions...", 0, 0);
    exclusions_.assign(std::begin(kDllExclusions), std::end(kDllExclusions));
    // The program's own plug-in folders are where backups and copies go:
    // they exist from the first start on.
    for (EmuSystem system : kSystems)
        if (!services_.files.isDirectory(CentralFolder(programFolder_, system)))
            services_.files.createDirectory(CentralFolder(programFolder_, system));
    choosePluginFolders();
    // The ePSXe version names the ePSXe core entries of the first scan, so
    // it is read before it.
    const std::string version = clsRegistry(services_.registry)
                                    .GetRegString(clsRegistry::kCurrentUser, "Software\\epsxe\\config", "Version", "0");
    ePSXeVersion_ = FormatVersionLong(static_cast<std::uint32_t>(WholeNumber(version)));
}

void Session::loadFor(int number) {
    loadEmulators(number);
    prepareScans();
    versionKeys_ = ActiveSelection(services_.registry, services_.files, log_).FindVersionKeys();
    const EmulatorEntry* entry = selectedEmulator();
    for (EmuSystem system : kSystems) {
        if (entry && entry->System != system) continue;
        scan(system);
        rereadActive(system);
    }
}

void Session::load() {
    loadEmulators(settings_.lastEmu);
    prepareScans();
    log_.logMsg("Loading initial plugins...");
    user_.progress("Scanning PSX plugins...", 0, 0);
    scan(EmuSystem::PSX);
    services_.environment.doEvents();
    user_.progress("Scanning N64 plugins...", 0, 0);
    scan(EmuSystem::N64);
    // The N64 readers need the installed versions' keys, so they are found
    // before the first reading.
    versionKeys_ = ActiveSelection(services_.registry, services_.files, log_).FindVersionKeys();
    if (selected_ != 0) {
        readActive(EmuSystem::PSX);
        readActive(EmuSystem::N64);
    }
    // The selector's own reaction to the entry chosen at start-up: its
    // folder was scanned above, so it scans nothing again.
    selectEmulator(selected_, EmuSystem::PSX);
    log_.logMsg("Initial plugin enumeration complete...");
}

void Session::startupFinished() {
    double elapsed = SecondsSinceMidnight(services_.clock.now()) - startSeconds_;
    if (elapsed < 0) elapsed += 24 * 3600;  // started before midnight
    log_.logMsg("Startup operations finished; completed in " + SecondsText(elapsed) + " sec(s)", true);
}

void Session::writeSettings() {
    log_.logMsg("Intiating shutdown procedure...", true);
    log_.logMsg("Writing configuration to file...");
    std::vector<IniSection> sections = SettingsSections(settings_);
    sections.insert(sections.begin() + 1, EmulatorSection(database_.Entries()));
    if (!WriteWholeIniFile(services_.ini, services_.files, settingsPath_, sections))
        user_.tell("Settings Not Saved",
                   "The settings could not be written to " + settingsPath_ +
                       ".  The settings of the previous session are kept.",
                   MessageIcon::Critical);
}

std::string Session::serviceAddress() const {
    const std::string& address = settings_.serviceAddress;
    if (address.empty()) return address;
    return address.back() == '/' ? address : address + "/";
}

const EmulatorEntry* Session::selectedEmulator() const {
    return database_.Has(selected_) ? &database_.Entry(selected_) : nullptr;
}

void Session::choosePluginFolders() {
    for (EmuSystem system : kSystems) folders_[system] = CentralFolder(programFolder_, system);
    const EmulatorEntry* entry = selectedEmulator();
    if (!entry) return;
    for (EmuSystem system : kSystems) {
        if (entry->System != system) continue;
        folders_[system] = entry->Plugins;
        current_[system] = selected_;
    }
}

void Session::selectEmulator(int number, EmuSystem ownFoldersSystem) {
    selected_ = database_.Has(number) ? number : 0;
    if (const EmulatorEntry* entry = selectedEmulator()) {
        const EmuSystem system = entry->System == EmuSystem::PSX ? EmuSystem::PSX : EmuSystem::N64;
        if (selected_ != current_[system]) {
            folders_[system] = entry->Plugins;
            scan(system);
            readActive(system);
        }
        current_[system] = selected_;
    } else if (current_[ownFoldersSystem] != 0) {
        folders_[ownFoldersSystem] = CentralFolder(programFolder_, ownFoldersSystem);
        scan(ownFoldersSystem);
    }
    if (!selectedEmulator()) current_[ownFoldersSystem] = 0;
    changed(SessionChange::Selection);
    const EmulatorEntry* entry = selectedEmulator();
    log_.logMsg((entry ? SelectorText(*entry) : std::string(kOwnFoldersEntry)) + " selected in emu selector...");
    launchOptionsChanged();
}

void Session::storeEmulator(int number, const EmulatorEntry& entry) {
    database_.Store(number, entry);
    changed(SessionChange::Emulators);
}

void Session::removeEmulator(int number) {
    if (!database_.Has(number)) return;
    const int shown = selected_;
    database_.Remove(number);
    // The numbers of the emulators last scanned follow the entries they
    // name; a removed one names none, so the next choice scans again.
    for (EmuSystem system : kSystems) {
        int& current = current_[system];
        if (current == number) current = -1;
        else if (current > number) --current;
    }
    if (shown > number) --selected_;
    if (shown == number) selected_ = number - 1;
    changed(SessionChange::Emulators);
    // The selector moves to the entry before a removed shown one, as if
    // the user chose it.
    if (shown == number) selectEmulator(number - 1, EmuSystem::PSX);
}

bool Session::renameEmulator(int number, const std::string& name) {
    if (IsReservedEmulatorName(name)) {
        user_.tell("Invalid Value", "The name '" + name + "' is reserved by Corvane. Please enter another name for the entry.",
                   MessageIcon::Exclamation);
        return false;
    }
    if (!database_.Rename(number, name)) return false;
    changed(SessionChange::Emulators);
    return true;
}

void Session::scan(EmuSystem system) {
    // A command the window ran while a library kept the scan waiting must
    // not start another one over it.
    if (abandoned_ || flags_.blLoadingPlugins) return;
    flags_.blLoadingPlugins = true;
    user_.status("Loading plugins, please wait...");
    user_.busy(true);
    // Plug-ins set aside by an update while an emulator held them go now.
    DropSetAsideFiles(services_.files, QualifyPath(folders_[system]));
    const EmulatorEntry* entry = selectedEmulator();
    const EmulatorType* type = entry ? TypeNamed(entry->Type, entry->System) : nullptr;
    PluginCatalogue catalogue = system == EmuSystem::PSX
                                    ? scanner_.ScanPSX(folders_[system], {type && type->cores, ePSXeVersion_})
                                    : scanner_.ScanN64(folders_[system]);
    skipped_[system] = scanner_.skipped();
    lists_.replace(system, std::move(catalogue));
    changed(SessionChange::Catalogue, system);
    changed(SessionChange::Choice, system);
    flags_.blLoadingPlugins = false;
    user_.status(skippedText());
    user_.busy(false);
}

std::string Session::skippedText() const {
    const int skipped = skipped_[EmuSystem::PSX] + skipped_[EmuSystem::N64];
    if (skipped == 0) return "";
    return std::to_string(skipped) + (skipped == 1 ? " plugin was" : " plugins were") +
           " skipped: they stopped the plugin check (Plugins > Skipped Plugins)";
}

void Session::readActive(EmuSystem system) {
    const EmulatorEntry* entry = selectedEmulator();
    if (!entry) return;
    const ActiveReading reading = ActiveSelection(services_.registry, services_.files, log_)
                                      .Read(system, entry->Type, lists_.catalogue(system).folder, versionKeys_);
    for (const MissingPlugin& missing : reading.missing)
        user_.tell("Active Plugin Not Found",
                   "Warning: " + missing.file + " is listed as the active " + missing.tag +
                       " plugin, but could not be found in the current plugin directory!",
                   MessageIcon::Exclamation);
    lists_.showActive(system, reading.active);
    changed(SessionChange::Choice, system);
}

void Session::rereadActive(EmuSystem system) {
    if (selected_ != 0) readActive(system);
}

void Session::refresh(const std::vector<EmuSystem>& systems) {
    log_.logMsg("Refreshing current plugin set...", true);
    for (EmuSystem system : systems) scan(system);
    for (EmuSystem system : systems) rereadActive(system);
}

void Session::choosePlugin(PluginKind kind, int row) {
    lists_.choose(kind, row);
    changed(SessionChange::Choice, SystemOf(kind));
}

void Session::showPad(Pad pad) {
    if (!lists_.showPad(pad)) return;
    changed(SessionChange::Choice, EmuSystem::PSX);
    log_.logMsg("PSX pad #" + std::to_string(PadNumber(pad)) + " selected...", true);
}

void Session::apply() {
    const EmulatorEntry* entry = selectedEmulator();
    if (!entry) return;
    ApplySelection(services_.registry, log_).Apply(entry->Type, entry->System, versionKeys_, lists_.choice());
}

void Session::retry(const std::string& path) {
    store_.retry(path);
    log_.logMsg("Checking " + ParseFileName(path) + " again...", true);
    const bool n64 = LowerCase(ParsePath(path)) == LowerCase(lists_.catalogue(EmuSystem::N64).folder);
    const EmuSystem system = n64 ? EmuSystem::N64 : EmuSystem::PSX;
    scan(system);
    rereadActive(system);
}

bool Session::toggleLogging() {
    if (settings_.logging) log_.logMsg("****** Logging Disabled ******", true);
    settings_.logging = !settings_.logging;
    if (settings_.logging) log_.logMsg("****** Logging Enabled ******", true);
    return settings_.logging;
}

bool Session::confirmRun(const PluginSelection& selection) {
    const StoredProbe* entry = store_.findPath(selection.path);
    if (selection.path.empty() || !entry || !entry->everFailed()) return true;
    return user_.ask("Corvane",
                     ParseFileName(selection.path) + " crashed Corvane's plug-in check on " +
                         FailureDate(services_.clock, *entry) + ". Run it anyway?",
                     MessageIcon::Exclamation);
}

bool Session::configure(WindowHandle window) {
    const PluginSelection target = lists_.commandTarget();
    if (!confirmRun(target)) return false;
    const auto notice = commands_.Configure(target, window, flags_.blN64ConfigEnabled);
    if (notice) user_.tell(notice->title, notice->text, notice->icon);
    return !notice;
}

void Session::test(WindowHandle window) {
    const PluginSelection target = lists_.commandTarget();
    if (!confirmRun(target)) return;
    if (const auto notice = commands_.Test(target, window)) user_.tell(notice->title, notice->text, notice->icon);
}

void Session::about(WindowHandle window) {
    const PluginSelection target = lists_.commandTarget();
    if (!confirmRun(target)) return;
    if (const auto notice = commands_.About(target, window)) user_.tell(notice->title, notice->text, notice->icon);
}

void Session::launchOptionsChanged() {
    log_.logMsg("Altering launch options...");
    changed(SessionChange::LaunchOptions);
}

ProcessOutcome Session::runProgram(const ProcessStart& start) {
    ++runningPrograms_;
    flags_.blExternalAppRunning = true;
    launchOptionsChanged();
    const ProcessOutcome outcome = services_.processes.run(start, [&](unsigned long processId) {
        log_.logMsg("Executing " + start.commandLine + " in PID:" + std::to_string(processId));
    });
    // A program started while another ran (a profile saved during a game)
    // must not end the other's state.
    if (--runningPrograms_ == 0) flags_.blExternalAppRunning = false;
    if (outcome.started) log_.logMsg("External thread execution has ended; returning control to application...");
    launchOptionsChanged();
    return outcome;
}
