#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <map>
#include <optional>

#include "app/ActivityLog.h"
#include "app/AppFlags.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/SettingsFile.h"
#include "emulators/ActiveSelection.h"
#include "emulators/EmulatorDatabase.h"
#include "emulators/EmulatorEntry.h"
#include "emulators/Launch.h"
#include "ui/forms/frmAddEmu.h"
#include "plugins/PluginCatalogue.h"
#include "plugins/PluginCommands.h"
#include "plugins/PluginScanner.h"
#include "ui/forms/frmePSXeConf.h"
#include "ui/forms/frmConfigN64Regpaths.h"
#include "ui/forms/frmLoadConfig.h"
#include "ui/forms/frmSaveConfig.h"
#include "ui/Form.h"
#include "ui/MainMenu.h"
#include "ui/frmSplash.h"
#include "ui/frmSysTray.h"
#include "ui/forms/frmUpdate.h"

// The pages of the main window's tab control.
enum class MainPage { PSX, N64, Configuration, About };

// The page that lists a system's plug-ins.
inline MainPage PageOf(EmuSystem system) { return system == EmuSystem::PSX ? MainPage::PSX : MainPage::N64; }

// The PSX PAD list's two pads: which one the list shows and the row each
// pad's active plug-in has in it (a pad without a row has no entry).
struct PadState {
    Pad shown = Pad::One;
    std::map<Pad, int> rows;
};

// The main window: it owns the program's state for its whole life, runs the
// start-up and the shutdown, and holds the plug-in lists, the emulator list
// and selector, the options and the menus.
class frmMain : public Form {
public:
    frmMain(Services& services, AppFlags& flags, frmSplash& splash);

    // Start-up: the splash window's load, then the main window's.
    // Returns false when another instance runs and this one must end.
    bool Splash_Load();
    void Form_Load();

    // State other parts of the program read.
    const std::string& settingsPath() const { return settingsPath_; }
    const std::string& programFolder() const { return programFolder_; }
    const std::string& tempFolder() const { return tempFolder_; }
    const std::string& currentCDROM() const { return currentCDROM_; }
    const std::string& psxPluginFolder() const { return psxFolder_; }
    const std::string& n64PluginFolder() const { return n64Folder_; }
    // The plug-ins listed for a system, as last scanned.
    const PluginCatalogue& catalogue(EmuSystem system) const;
    const std::string& ePSXeVersion() const { return ePSXeVersion_; }
    const std::string& backgroundPicture() const { return backgroundPicture_; }
    ActivityLog& log() { return log_; }
    // The probe the scans use: the program hands in its helper process.
    void setPluginProbe(IPluginProbe& probe) { scanner_.setProbe(probe); }
    const MenuNode& menuBar() const { return menuBar_; }
    const MenuNode& pluginContextMenu() const { return contextMenu_; }
    std::string versionCaption() const;
    MainPage page() const { return static_cast<MainPage>(ssTabMain.selectedIndex()); }
    void showPage(MainPage page) { ssTabMain.setSelectedIndex(static_cast<int>(page)); }
    // The check box of an option.
    CheckBox& option(Option which) { return chkSettings[OptionIndex(which)]; }
    const CheckBox& option(Option which) const { return chkSettings[OptionIndex(which)]; }

    TabControl ssTabMain;
    std::array<ListView, 8> lstPluginList;
    std::array<Label, 8> lblPluginCount;
    Label lblEmuSelect;
    ComboBox cmbEmuSelect;
    Button cmdApply;
    Button cmdLaunchEmu;
    Label lblPluginName;
    ListView lstEmulators;
    Button cmdAddEmu, cmdEditEmu, cmdRemoveEmu;
    std::array<CheckBox, kOptionCount> chkSettings;
    Label lblInterval;
    TextBox txtSettings;
    Label lblCDROM;
    ComboBox cmbCDROM;
    Label lblTransparency;
    Slider sldTransparency;
    Label lblAbout, lblThanks;
    Label lblStatus;
    Button cmdConfig, cmdTest, cmdAbout;
    Button cmdExit;
    // The About page's way to the update service's web site.
    Button cmdUpdateService;
    // The editor laid over a plug-in's file name while it is renamed.
    TextBox txtFloat;
    Timer tmrTimer;

