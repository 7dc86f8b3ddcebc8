#include "ui/frmMain.h"

#include <cctype>

#include "app/Helpers.h"
#include "app/Version.h"

namespace {
// The maker's page.
const char* const kWebSite = "https://corvane.example.org/";

std::vector<ListColumn> PluginColumns(EmuSystem system) {
    std::vector<ListColumn> columns{{"Plugin Name", 170}};
    if (system == EmuSystem::PSX) columns.push_back({"Version", 60});
    columns.push_back({"Released", 110});
    columns.push_back({"FileName", 110});
    return columns;
}
}  // namespace

frmMain::frmMain(Services& services, AppFlags& flags, frmSplash& splash)
    : services_(services), flags_(flags), splash_(splash),
      log_(flags, services.files, services.clock, services.windows, services.environment.programFolder()),
      probeStore_(services.files, services.environment.programFolder()),
      scanner_(services, log_, exclusions_, probeStore_),
      commands_(services, log_, flags), m_frmSysTray(services) {
    catalogues_[0].system = EmuSystem::PSX;
    catalogues_[1].system = EmuSystem::N64;
    buildControls();
    buildMenus();
    wireEvents();
    wireTray();
}

std::string frmMain::versionCaption() const {
    return "Orvisk's Corvane v" + std::to_string(CORVANE_VERSION_MAJOR) + "." + std::to_string(CORVANE_VERSION_MINOR) +
           "." + std::to_string(CORVANE_VERSION_REVISION);
}

void frmMain::buildControls() {
    ssTabMain.setTabs({" PSX Plugins", "N64 Plugins", " Configuration", " About"});
    for (int i = 0; i < kPluginKinds; ++i) lstPluginList[i].setColumns(PluginColumns(SystemOf(KindAt(i))));
    bindCatalogue(EmuSystem::PSX);
    bindCatalogue(EmuSystem::N64);
    lblEmuSelect.setCaption("Emulator:");
    lstEmulators.setEditableRows(true);
    cmdApply.setCaption("&Apply");
    cmdApply.setToolTip("Apply Plugin Selection to Emulator");
    cmdLaunchEmu.setCaption("Launch the Selected Emulator");
    txtFloat.setVisible(false);
    cmdApply.setEnabled(false);
    mnuPluginsPadSelectionPad1.setChecked(true);
    mnuFileConfigEmu.setEnabled(false);
    lstEmulators.setColumns({{"Name", 120}, {"Type", 80}, {"Executable", 200}, {"Plugins", 200}});
    cmdAddEmu.setCaption("&Add");
    cmdEditEmu.setCaption("E&dit");
    cmdRemoveEmu.setCaption("&Remove");
    cmdConfig.setCaption("&Configure the Plugin");
    cmdTest.setCaption("Test the Pl&ugin");
    cmdAbout.setCaption("A&bout the Plugin");
    cmdExit.setCaption("E&xit");
    cmdUpdateService.setCaption("Plugin Update &Service Web Site");
    for (const OptionSetting& setting : OptionSettings()) {
        option(setting.option).setCaption(setting.caption);
        option(setting.option).setChecked(setting.defaultValue);
    }
    lblInterval.setCaption("Update check interval (minutes):");
    lblCDROM.setCaption("CDROM Drive:");
    lblTransparency.setCaption("Window Transparency:");
    sldTransparency.setRange(0, 100);
    tmrTimer.setInterval(60000);
}

