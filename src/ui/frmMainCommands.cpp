// The user's commands in the main window: each asks what only the window
// can ask (a page, a file, a row) and hands the rest to the session.
#include "app/Helpers.h"
#include "session/FileCommands.h"
#include "session/LaunchCommands.h"
#include "session/UpdateCommands.h"
#include "ui/frmMain.h"

namespace {
// Shows a dialog modally through the back end; without one (in tests) the
// dialog stays open for the test to drive, and `closed` runs when it
// unloads.
template <typename Dialog>
void Open(std::unique_ptr<Dialog>& dialog, const std::function<void(Dialog&)>& show,
          const std::function<void()>& closed) {
    if (!show) {
        dialog->onUnload = closed;
        return;
    }
    show(*dialog);
    dialog.reset();
    if (closed) closed();
}
}  // namespace

void frmMain::wireCommands() {
    // The context entries move the focus to their button first.
    const auto viaButton = [](Button& button) {
        button.setFocus();
        button.onClick();
    };
    cmdConfig.onClick = [this] {
        if (session_.configure(handle())) ssTabMain.setFocus();
    };
    cmdTest.onClick = [this] { session_.test(handle()); };
    cmdAbout.onClick = [this] { session_.about(handle()); };
    mnuContextConfigure.onClick = [this, viaButton] { viaButton(cmdConfig); };
    mnuContextTest.onClick = [this, viaButton] { viaButton(cmdTest); };
    mnuContextAbout.onClick = [this, viaButton] { viaButton(cmdAbout); };
    mnuPluginsConfigure.onClick = [this] { cmdConfig.onClick(); };
    mnuPluginsTest.onClick = [this] { cmdTest.onClick(); };
    mnuPluginsAbout.onClick = [this] { cmdAbout.onClick(); };
    mnuPluginsPadSelectionPad1.onClick = [this] { session_.showPad(Pad::One); };
    mnuPluginsPadSelectionPad2.onClick = [this] { session_.showPad(Pad::Two); };
    mnuViewRefresh.onClick = [this] { session_.refresh(systemsOnPage()); };
    cmdApply.onClick = [this] { session_.apply(); };
    cmdAddEmu.onClick = [this] { openAddEmu(frmAddEmu::Mode::Add, session_.emulators().Count() + 1); };
    cmdEditEmu.onClick = [this] {
        const int number = lstEmulators.selectedIndex() + 1;
        if (session_.emulators().Has(number)) openAddEmu(frmAddEmu::Mode::Edit, number);
    };
    cmdRemoveEmu.onClick = [this] { cmdRemoveEmu_Click(); };
    mnuEmuContextEdit.onClick = [this] { cmdEditEmu.onClick(); };
    mnuEmuContextDelete.onClick = [this] { cmdRemoveEmu_Click(); };
    lstEmulators.onDoubleClick = [this] { cmdEditEmu.onClick(); };
    cmdLaunchEmu.onClick = [this] { session_.launches().launch(LaunchKind::Plain); };
    mnuFileLaunchEmu.onClick = [this] { session_.launches().launch(LaunchKind::Plain); };
    mnuFileLaunchCDRom.onClick = [this] { session_.launches().launch(LaunchKind::CD); };
    mnuFileLaunchISOROM.onClick = [this] { session_.launches().launch(LaunchKind::Image); };
    mnuFileSaveConfig.onClick = [this] { mnuFileSaveConfig_Click(); };
    mnuFileLoadConfig.onClick = [this] { mnuFileLoadConfig_Click(); };
    mnuFileConfigEmu.onClick = [this] { mnuFileConfigEmu_Click(); };
    mnuToolsConfigN64Regpaths.onClick = [this] { mnuToolsConfigN64Regpaths_Click(); };
    mnuFileCheckUpdates.onClick = [this] { updates_.open(false); };
    mnuPluginsUndoUpdate.onClick = [this] { session_.updates().undoLast(); };
    mnuEditRename.onClick = [this] { mnuEditRename_Click(); };
    mnuContextRename.onClick = [this] { mnuEditRename_Click(); };
    mnuEditDelete.onClick = [this] { mnuEditDelete_Click(); };
    mnuContextDelete.onClick = [this] { mnuEditDelete_Click(); };
    mnuFileImportFiles.onClick = [this] { mnuFileImportFiles_Click(); };
    mnuFileImportFolder.onClick = [this] { mnuFileImportFolder_Click(); };
    mnuFileImportZip.onClick = [this] { mnuFileImportZip_Click(); };
}