    MenuItem mnuFile, mnuFileImport, mnuFileImportFiles, mnuFileImportFolder, mnuFileImportZip;
    MenuItem mnuFileLoadConfig, mnuFileSaveConfig, mnuFileManageConfigs, mnuFileConfigEmu;
    MenuItem mnuFileLaunchEmu, mnuFileLaunchCDRom, mnuFileLaunchISOROM, mnuFileCheckUpdates, mnuFileExit;
    MenuItem mnuEdit, mnuEditRename, mnuEditDelete, mnuEditCopy, mnuEditCopyAll, mnuEditEnableLogging;
    MenuItem mnuView, mnuViewPSX, mnuViewN64, mnuViewConfig, mnuViewRefresh;
    MenuItem mnuPlugins, mnuPluginsConfigure, mnuPluginsTest, mnuPluginsAbout, mnuPluginsPadSelection;
    MenuItem mnuPluginsPadSelectionPad1, mnuPluginsPadSelectionPad2, mnuPluginsSkipped;
    MenuItem mnuTools, mnuToolsConfigN64Regpaths;
    MenuItem mnuHelp, mnuHelpReadMe, mnuHelpWebSite, mnuHelpCheckToolUpdate, mnuHelpAbout;
    // The context menu of the plug-in lists.
    MenuItem mnuContextConfigure, mnuContextTest, mnuContextAbout, mnuContextRename, mnuContextDelete, mnuContextCopy;
    // The context menu of the emulator list.
    MenuItem mnuEmuContextEdit, mnuEmuContextDelete;

    // Event handlers.
    void chkSettings_Click(int index);
    void txtSettings_Click();
    void txtSettings_LostFocus();
    void cmbCDROM_Click();
    void sldTransparency_Change();
    void tmrTimer_Timer();
    void Form_Activate();
    bool Form_QueryUnload();
    void Form_Unload();
    void mnuEditEnableLogging_Click();
    void mnuHelpReadMe_Click();
    void lstPluginList_ItemClick(PluginKind list);
    void cmdConfig_Click();
    void cmdTest_Click();
    void cmdAbout_Click();
    void cmbEmuSelect_Click();
    void cmdApply_Click();
    void mnuPluginsPadSelection_Click(Pad pad);
    void mnuEdit_Click();
    void CopyPlugin(int destination);
    void CopyAllPlugins(int destination);
    void mnuEditRename_Click();
    bool txtFloat_KeyDown(int key);
    void mnuEditDelete_Click();
    void mnuFileImportFiles_Click();
    void mnuFileImportFolder_Click();
    void mnuFileImportZip_Click();
    void ssTabMain_Drop(const std::vector<std::string>& paths);
    // The copy submenus as the Edit menu last built them.
    const MenuNode& copyMenu() const { return menuBar_.children[1].children[2]; }
    // Plugins > Skipped Plugins: a retry entry per library in quarantine,
    // made anew as it opens.
    const MenuNode& skippedMenu() const { return menuBar_.children[3].children[6]; }
    void mnuPluginsSkipped_Open();
    const MenuNode& copyAllMenu() const { return menuBar_.children[1].children[3]; }
    // The plug-in list and row the file name editor lies over.
    std::function<void(PluginKind list, int row)> onPlaceFloat;
    void cmdLaunchEmu_Click();
    void mnuFileLaunchCDRom_Click();
    void mnuFileLaunchISOROM_Click();

    // Starts a program and returns when it has ended, the window working
    // meanwhile; launches are off and quitting is refused until the last
    // program started so has ended.
    ProcessOutcome RunShell(const ProcessStart& start);
    // Enables the launch commands the selected emulator offers.
    void applyLaunchOptions();
    // The game ID of the disc in the selected CD-ROM drive, or "".
    std::string detectPSXGameID();