void frmMain::buildMenus() {
    const std::pair<MenuItem*, const char*> captions[] = {
        {&mnuFile, "&File"}, {&mnuFileImport, "&Import Plugins"}, {&mnuFileImportFiles, "&File(s)"},
        {&mnuFileImportFolder, "Fol&der"}, {&mnuFileImportZip, "&Zip Archive"},
        {&mnuFileLoadConfig, "&Load Configuration"}, {&mnuFileSaveConfig, "&Save Configuration"},
        {&mnuFileManageConfigs, "&Manage Configurations"}, {&mnuFileConfigEmu, "C&onfigure Emulator"},
        {&mnuFileLaunchEmu, "Launch &Emulator"}, {&mnuFileLaunchCDRom, "Launch CD&ROM"},
        {&mnuFileLaunchISOROM, "Launch &ISO/ROM"}, {&mnuFileCheckUpdates, "&Check for Plugin Updates"},
        {&mnuFileExit, "E&xit"}, {&mnuEdit, "&Edit"}, {&mnuEditRename, "&Rename"}, {&mnuEditDelete, "&Delete"},
        {&mnuEditCopy, "&Copy"}, {&mnuEditCopyAll, "Copy &All"}, {&mnuEditEnableLogging, "Enable &Logging"},
        {&mnuView, "&View"}, {&mnuViewPSX, "&PSX Plugins"}, {&mnuViewN64, "&N64 Plugins"},
        {&mnuViewConfig, "&Configuration"}, {&mnuViewRefresh, "&Refresh"}, {&mnuPlugins, "&Plugins"},
        {&mnuPluginsConfigure, "&Configure"}, {&mnuPluginsTest, "&Test"}, {&mnuPluginsAbout, "&About"},
        {&mnuPluginsPadSelection, "&PSX Pad Selection"}, {&mnuPluginsPadSelectionPad1, "Pad 1"},
        {&mnuPluginsPadSelectionPad2, "Pad 2"}, {&mnuPluginsSkipped, "&Skipped Plugins"}, {&mnuTools, "&Tools"},
        {&mnuToolsConfigN64Regpaths, "&Configure N64 Registry Paths"}, {&mnuHelp, "&Help"},
        {&mnuHelpReadMe, "&Read Me"}, {&mnuHelpWebSite, "&Web Site"},
        {&mnuHelpCheckToolUpdate, "&Check for Tool Update"}, {&mnuHelpAbout, "&About"},
        {&mnuContextConfigure, "Configure"}, {&mnuContextTest, "Test"}, {&mnuContextAbout, "About"},
        {&mnuContextRename, "Rename"}, {&mnuContextDelete, "Delete"}, {&mnuContextCopy, "Copy"},
        {&mnuEmuContextEdit, "Edit"}, {&mnuEmuContextDelete, "Delete"},
    };
    for (const auto& [item, caption] : captions) item->setCaption(caption);

    MenuNode edit = Submenu(mnuEdit, {Leaf(mnuEditRename), Leaf(mnuEditDelete), DynamicSubmenu(mnuEditCopy),
                                      DynamicSubmenu(mnuEditCopyAll), Separator(), Leaf(mnuEditEnableLogging)});
    edit.onOpen = [this] { mnuEdit_Click(); };
    menuBar_.children = {
        Submenu(mnuFile, {Submenu(mnuFileImport, {Leaf(mnuFileImportFiles), Leaf(mnuFileImportFolder),
                                                  Leaf(mnuFileImportZip)}),
                          Separator(), Leaf(mnuFileLoadConfig), Leaf(mnuFileSaveConfig), Leaf(mnuFileManageConfigs),
                          Separator(), Leaf(mnuFileConfigEmu), Separator(), Leaf(mnuFileLaunchEmu),
                          Leaf(mnuFileLaunchCDRom), Leaf(mnuFileLaunchISOROM), Separator(), Leaf(mnuFileCheckUpdates),
                          Separator(), Leaf(mnuFileExit)}),
        edit,
        Submenu(mnuView, {Leaf(mnuViewPSX), Leaf(mnuViewN64), Leaf(mnuViewConfig), Separator(), Leaf(mnuViewRefresh)}),
        Submenu(mnuPlugins, {Leaf(mnuPluginsConfigure), Leaf(mnuPluginsTest), Leaf(mnuPluginsAbout), Separator(),
                             Submenu(mnuPluginsPadSelection,
                                     {Leaf(mnuPluginsPadSelectionPad1), Leaf(mnuPluginsPadSelectionPad2)}),
                             Separator(), DynamicSubmenu(mnuPluginsSkipped)}),
        Submenu(mnuTools, {Leaf(mnuToolsConfigN64Regpaths)}),
        Submenu(mnuHelp, {Leaf(mnuHelpReadMe), Leaf(mnuHelpWebSite), Leaf(mnuHelpCheckToolUpdate), Separator(),
                          Leaf(mnuHelpAbout)}),
    };
    menuBar_.children[3].children[6].onOpen = [this] { mnuPluginsSkipped_Open(); };
    contextMenu_.children = {Leaf(mnuContextConfigure), Leaf(mnuContextTest), Leaf(mnuContextAbout), Separator(),
                             Leaf(mnuContextRename),    Leaf(mnuContextDelete), DynamicSubmenu(mnuContextCopy)};
    contextMenu_.onOpen = [this] { mnuEdit_Click(); };
    emuContextMenu_.children = {Leaf(mnuEmuContextEdit), Leaf(mnuEmuContextDelete)};
}

