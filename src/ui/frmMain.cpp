#include "ui/frmMain.h"

#include "app/Version.h"

namespace {
std::vector<ListColumn> PluginColumns(EmuSystem system) {
    std::vector<ListColumn> columns{{"Plugin Name", 170}};
    if (system == EmuSystem::PSX) columns.push_back({"Version", 60});
    columns.push_back({"Released", 110});
    columns.push_back({"FileName", 110});
    return columns;
}

template <typename Node>
Node* FindMenu(Node& node, const MenuItem& item) {
    if (node.item == &item) return &node;
    for (Node& child : node.children)
        if (Node* found = FindMenu(child, item)) return found;
    return nullptr;
}
}  // namespace

frmMain::frmMain(Services& services, AppFlags& flags, frmSplash& splash)
    : services_(services), flags_(flags), splash_(splash), user_(services.windows), session_(services, flags, user_),
      m_frmSysTray(services) {
    buildControls();
    buildMenus();
    wireEvents();
    wireCommands();
    wireTray();
    wireSession();
}

frmMain::~frmMain() = default;

std::string frmMain::versionCaption() const {
    return "Orvisk's Corvane v" + std::to_string(CORVANE_VERSION_MAJOR) + "." + std::to_string(CORVANE_VERSION_MINOR) +
           "." + std::to_string(CORVANE_VERSION_REVISION);
}

const MenuNode& frmMain::menuOf(const MenuItem& item) const {
    const MenuNode* found = FindMenu(menuBar_, item);
    return found ? *found : *FindMenu(contextMenu_, item);
}

MenuNode& frmMain::menuOf(const MenuItem& item) {
    MenuNode* found = FindMenu(menuBar_, item);
    return found ? *found : *FindMenu(contextMenu_, item);
}

void frmMain::buildControls() {
    ssTabMain.setTabs({" PSX Plugins", "N64 Plugins", " Configuration", " About"});
    for (int i = 0; i < kPluginKinds; ++i) lstPluginList[i].setColumns(PluginColumns(SystemOf(KindAt(i))));
    for (EmuSystem system : kSystems) bindCatalogue(system);
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
    lblServiceAddress.setCaption("Plugin update service:");
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
        {&mnuPluginsPadSelectionPad2, "Pad 2"}, {&mnuPluginsSkipped, "&Skipped Plugins"},
        {&mnuPluginsUndoUpdate, "&Undo Last Plugin Update"}, {&mnuTools, "&Tools"},
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
    MenuNode skipped = DynamicSubmenu(mnuPluginsSkipped);
    skipped.onOpen = [this] { mnuPluginsSkipped_Open(); };
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
                             Separator(), skipped, Leaf(mnuPluginsUndoUpdate)}),
        Submenu(mnuTools, {Leaf(mnuToolsConfigN64Regpaths)}),
        Submenu(mnuHelp, {Leaf(mnuHelpReadMe), Leaf(mnuHelpWebSite), Leaf(mnuHelpCheckToolUpdate), Separator(),
                          Leaf(mnuHelpAbout)}),
    };
    contextMenu_.children = {Leaf(mnuContextConfigure), Leaf(mnuContextTest), Leaf(mnuContextAbout), Separator(),
                             Leaf(mnuContextRename),    Leaf(mnuContextDelete), DynamicSubmenu(mnuContextCopy)};
    contextMenu_.onOpen = [this] { mnuEdit_Click(); };
    emuContextMenu_.children = {Leaf(mnuEmuContextEdit), Leaf(mnuEmuContextDelete)};
}