    // Rescans the plug-in lists on screen (both with rescanBoth).
    void RefreshCurrentPluginSet(bool rescanBoth);
    const PadState& pads() const { return pads_; }
    const N64VersionKeys& versionKeys() const { return versionKeys_; }
    EmulatorDatabase& emulators() { return database_; }
    // The plug-in the commands act on: the highlighted row of the list the
    // user last chose a row in; an empty path when there is none.
    PluginSelection selectedPlugin() const;
    // The main window's background picture changed; the back end loads it.
    std::function<void()> onBackgroundChanged;
    // The low-resolution layout was applied; the back end resizes.
    std::function<void()> onLowResolution;
    // The Add/Edit dialog while it is open (or, in tests, until the next).
    frmAddEmu* addEmuDialog() { return addEmu_.get(); }
    // Shows the Add/Edit dialog modally over the main window; the back end
    // sets it.
    std::function<void(frmAddEmu&)> showAddEmu;
    // The profile dialogs while open (or, in tests, until the next), and
    // how the back end shows each modally.
    frmSaveConfig* saveConfigDialog() { return saveConfig_.get(); }
    frmLoadConfig* loadConfigDialog() { return loadConfig_.get(); }
    frmConfigN64Regpaths* n64PathsDialog() { return n64Paths_.get(); }
    std::function<void(frmSaveConfig&)> showSaveConfig;
    std::function<void(frmLoadConfig&)> showLoadConfig;
    std::function<void(frmConfigN64Regpaths&)> showN64Paths;
    frmePSXeConf* ePSXeConfDialog() { return ePSXeConf_.get(); }
    std::function<void(frmePSXeConf&)> showEPSXeConf;
    void mnuFileConfigEmu_Click();
    // The update window while open (or while updates found in the
    // background wait for it), and how the back end shows it modally.
    frmUpdate* updateDialog() { return update_.get(); }
    std::function<void(frmUpdate&)> showUpdate;
    void mnuFileCheckUpdates_Click();
    // The update service's address: a base ending in "/".
    const std::string& serviceAddress() const { return serviceAddress_; }
    const std::string& lastUpdate() const { return lastUpdate_; }
    void mnuFileSaveConfig_Click();
    void mnuFileLoadConfig_Click();
    void mnuToolsConfigN64Regpaths_Click();
    void cmdAddEmu_Click();
    void cmdEditEmu_Click();
    void cmdRemoveEmu_Click();
    bool lstEmulators_Rename(int row, const std::string& newName);

    // The tray window and its events.
    frmSysTray& sysTray() { return m_frmSysTray; }
    void m_frmSysTray_SysTrayMouseDown(int button);
    void m_frmSysTray_SysTrayDoubleClick(int button);
    void m_frmSysTray_MenuClick(int index, const std::string& tag);
    void m_frmSysTray_BalloonClicked();
    void m_frmSysTray_EmuClick(int index);
    void m_frmSysTray_CDROMClick(int index);
    void m_frmSysTray_ISOROMClick(int index);
    // The window was minimized or restored.
    void Form_Resize();
    // True while the window is hidden in the tray.
    bool sitsInTray() const;
    // True after a balloon told of updates the user has not seen yet.
    bool updatesWaiting() const { return updatesWaiting_; }
    void cmdExit_Click();
    void cmdUpdateService_Click();

private:
    void buildControls();
    void buildMenus();
    void wireEvents();
    int settingInt(const std::string& key, int defaultValue);
    std::string settingText(const std::string& key, const std::string& defaultValue);
    void fillCDROMDrives();
    void readCommandLine();
    void openAddEmu(frmAddEmu::Mode mode, int row);
    void choosePluginFolders();
    void applyLowResolution();
    void applyTransparency();
    void readEPSXeVersion();
    void chooseBackground();
    void readActiveSelection(EmuSystem system);
    void showActive(EmuSystem system, const PluginFiles& active);
    const EmulatorEntry* selectedEmulator() const;
    void enablePluginEntries(bool enabled);
    void reflectPluginSelection();
    void scan(EmuSystem system);
    // The status line after a scan: how many libraries were skipped.
    std::string skippedText() const;
    void retryQuarantined(const std::string& path);
    // True when the user's command may run the plug-in: at once when it
    // never stopped Corvane's check, else after asking.
    bool confirmRun(const PluginSelection& selection);
    void bindCatalogue(EmuSystem system);
    void bindEmulators();
    void selectEmulatorEntry(int k);
    int& currentEmulator(EmuSystem system);
    bool otherWindowOpen() const;
    void showMain();
    std::vector<IniSection> settingsToWrite() const;
    void enterEmulatorFolder();
    void startEmulator(LaunchKind kind, const std::string& imageArgument);
    void autoLoadProfile(const std::string& key, const std::string& logLine);
    void restoreMain();
    void wireTray();
    void fillTrayMenus();
    // Selects the emulator of this tray entry (0-based) as if chosen in
    // the selector.
    void selectFromTray(int index);
    void showWaitingUpdates();
    ProfileContext profileContext();
    // Plug-in files: the system whose page (or emulator) is on screen, the
    // folder of its lists, and the copy destinations.
    EmuSystem systemOnScreen() const;
    std::string copyDestination(int destination, EmuSystem system);
    void fillCopyMenu(MenuNode& menu, std::vector<std::unique_ptr<MenuItem>>& items,
                      const std::function<void(int)>& command);
    bool shellCopy(const std::string& from, const std::string& to, unsigned flags);
    void commitRename();
    void hideRenameEditor();
    MessageAnswer askDuringRename(const std::string& text, const char* title, MessageIcon icon,
                                  MessageButtons buttons);
    void afterImport();
    // Gives a dialog the main window's transparency when it shows.
    void shareTransparency(Form& dialog);
    void rereadAfterProfileLoad();
    UpdateContext updateContext();
    void openUpdate(bool automatic);
    void notifyUser(const std::string& text, const std::string& title);
    void installUpdates(const std::vector<UpdateRecord>& psx, const std::vector<UpdateRecord>& n64);
    bool installInto(const std::string& archive, const std::string& folder);

