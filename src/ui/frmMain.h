#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/AppFlags.h"
#include "app/Options.h"
#include "app/Services.h"
#include "session/Session.h"
#include "ui/Form.h"
#include "ui/MainMenu.h"
#include "ui/MainUpdates.h"
#include "ui/WindowUser.h"
#include "ui/forms/frmAddEmu.h"
#include "ui/forms/frmConfigN64Regpaths.h"
#include "ui/forms/frmLoadConfig.h"
#include "ui/forms/frmSaveConfig.h"
#include "ui/forms/frmUpdate.h"
#include "ui/forms/frmePSXeConf.h"
#include "ui/frmSplash.h"
#include "ui/frmSysTray.h"

// The pages of the main window's tab control.
enum class MainPage { PSX, N64, Configuration, About };

// The page that lists a system's plug-ins.
inline MainPage PageOf(EmuSystem system) { return system == EmuSystem::PSX ? MainPage::PSX : MainPage::N64; }

// The main window: it shows the session (the emulators, the plug-in lists,
// the settings) and hands the user's commands to it. Its controls bind the
// session's state; it keeps only what is the window's own.
class frmMain : public Form {
public:
    frmMain(Services& services, AppFlags& flags, frmSplash& splash);
    ~frmMain() override;

    // Start-up: the splash window's load, then the main window's.
    // Returns false when another instance runs and this one must end.
    bool Splash_Load();
    void Form_Load();

    Session& session() { return session_; }
    const Session& session() const { return session_; }
    const MenuNode& menuBar() const { return menuBar_; }
    const MenuNode& pluginContextMenu() const { return contextMenu_; }
    // The menu below an entry of the menu bar or the context menu.
    const MenuNode& menuOf(const MenuItem& item) const;
    MenuNode& menuOf(const MenuItem& item);
    std::string versionCaption() const;
    MainPage page() const { return static_cast<MainPage>(ssTabMain.selectedIndex()); }
    void showPage(MainPage page) { ssTabMain.setSelectedIndex(static_cast<int>(page)); }
    CheckBox& option(Option which) { return chkSettings[OptionIndex(which)]; }
    const std::string& backgroundPicture() const { return backgroundPicture_; }

    TabControl ssTabMain;
    std::array<ListView, kPluginKinds> lstPluginList;
    std::array<Label, kPluginKinds> lblPluginCount;
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
    Label lblTransparency, lblServiceAddress;
    Slider sldTransparency;
    TextBox txtServiceAddress;
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
    MenuItem mnuPluginsPadSelectionPad1, mnuPluginsPadSelectionPad2, mnuPluginsSkipped, mnuPluginsUndoUpdate;
    MenuItem mnuTools, mnuToolsConfigN64Regpaths;
    MenuItem mnuHelp, mnuHelpReadMe, mnuHelpWebSite, mnuHelpCheckToolUpdate, mnuHelpAbout;
    // The context menu of the plug-in lists.
    MenuItem mnuContextConfigure, mnuContextTest, mnuContextAbout, mnuContextRename, mnuContextDelete, mnuContextCopy;
    // The context menu of the emulator list.
    MenuItem mnuEmuContextEdit, mnuEmuContextDelete;

    void tmrTimer_Timer();
    void ssTabMain_Drop(const std::vector<std::string>& paths);
    // The plug-in list and row the file name editor lies over.
    std::function<void(PluginKind list, int row)> onPlaceFloat;
    // The main window's background picture changed; the back end loads it.
    std::function<void()> onBackgroundChanged;
    // The low-resolution layout was applied; the back end resizes.
    std::function<void()> onLowResolution;
    // How the back end shows each dialog modally; without one (in tests)
    // the dialog stays open for the test to drive.
    std::function<void(frmAddEmu&)> showAddEmu;
    std::function<void(frmSaveConfig&)> showSaveConfig;
    std::function<void(frmLoadConfig&)> showLoadConfig;
    std::function<void(frmConfigN64Regpaths&)> showN64Paths;
    std::function<void(frmePSXeConf&)> showEPSXeConf;
    std::function<void(frmUpdate&)> showUpdate;
    // The dialogs while open (or, in tests, until the next).
    frmAddEmu* addEmuDialog() { return addEmu_.get(); }
    frmSaveConfig* saveConfigDialog() { return saveConfig_.get(); }
    frmLoadConfig* loadConfigDialog() { return loadConfig_.get(); }
    frmConfigN64Regpaths* n64PathsDialog() { return n64Paths_.get(); }
    frmePSXeConf* ePSXeConfDialog() { return ePSXeConf_.get(); }
    frmUpdate* updateDialog() { return updates_.dialog(); }