void frmMain::wireEvents() {
    for (int i = 0; i < kOptionCount; ++i) chkSettings[i].onClick = [this, i] { chkSettings_Click(i); };
    txtSettings.onClick = [this] { txtSettings_Click(); };
    txtSettings.onLostFocus = [this] { txtSettings_LostFocus(); };
    cmbCDROM.onClick = [this] { cmbCDROM_Click(); };
    sldTransparency.onChange = [this] { sldTransparency_Change(); };
    tmrTimer.onTimer = [this] { tmrTimer_Timer(); };
    onActivate = [this] { Form_Activate(); };
    onQueryUnload = [this] { return Form_QueryUnload(); };
    onUnload = [this] { Form_Unload(); };

    mnuFileExit.onClick = [this] { requestClose(); };
    for (int i = 0; i < kPluginKinds; ++i) {
        lstPluginList[i].onItemClick = [this, i] { lstPluginList_ItemClick(KindAt(i)); };
        lstPluginList[i].onRightClick = [this] { popupMenu(contextMenu_); };
    }
    // The context entries move the focus to their button first.
    const auto viaButton = [this](Button& button, void (frmMain::*command)()) {
        button.setFocus();
        (this->*command)();
    };
    mnuContextConfigure.onClick = [this, viaButton] { viaButton(cmdConfig, &frmMain::cmdConfig_Click); };
    mnuContextTest.onClick = [this, viaButton] { viaButton(cmdTest, &frmMain::cmdTest_Click); };
    mnuContextAbout.onClick = [this, viaButton] { viaButton(cmdAbout, &frmMain::cmdAbout_Click); };
    cmdConfig.onClick = [this] { cmdConfig_Click(); };
    cmdTest.onClick = [this] { cmdTest_Click(); };
    cmdAbout.onClick = [this] { cmdAbout_Click(); };
    mnuPluginsConfigure.onClick = [this] { cmdConfig_Click(); };
    mnuPluginsTest.onClick = [this] { cmdTest_Click(); };
    mnuPluginsAbout.onClick = [this] { cmdAbout_Click(); };
    mnuViewRefresh.onClick = [this] { RefreshCurrentPluginSet(false); };
    cmbEmuSelect.onClick = [this] { cmbEmuSelect_Click(); };
    cmdAddEmu.onClick = [this] { cmdAddEmu_Click(); };
    cmdEditEmu.onClick = [this] { cmdEditEmu_Click(); };
    cmdRemoveEmu.onClick = [this] { cmdRemoveEmu_Click(); };
    mnuEmuContextEdit.onClick = [this] { cmdEditEmu_Click(); };
    mnuEmuContextDelete.onClick = [this] { cmdRemoveEmu_Click(); };
    lstEmulators.onDoubleClick = [this] { cmdEditEmu_Click(); };
    lstEmulators.onRightClick = [this] {
        if (database_.Count() > 0) popupMenu(emuContextMenu_);
    };
    lstEmulators.onRename = [this](int row, const std::string& name) { return lstEmulators_Rename(row + 1, name); };
    cmdApply.onClick = [this] { cmdApply_Click(); };
    cmdLaunchEmu.onClick = [this] { cmdLaunchEmu_Click(); };
    mnuFileLaunchEmu.onClick = [this] { cmdLaunchEmu_Click(); };
    mnuFileLaunchCDRom.onClick = [this] { mnuFileLaunchCDRom_Click(); };
    mnuFileLaunchISOROM.onClick = [this] { mnuFileLaunchISOROM_Click(); };
    mnuFileSaveConfig.onClick = [this] { mnuFileSaveConfig_Click(); };
    mnuFileConfigEmu.onClick = [this] { mnuFileConfigEmu_Click(); };
    mnuFileCheckUpdates.onClick = [this] { mnuFileCheckUpdates_Click(); };
    mnuEditRename.onClick = [this] { mnuEditRename_Click(); };
    mnuContextRename.onClick = [this] { mnuEditRename_Click(); };
    mnuEditDelete.onClick = [this] { mnuEditDelete_Click(); };
    mnuContextDelete.onClick = [this] { mnuEditDelete_Click(); };
    mnuFileImportFiles.onClick = [this] { mnuFileImportFiles_Click(); };
    mnuFileImportFolder.onClick = [this] { mnuFileImportFolder_Click(); };
    mnuFileImportZip.onClick = [this] { mnuFileImportZip_Click(); };
    txtFloat.onKeyDown = [this](int key) { return txtFloat_KeyDown(key); };
    txtFloat.onLostFocus = [this] {
        if (!askingAboutRename_) txtFloat.setVisible(false);
    };
    mnuFileLoadConfig.onClick = [this] { mnuFileLoadConfig_Click(); };
    mnuToolsConfigN64Regpaths.onClick = [this] { mnuToolsConfigN64Regpaths_Click(); };
    mnuPluginsPadSelectionPad1.onClick = [this] { mnuPluginsPadSelection_Click(Pad::One); };
    mnuPluginsPadSelectionPad2.onClick = [this] { mnuPluginsPadSelection_Click(Pad::Two); };
    mnuEditEnableLogging.onClick = [this] { mnuEditEnableLogging_Click(); };
    const auto view = [this](MainPage page) {
        showPage(page);
        ssTabMain.setFocus();
    };
    mnuViewPSX.onClick = [view] { view(MainPage::PSX); };
    mnuViewN64.onClick = [view] { view(MainPage::N64); };
    mnuViewConfig.onClick = [view] { view(MainPage::Configuration); };
    mnuHelpAbout.onClick = [this] { showPage(MainPage::About); };
    mnuHelpReadMe.onClick = [this] { mnuHelpReadMe_Click(); };
    mnuHelpWebSite.onClick = [this] { services_.environment.shellOpen(kWebSite, ""); };
    mnuHelpCheckToolUpdate.onClick = [this] {
        services_.windows.messageBox(handle(), "Not implemented yet.", "Corvane", MessageIcon::Information,
                                     MessageButtons::Ok);
    };
    cmdExit.onClick = [this] { cmdExit_Click(); };
    cmdUpdateService.onClick = [this] { cmdUpdateService_Click(); };
}