void frmMain::mnuHelpReadMe_Click() {
    const std::string readMe = QualifyPath(session_.programFolder()) + "readme.txt";
    if (!FileExists(services_.files, readMe)) return;
    // A system without a program for ".txt" files still has Notepad.
    if (!services_.environment.shellOpen(readMe, "")) services_.environment.shellOpen("notepad.exe", "\"" + readMe + "\"");
}

void frmMain::fillCopyMenu(const MenuItem& submenu, std::vector<std::unique_ptr<MenuItem>>& items,
                           const std::function<void(int)>& command) {
    MenuNode& menu = menuOf(submenu);
    items.clear();
    menu.children.clear();
    const std::vector<CopyDestination> destinations = session_.files().copyDestinations(systemOnScreen());
    // Where the own folder is the one shown, a separator stands in its place.
    if (destinations.empty() || destinations.front().number != 0) menu.children.push_back(Separator());
    for (const CopyDestination& destination : destinations) {
        items.push_back(std::make_unique<MenuItem>());
        items.back()->setCaption(destination.caption);
        items.back()->onClick = [command, number = destination.number] { command(number); };
        menu.children.push_back(Leaf(*items.back()));
    }
}

void frmMain::mnuEdit_Click() {
    const auto copy = [this](int to) { session_.files().copy(to); };
    fillCopyMenu(mnuEditCopy, copyItems_, copy);
    fillCopyMenu(mnuEditCopyAll, copyAllItems_, [this](int to) { session_.files().copyAll(to, systemOnScreen()); });
    fillCopyMenu(mnuContextCopy, contextCopyItems_, copy);
}

void frmMain::mnuPluginsSkipped_Open() {
    MenuNode& menu = menuOf(mnuPluginsSkipped);
    skippedItems_.clear();
    menu.children.clear();
    for (const StoredProbe& entry : session_.probeStore().quarantined()) {
        skippedItems_.push_back(std::make_unique<MenuItem>());
        MenuItem& item = *skippedItems_.back();
        item.setCaption("Check " + ParseFileName(entry.file.path) + " again (" + entry.reason + " on " +
                        FailureDate(services_.clock, entry) + ")");
        item.onClick = [this, path = entry.file.path] { session_.retry(path); };
        menu.children.push_back(Leaf(item));
    }
    if (!menu.children.empty()) return;
    skippedItems_.push_back(std::make_unique<MenuItem>());
    skippedItems_.back()->setCaption("(none)");
    skippedItems_.back()->setEnabled(false);
    menu.children.push_back(Leaf(*skippedItems_.back()));
}

void frmMain::mnuEditRename_Click() {
    const PluginSelection selection = session_.lists().commandTarget();
    if (selection.path.empty()) {
        user_.tell("Select a Plugin", "You'll need to select a plugin first.", MessageIcon::Exclamation);
        return;
    }
    txtFloat.setText(ParseFileName(selection.path));
    if (onPlaceFloat) onPlaceFloat(selection.kind, lstPluginList[ListIndex(selection.kind)].selectedIndex());
    txtFloat.setVisible(true);
    txtFloat.setFocus();
    txtFloat.select(0, static_cast<int>(txtFloat.text().size()));
}

bool frmMain::txtFloat_KeyDown(int key) {
    if (key == Keys::kEscape) hideRenameEditor();
    else if (key == Keys::kEnter) commitRename();
    return key == Keys::kEscape || key == Keys::kEnter;
}

void frmMain::commitRename() {
    // The editor keeps its text and stays over the row while a box about
    // the name is up.
    askingAboutRename_ = true;
    const RenameCheck check = session_.files().checkRename(txtFloat.text());
    askingAboutRename_ = false;
    switch (check.verdict) {
        case RenameVerdict::Unchanged: return hideRenameEditor();
        case RenameVerdict::Refused:
            txtFloat.setFocus();
            txtFloat.select(0, static_cast<int>(txtFloat.text().size()));
            return;
        case RenameVerdict::Declined:
            txtFloat.setText(check.name);
            txtFloat.setFocus();
            return;
        case RenameVerdict::Proceed:
            hideRenameEditor();
            session_.files().rename(check.name);
            return;
    }
}