void frmMain::wireEvents() {
    for (int i = 0; i < kOptionCount; ++i) chkSettings[i].onClick = [this, i] { chkSettings_Click(i); };
    txtSettings.onClick = [this] {
        if (heldInterval_.empty()) heldInterval_ = txtSettings.text();
    };
    txtSettings.onChange = [this] { session_.settings().interval = txtSettings.text(); };
    txtSettings.onLostFocus = [this] { txtSettings_LostFocus(); };
    cmbCDROM.onClick = [this] { session_.chooseCDROM(cmbCDROM.listIndex()); };
    sldTransparency.onChange = [this] {
        session_.settings().transparency = sldTransparency.value();
        services_.windows.setWindowAlpha(handle(), alpha());
    };
    tmrTimer.onTimer = [this] { tmrTimer_Timer(); };
    onActivate = [this] { Form_Activate(); };
    onQueryUnload = [this] { return Form_QueryUnload(); };
    onUnload = [this] { Form_Unload(); };
    onResize = [this] { Form_Resize(); };
    for (int i = 0; i < kPluginKinds; ++i) {
        lstPluginList[i].onItemClick = [this, i] { lstPluginList_ItemClick(KindAt(i)); };
        lstPluginList[i].onRightClick = [this] { popupMenu(contextMenu_); };
    }
    cmbEmuSelect.onClick = [this] { cmbEmuSelect_Click(); };
    lstEmulators.onRightClick = [this] {
        if (session_.emulators().Count() > 0) popupMenu(emuContextMenu_);
    };
    lstEmulators.onRename = [this](int row, const std::string& name) {
        return session_.renameEmulator(row + 1, name);
    };
    txtFloat.onKeyDown = [this](int key) { return txtFloat_KeyDown(key); };
    txtFloat.onLostFocus = [this] {
        if (!askingAboutRename_) txtFloat.setVisible(false);
    };
    const auto view = [this](MainPage page) {
        showPage(page);
        ssTabMain.setFocus();
    };
    mnuViewPSX.onClick = [view] { view(MainPage::PSX); };
    mnuViewN64.onClick = [view] { view(MainPage::N64); };
    mnuViewConfig.onClick = [view] { view(MainPage::Configuration); };
    mnuHelpAbout.onClick = [this] { showPage(MainPage::About); };
    mnuHelpReadMe.onClick = [this] { mnuHelpReadMe_Click(); };
    mnuHelpWebSite.onClick = [this] { services_.environment.shellOpen(session_.settings().webSite, ""); };
    mnuHelpCheckToolUpdate.onClick = [this] { user_.tell("Corvane", "Not implemented yet.", MessageIcon::Information); };
    mnuFileExit.onClick = [this] { requestClose(); };
    cmdExit.onClick = [this] { requestClose(); };
    cmdUpdateService.onClick = [this] { services_.environment.shellOpen(session_.serviceAddress(), ""); };
    txtServiceAddress.onChange = [this] {
        session_.settings().serviceAddress = txtServiceAddress.text();
        cmdUpdateService.setEnabled(!session_.serviceAddress().empty());
    };
    mnuEditEnableLogging.onClick = [this] { mnuEditEnableLogging.setChecked(session_.toggleLogging()); };
}

void frmMain::chkSettings_Click(int index) {
    const bool checked = chkSettings[index].checked();
    session_.settings().options[static_cast<std::size_t>(index)] = checked;
    if (index == OptionIndex(Option::Counters))
        for (auto& counter : lblPluginCount) counter.setVisible(checked);
    if (index == OptionIndex(Option::PluginUpdates)) {
        tmrTimer.setEnabled(checked);
        txtSettings.setEnabled(checked);
        option(Option::ToolUpdates).setEnabled(checked);
    }
}

void frmMain::txtSettings_LostFocus() {
    std::string digits;
    for (char c : txtSettings.text())
        if (c >= '0' && c <= '9') digits += c;
    txtSettings.setText(digits.empty() ? heldInterval_ : digits);
    session_.settings().interval = txtSettings.text();
    heldInterval_.clear();
}

int frmMain::alpha() const { return 255 - sldTransparency.value() * 155 / 100; }

void frmMain::shareTransparency(Form& dialog) {
    if (!flags_.blLayeredWindows) return;
    dialog.onShown = [this, &dialog] { services_.windows.setWindowAlpha(dialog.handle(), alpha()); };
}