void frmMain::chkSettings_Click(int index) {
    const bool checked = chkSettings[index].checked();
    if (index == OptionIndex(Option::Counters))
        for (auto& counter : lblPluginCount) counter.setVisible(checked);
    if (index == OptionIndex(Option::PluginUpdates)) {
        tmrTimer.setEnabled(checked);
        txtSettings.setEnabled(checked);
        option(Option::ToolUpdates).setEnabled(checked);
    }
}

void frmMain::txtSettings_Click() {
    if (heldInterval_.empty()) heldInterval_ = txtSettings.text();
}

void frmMain::txtSettings_LostFocus() {
    std::string digits;
    for (char c : txtSettings.text())
        if (c >= '0' && c <= '9') digits += c;
    txtSettings.setText(digits.empty() ? heldInterval_ : digits);
    heldInterval_.clear();
}

void frmMain::cmbCDROM_Click() { currentCDROM_ = cmbCDROM.text(); }

void frmMain::shareTransparency(Form& dialog) {
    if (!flags_.blLayeredWindows) return;
    dialog.onShown = [this, &dialog] {
        SetWindowAlpha(services_.windows, dialog.handle(), 255 - sldTransparency.value() * 155 / 100);
    };
}

void frmMain::sldTransparency_Change() {
    SetWindowAlpha(services_.windows, handle(), 255 - sldTransparency.value() * 155 / 100);
}

void frmMain::mnuEditEnableLogging_Click() { mnuEditEnableLogging.setChecked(log_.toggle()); }

void frmMain::mnuHelpReadMe_Click() {
    const std::string readMe = QualifyPath(programFolder_) + "readme.txt";
    if (!FileExists(services_.files, readMe)) return;
    // A system without a program for ".txt" files still has Notepad.
    if (!services_.environment.shellOpen(readMe, "")) services_.environment.shellOpen("notepad.exe", "\"" + readMe + "\"");
}

void frmMain::cmdExit_Click() { requestClose(); }

void frmMain::cmdUpdateService_Click() { services_.environment.shellOpen(serviceAddress_, ""); }

void frmMain::cmdConfig_Click() {
    if (confirmRun(selectedPlugin()) && commands_.Configure(selectedPlugin(), handle())) ssTabMain.setFocus();
}

void frmMain::cmdTest_Click() {
    if (confirmRun(selectedPlugin())) commands_.Test(selectedPlugin(), handle());
}

void frmMain::cmdAbout_Click() {
    if (confirmRun(selectedPlugin())) commands_.About(selectedPlugin(), handle());
}