    Services& services_;
    AppFlags& flags_;
    frmSplash& splash_;
    std::string programFolder_, settingsPath_, tempFolder_, currentCDROM_;
    std::string psxFolder_, n64Folder_, ePSXeVersion_, lastUpdate_, heldInterval_, backgroundPicture_;
    std::vector<std::string> exclusions_;
    int minuteCounter_ = 0;
    double startSeconds_ = 0;
    ActivityLog log_;
    MenuNode menuBar_;
    MenuNode contextMenu_;
    MenuNode emuContextMenu_;
    EmulatorDatabase database_;
    std::unique_ptr<frmAddEmu> addEmu_;
    std::unique_ptr<frmSaveConfig> saveConfig_;
    std::unique_ptr<frmLoadConfig> loadConfig_;
    std::unique_ptr<frmConfigN64Regpaths> n64Paths_;
    std::unique_ptr<frmePSXeConf> ePSXeConf_;
    std::unique_ptr<frmUpdate> update_;
    std::string serviceAddress_;
    bool updatesSectionRead_ = false;
    // The installed plug-ins something newer is offered for, by system.
    std::array<std::vector<std::string>, 2> updatable_;
    ProbeStore probeStore_;
    PluginScanner scanner_;
    // Libraries each system's last scan skipped for their quarantine.
    std::array<int, 2> skipped_{};
    PluginCommands commands_;
    std::array<PluginCatalogue, 2> catalogues_;
    // The list the user last chose a row in; its highlighted row is the
    // plug-in the commands act on.
    std::optional<PluginKind> chosenList_;
    PadState pads_;
    // The selector index last scanned for each system; -1 when the entry
    // scanned was removed, so that any choice scans again.
    int currentPSXEmulator_ = 0, currentN64Emulator_ = 0;
    // Raised by the removal of an emulator: the selector's next change
    // must not switch the tab page.
    bool selectorRemoval_ = false;
    // Raised while a box about the name typed is up: the editor keeps its
    // text and stays over the row although the box took the focus.
    bool askingAboutRename_ = false;
    // The entries of the copy submenus, made anew whenever the Edit menu
    // or the context menu opens.
    std::vector<std::unique_ptr<MenuItem>> copyItems_, copyAllItems_, contextCopyItems_, skippedItems_;
    // Programs started through RunShell that have not ended yet.
    int runningPrograms_ = 0;
    N64VersionKeys versionKeys_;
    frmSysTray m_frmSysTray;
    bool updatesWaiting_ = false;
};