    frmSysTray& sysTray() { return m_frmSysTray; }
    // True while the window is hidden in the tray.
    bool sitsInTray() const;
    // True after a balloon told of updates the user has not seen yet.
    bool updatesWaiting() const { return updates_.waiting(); }

private:
    friend class MainUpdates;

    void buildControls();
    void buildMenus();
    void wireEvents();
    void wireCommands();
    void wireTray();
    void wireSession();
    void showSettings();
    void showSplashOrNot();
    void chooseBackground();
    void restoreMain();
    void Form_Activate();
    bool Form_QueryUnload();
    void Form_Unload();
    void Form_Resize();
    void applyLowResolution();
    void applyTransparency();
    int alpha() const;
    void shareTransparency(Form& dialog);

    // Binding the session's state.
    void sessionChanged(SessionChange what, EmuSystem system);
    void bindEmulators();
    void bindSelection();
    void bindCatalogue(EmuSystem system);
    void bindChoice(EmuSystem system);
    void bindLaunchOptions();
    void reflectPluginSelection();
    EmuSystem systemOnScreen() const;
    std::vector<EmuSystem> systemsOnPage() const;

    // Commands.
    void cmbEmuSelect_Click();
    void lstPluginList_ItemClick(PluginKind list);
    void chkSettings_Click(int index);
    void txtSettings_LostFocus();
    void mnuHelpReadMe_Click();
    void mnuEdit_Click();
    void fillCopyMenu(const MenuItem& submenu, std::vector<std::unique_ptr<MenuItem>>& items,
                      const std::function<void(int)>& command);
    void mnuPluginsSkipped_Open();
    void mnuEditRename_Click();
    bool txtFloat_KeyDown(int key);
    void commitRename();
    void hideRenameEditor();
    void mnuEditDelete_Click();
    void importInto(bool changed);
    void mnuFileImportFiles_Click();
    void mnuFileImportFolder_Click();
    void mnuFileImportZip_Click();
    void openAddEmu(frmAddEmu::Mode mode, int row);
    void cmdRemoveEmu_Click();
    void mnuFileSaveConfig_Click();
    void mnuFileLoadConfig_Click();
    void mnuToolsConfigN64Regpaths_Click();
    void mnuFileConfigEmu_Click();
    void fillTrayMenus();
    void m_frmSysTray_MenuClick(const std::string& tag);

    Services& services_;
    AppFlags& flags_;
    frmSplash& splash_;
    WindowUser user_;
    Session session_;
    std::string heldInterval_, backgroundPicture_;
    int minuteCounter_ = 0;
    MenuNode menuBar_;
    MenuNode contextMenu_;
    MenuNode emuContextMenu_;
    std::unique_ptr<frmAddEmu> addEmu_;
    std::unique_ptr<frmSaveConfig> saveConfig_;
    std::unique_ptr<frmLoadConfig> loadConfig_;
    std::unique_ptr<frmConfigN64Regpaths> n64Paths_;
    std::unique_ptr<frmePSXeConf> ePSXeConf_;
    // Raised while an emulator is removed: the selector's move to the entry
    // before it must not switch the tab page.
    bool removingEmulator_ = false;
    // Raised while a box about the name typed is up: the editor keeps its
    // text and stays over the row although the box took the focus.
    bool askingAboutRename_ = false;
    // The entries of the copy submenus and of Skipped Plugins, made anew
    // whenever their menu opens.
    std::vector<std::unique_ptr<MenuItem>> copyItems_, copyAllItems_, contextCopyItems_, skippedItems_;
    frmSysTray m_frmSysTray;
    MainUpdates updates_{*this};
};