// The keyboard goes back to the list the editor lay over.
void frmMain::hideRenameEditor() {
    txtFloat.setVisible(false);
    const PluginSelection selection = session_.lists().commandTarget();
    if (!selection.path.empty()) lstPluginList[ListIndex(selection.kind)].setFocus();
}

void frmMain::mnuEditDelete_Click() {
    const PluginSelection selection = session_.lists().commandTarget();
    if (!session_.files().remove(handle())) return;
    lblPluginName.setCaption("Plugin Name");
    if (!lstPluginList[ListIndex(selection.kind)].rows().empty()) lstPluginList_ItemClick(selection.kind);
}

void frmMain::importInto(bool changed) {
    if (changed) session_.refresh(systemsOnPage());
}

void frmMain::mnuFileImportFiles_Click() {
    importInto(session_.files().importFiles(
        services_.windows.openFiles(handle(), "Select the file(s) to import",
                                    {{"Dynamic Link Libraries (*.dll)", "*.dll"}, {"All Files (*.*)", "*.*"}}),
        systemOnScreen()));
}

void frmMain::mnuFileImportFolder_Click() {
    const std::string folder = BrowseForFolder(services_.windows, handle(), "Select a directory to import from:");
    if (folder != "\\") importInto(session_.files().importFolder(folder, systemOnScreen()));
}

void frmMain::mnuFileImportZip_Click() {
    const auto chosen = services_.windows.openFile(handle(), "Select the zip archive you want to import from:",
                                                   "Zip Archives (*.zip)", "*.zip", "zip");
    if (chosen && !chosen->empty())
        importInto(session_.files().importZip(chosen->substr(0, chosen->find('\0')), systemOnScreen()));
}

void frmMain::ssTabMain_Drop(const std::vector<std::string>& paths) {
    if (page() != MainPage::PSX && page() != MainPage::N64) {
        user_.tell("Invalid Operation!", "Plugins can only be dropped on the PSX Plugins and N64 Plugins pages.",
                   MessageIcon::Exclamation);
        return;
    }
    session_.files().drop(paths, systemOnScreen());
    session_.refresh(systemsOnPage());
}

void frmMain::openAddEmu(frmAddEmu::Mode mode, int row) {
    addEmu_ = std::make_unique<frmAddEmu>(session_, mode, row);
    shareTransparency(*addEmu_);
    Open(addEmu_, showAddEmu, {});
}

void frmMain::cmdRemoveEmu_Click() {
    removingEmulator_ = true;
    session_.removeEmulator(lstEmulators.selectedIndex() + 1);
    removingEmulator_ = false;
}

void frmMain::mnuFileSaveConfig_Click() {
    const std::vector<EmuSystem> shown = systemsOnPage();
    saveConfig_ = std::make_unique<frmSaveConfig>(
        session_, shown.empty() ? std::nullopt : std::optional<EmuSystem>(shown.front()));
    shareTransparency(*saveConfig_);
    Open(saveConfig_, showSaveConfig, {});
}

void frmMain::mnuFileLoadConfig_Click() {
    loadConfig_ = std::make_unique<frmLoadConfig>(session_);
    shareTransparency(*loadConfig_);
    // The registry may hold other plug-ins now: the lists show them.
    Open(loadConfig_, showLoadConfig, [this] {
        for (EmuSystem system : systemsOnPage()) session_.rereadActive(system);
    });
}

void frmMain::mnuToolsConfigN64Regpaths_Click() {
    n64Paths_ = std::make_unique<frmConfigN64Regpaths>(session_);
    shareTransparency(*n64Paths_);
    Open(n64Paths_, showN64Paths, {});
}

void frmMain::mnuFileConfigEmu_Click() {
    ePSXeConf_ = std::make_unique<frmePSXeConf>(services_, session_.cdromDrives());
    shareTransparency(*ePSXeConf_);
    Open(ePSXeConf_, showEPSXeConf, {});
}
