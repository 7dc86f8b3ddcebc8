#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ActivityLog.h"
#include "app/AppFlags.h"
#include "app/Services.h"
#include "emulators/EmulatorDatabase.h"
#include "emulators/Launch.h"
#include "plugins/PluginCommands.h"
#include "plugins/PluginScanner.h"
#include "plugins/ProbeStore.h"
#include "session/AppSettings.h"
#include "session/PluginLists.h"
#include "session/User.h"

class FileCommands;
class LaunchCommands;
class ProfileCommands;
class UpdateCommands;

// What changed in the session, for the front end to show.
enum class SessionChange {
    Emulators,      // the emulator database
    Selection,      // the emulator chosen in the selector
    Catalogue,      // a system's lists: their rows (scanned, edited, marked)
    Choice,         // the rows chosen in a system's lists, or the pad shown
    LaunchOptions,  // which launches are offered, and whether a program runs
    LaunchBegins,   // an emulator is about to start
    LaunchEnded,    // it has ended (or could not start)
};

// The selector's first entry: the program's own plug-in folders.
constexpr const char* kOwnFoldersEntry = "-- Tool Plugin Backups --";

// The application without its windows: the settings, the emulators, the
// plug-in lists and the use cases over them. The main window binds it; the
// command-line program drives it. It reaches the user through IUser only.
class Session {
public:
    Session(Services& services, AppFlags& flags, IUser& user);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Start-up, in two parts: settings.ini, the log, the program's switches
    // and the CD-ROM drives; then the emulators, both scans and the chosen
    // emulator's active plug-ins.
    void open(const std::string& commandLine);
    void load();
    // The command line's start after open(): the emulators with one chosen
    // (0: the own folders); loadFor also scans its folder (or both own
    // folders) and reads its active plug-ins.
    void loadEmulators(int selected);
    void loadFor(int number);
    // The last start-up line: how long it took.
    void startupFinished();
    // Shutdown: settings.ini written whole. The user is told when it could
    // not be; the previous file stays then.
    void writeSettings();

    Services& services() { return services_; }
    IUser& user() { return user_; }
    AppFlags& flags() { return flags_; }
    ActivityLog& log() { return log_; }
    AppSettings& settings() { return settings_; }
    const AppSettings& settings() const { return settings_; }
    const std::string& programFolder() const { return programFolder_; }
    const std::string& tempFolder() const { return tempFolder_; }
    const std::string& settingsPath() const { return settingsPath_; }

    EmulatorDatabase& emulators() { return database_; }
    const EmulatorDatabase& emulators() const { return database_; }
    // The selector's entry: an emulator's number, 0 for the own folders.
    int selected() const { return selected_; }
    const EmulatorEntry* selectedEmulator() const;
    // The emulator whose folder a system's lists show (0: the own folder).
    int current(EmuSystem system) const { return current_[system]; }
    const std::string& pluginFolder(EmuSystem system) const { return folders_[system]; }
    PluginLists& lists() { return lists_; }
    const PluginLists& lists() const { return lists_; }
    // The status line after a scan: how many libraries were skipped.
    std::string skippedText() const;
    ProbeStore& probeStore() { return store_; }
    // The probe the scans use: the program hands in its helper process.
    void setProbe(IPluginProbe& probe);
    // Corvane is closing: a scan that waits on a library ends at once, and
    // none starts any more.
    void abandonScans() { abandoned_ = true; }

    const std::vector<std::string>& cdromDrives() const { return cdroms_; }
    std::string currentCDROM() const;
    void chooseCDROM(int index);
    const N64VersionKeys& versionKeys() const { return versionKeys_; }
    const std::string& ePSXeVersion() const { return ePSXeVersion_; }
    // The update service's address: a base ending in "/"; "" when none is
    // set (there is no default: a user's club or site runs one).
    std::string serviceAddress() const;
    bool programRunning() const { return runningPrograms_ > 0; }
    LaunchOffer launchOffers() const { return LaunchOffersOf(selectedEmulator(), programRunning()); }

    // The user chose an entry in the selector. An emulator's folder is
    // scanned unless its lists show it already; the own folders are scanned
    // for the system given (the page on screen).
    void selectEmulator(int number, EmuSystem ownFoldersSystem);
    // The Add/Edit dialog stored an entry; an entry removed or renamed.
    void storeEmulator(int number, const EmulatorEntry& entry);
    void removeEmulator(int number);
    bool renameEmulator(int number, const std::string& name);

    void choosePlugin(PluginKind kind, int row);
    void showPad(Pad pad);
    // Scans the systems' folders again and reads the active plug-ins.
    void refresh(const std::vector<EmuSystem>& systems);
    void rereadActive(EmuSystem system);
    // Writes the chosen plug-ins into the selected emulator's settings.
    void apply();
    // Checks a library in quarantine again.
    void retry(const std::string& path);
    // Edit > Enable Logging; the new state.
    bool toggleLogging();

    // The plug-in commands on the command target; a library that once
    // stopped the plug-in check runs only after the user agrees. Configure
    // is true when the plug-in's configuration ran.
    bool configure(WindowHandle window);
    void test(WindowHandle window);
    void about(WindowHandle window);

    // Starts a program and returns when it has ended, the window thread's
    // messages running meanwhile; launches are off until the last program
    // started so has ended.
    ProcessOutcome runProgram(const ProcessStart& start);

    FileCommands& files() { return *files_; }
    LaunchCommands& launches() { return *launches_; }
    ProfileCommands& profiles() { return *profiles_; }
    UpdateCommands& updates() { return *updates_; }

    // The front end hears of every change here.
    std::function<void(SessionChange, EmuSystem)> onChange;
    void changed(SessionChange what, EmuSystem system = EmuSystem::PSX);

    // Rescans a system's folder; the lists lose their chosen rows.
    void scan(EmuSystem system);
    void launchOptionsChanged();

private:
    void readSwitches(const std::string& commandLine);
    void prepareScans();
    void findCDROMDrives();
    void choosePluginFolders();
    void readActive(EmuSystem system);
    bool confirmRun(const PluginSelection& selection);

    Services& services_;
    AppFlags& flags_;
    IUser& user_;
    AppSettings settings_;
    std::string programFolder_, settingsPath_, tempFolder_;
    ActivityLog log_;
    double startSeconds_ = 0;
    std::vector<std::string> cdroms_;
    std::vector<std::string> exclusions_;
    EmulatorDatabase database_;
    int selected_ = 0;
    // The entry last scanned for each system; -1 when it was removed, so
    // that any choice scans again.
    PerSystem<int> current_;
    PerSystem<std::string> folders_;
    ProbeStore store_;
    PluginScanner scanner_;
    PerSystem<int> skipped_;
    PluginLists lists_;
    PluginCommands commands_;
    N64VersionKeys versionKeys_;
    std::string ePSXeVersion_;
    int runningPrograms_ = 0;
    bool abandoned_ = false;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<LaunchCommands> launches_;
    std::unique_ptr<ProfileCommands> profiles_;
    std::unique_ptr<UpdateCommands> updates_;
};
