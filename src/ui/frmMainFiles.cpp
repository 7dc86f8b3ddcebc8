// Plug-in files: importing, copying to other folders, renaming, deleting.
#include "app/Helpers.h"
#include "files/ArchiveImport.h"
#include "files/PluginFileNames.h"
#include "ui/frmMain.h"

namespace {
constexpr unsigned kCopyFlags = ShellFlags::kConfirmMouse | ShellFlags::kNoConfirmation | ShellFlags::kAllowUndo;
constexpr unsigned kCopyFolderFlags = kCopyFlags | ShellFlags::kFilesOnly;
const char* const kProgress = "Please Wait...";
const char* const kSameFolder =
    "The source and destination directories for the import operation were found to be the same.";
}  // namespace

EmuSystem frmMain::systemOnScreen() const {
    if (page() == MainPage::N64) return EmuSystem::N64;
    if (page() == MainPage::PSX) return EmuSystem::PSX;
    const EmulatorEntry* entry = selectedEmulator();
    return entry && entry->System == EmuSystem::N64 ? EmuSystem::N64 : EmuSystem::PSX;
}

bool frmMain::shellCopy(const std::string& from, const std::string& to, unsigned flags) {
    return services_.files.shellFileOperation(ShellOperation::Copy, from, to, flags, kProgress, 0);
}

std::string frmMain::copyDestination(int destination, EmuSystem system) {
    if (destination >= 1 && database_.Has(destination)) return QualifyPath(database_.Entry(destination).Plugins);
    // The program's own folder of the system; made when it is missing.
    const std::string central = CentralFolder(programFolder_, system);
    if (!services_.files.isDirectory(central)) services_.files.createDirectory(central);
    return QualifyPath(central);
}

void frmMain::fillCopyMenu(MenuNode& menu, std::vector<std::unique_ptr<MenuItem>>& items,
                           const std::function<void(int)>& command) {
    items.clear();
    menu.children.clear();
    const auto add = [&](const std::string& caption, int destination) {
        items.push_back(std::make_unique<MenuItem>());
        items.back()->setCaption(caption);
        items.back()->onClick = [command, destination] { command(destination); };
        menu.children.push_back(Leaf(*items.back()));
    };
    if (cmbEmuSelect.listIndex() != 0) add("Tool Backups", 0);
    else menu.children.push_back(Separator());
    const EmuSystem system = systemOnScreen();
    for (int number = 1; number <= database_.Count(); ++number) {
        const EmulatorEntry& entry = database_.Entry(number);
        if (entry.System == system && number != cmbEmuSelect.listIndex()) add(entry.Name, number);
    }
}

void frmMain::mnuEdit_Click() {
    fillCopyMenu(menuBar_.children[1].children[2], copyItems_, [this](int to) { CopyPlugin(to); });
    fillCopyMenu(menuBar_.children[1].children[3], copyAllItems_, [this](int to) { CopyAllPlugins(to); });
    fillCopyMenu(contextMenu_.children[6], contextCopyItems_, [this](int to) { CopyPlugin(to); });
}

void frmMain::CopyPlugin(int destination) {
    const PluginSelection selection = selectedPlugin();
    if (selection.path.empty()) return;
    const std::string target = copyDestination(destination, SystemOf(selection.kind)) + ParseFileName(selection.path);
    // A copy onto itself does nothing.
    if (SamePath(services_.files, ParsePath(selection.path), ParsePath(target))) return;
    log_.logMsg("Copying plugin " + selection.path + " to " + target);
    if (!shellCopy(selection.path, target, kCopyFlags))
        services_.windows.messageBox(handle(), "An error occured while attempting to copy " + selection.path + "!",
                                     "Error While Copying!", MessageIcon::Critical, MessageButtons::Ok);
}

void frmMain::CopyAllPlugins(int destination) {
    const EmuSystem system = systemOnScreen();
    const std::string source = catalogue(system).folder;
    const std::string target = copyDestination(destination, system);
    if (SamePath(services_.files, source, target) || !HasFiles(services_.files, source)) return;
    log_.logMsg("Copying all plugins from " + source + " to " + target);
    if (!shellCopy(source + "*.*", target, kCopyFolderFlags))
        services_.windows.messageBox(handle(),
                                     "An error occured while trying to copy the plugins to the specified directory!",
                                     "Error While Copying!", MessageIcon::Critical, MessageButtons::Ok);
}

void frmMain::mnuEditRename_Click() {
    const PluginSelection selection = selectedPlugin();
    if (selection.path.empty()) {
        services_.windows.messageBox(handle(), "You'll need to select a plugin first.", "Select a Plugin",
                                     MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    txtFloat.setText(ParseFileName(selection.path));
    if (onPlaceFloat) onPlaceFloat(selection.kind, lstPluginList[ListIndex(selection.kind)].selectedIndex());
    txtFloat.setVisible(true);
    txtFloat.setFocus();
    txtFloat.select(0, static_cast<int>(txtFloat.text().size()));
}

bool frmMain::txtFloat_KeyDown(int key) {
    if (key == Keys::kEscape) {
        hideRenameEditor();
        return true;
    }
    if (key != Keys::kEnter) return false;
    commitRename();
    return true;
}

void frmMain::commitRename() {
    const PluginSelection selection = selectedPlugin();
    if (selection.path.empty()) {
        txtFloat.setVisible(false);
        return;
    }
    const std::string folder = ParsePath(selection.path);
    const std::string old = ParseFileName(selection.path);
    // What is stored is what is checked: blanks and folder separators go
    // first.
    const std::string name = CleanPluginFileName(txtFloat.text());
    if (name == old) {
        hideRenameEditor();
        return;
    }
    if (const auto problem = RenameProblem(services_.files, folder, old, name)) {
        askDuringRename(*problem, "Illegal Filename", MessageIcon::Exclamation, MessageButtons::Ok);
        txtFloat.setFocus();
        txtFloat.select(0, static_cast<int>(txtFloat.text().size()));
        return;
    }
    if (option(Option::ConfirmRename).checked() &&
        askDuringRename("WARNING: You are about to change the filename for " + old +
                            ".\r\n\r\nRenaming a plugin will disable it from being updated through the plugin "
                            "update feature of this tool.  Are you sure you want to continue?",
                        "Rename Plugin", MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) {
        txtFloat.setText(old);
        txtFloat.setFocus();
        return;
    }
    hideRenameEditor();
    if (!RenamePluginFile(services_.files, folder, old, name)) {
        services_.windows.messageBox(handle(), "An error occured while attemtping to rename " + old + "!",
                                     "Error While Renaming!", MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    log_.logMsg("Renamed plugin " + old + " to " + name);
    // The row and the selection follow the file only once it is renamed.
    const EmuSystem system = SystemOf(selection.kind);
    const int row = lstPluginList[ListIndex(selection.kind)].selectedIndex();
    catalogues_[system == EmuSystem::PSX ? 0 : 1].list(selection.kind)[static_cast<std::size_t>(row)].fileName = name;
    bindCatalogue(system);
    lstPluginList[ListIndex(selection.kind)].setSelectedIndex(row);
    reflectPluginSelection();
}

// The keyboard goes back to the list the editor lay over.
void frmMain::hideRenameEditor() {
    txtFloat.setVisible(false);
    const PluginSelection selection = selectedPlugin();
    if (!selection.path.empty()) lstPluginList[ListIndex(selection.kind)].setFocus();
}

MessageAnswer frmMain::askDuringRename(const std::string& text, const char* title, MessageIcon icon,
                                       MessageButtons buttons) {
    askingAboutRename_ = true;
    const MessageAnswer answer = services_.windows.messageBox(handle(), text, title, icon, buttons);
    askingAboutRename_ = false;
    return answer;
}

void frmMain::mnuEditDelete_Click() {
    const PluginSelection selection = selectedPlugin();
    if (selection.path.empty()) return;
    const std::string fileName = ParseFileName(selection.path);
    log_.logMsg("Deleting plugin " + fileName);
    bool deleted;
    if (option(Option::Delete).checked()) {
        // Gone for good: the user says so first.
        if (services_.windows.messageBox(handle(),
                                         "Are you sure you want to permanently delete " + fileName +
                                             "?  It will not be sent to the recycle bin.",
                                         "Delete Plugin", MessageIcon::Question,
                                         MessageButtons::YesNo) != MessageAnswer::Yes)
            return;
        deleted = services_.files.deleteFile(selection.path);
    } else {
        deleted = services_.files.shellFileOperation(
            ShellOperation::Delete, selection.path, "",
            ShellFlags::kAllowUndo | ShellFlags::kNoConfirmation | ShellFlags::kWantNukeWarning, kProgress, handle());
    }
    if (!deleted) {
        services_.windows.messageBox(handle(), "Deletion of " + fileName + " failed!", "Deletion Error!",
                                     MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    const EmuSystem system = SystemOf(selection.kind);
    ListView& list = lstPluginList[ListIndex(selection.kind)];
    const int row = list.selectedIndex();
    auto& records = catalogues_[system == EmuSystem::PSX ? 0 : 1].list(selection.kind);
    records.erase(records.begin() + row);
    bindCatalogue(system);
    lblPluginName.setCaption("Plugin Name");
    if (list.rows().empty()) return;
    list.setSelectedIndex(std::min(row, static_cast<int>(list.rows().size()) - 1));
    lstPluginList_ItemClick(selection.kind);
}

void frmMain::afterImport() {
    services_.windows.setBusyCursor(false);
    RefreshCurrentPluginSet(false);
}

void frmMain::mnuFileImportFiles_Click() {
    const auto chosen = services_.windows.openFiles(
        handle(), "Select the file(s) to import",
        {{"Dynamic Link Libraries (*.dll)", "*.dll"}, {"All Files (*.*)", "*.*"}});
    if (chosen.empty()) return;
    const std::string destination = catalogue(systemOnScreen()).folder;
    log_.logMsg("Importing selected files to " + destination);
    for (const std::string& path : chosen) {
        const std::string name = ParseFileName(path);
        if (!shellCopy(path, destination + name, kCopyFlags)) {
            services_.windows.messageBox(handle(), "There was an error while importing " + name,
                                         "Error While Importing", MessageIcon::Critical, MessageButtons::Ok);
            continue;
        }
        log_.logMsg("Imported file " + name);
    }
    afterImport();
}

void frmMain::mnuFileImportFolder_Click() {
    const std::string folder = BrowseForFolder(services_.windows, handle(), "Select a directory to import from:");
    if (folder == "\\") return;
    const std::string destination = catalogue(systemOnScreen()).folder;
    if (SamePath(services_.files, folder, destination)) {
        services_.windows.messageBox(handle(), std::string(kSameFolder) + "\r\nPlease select a different source directory.",
                                     "Invalid Operation!", MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    log_.logMsg("Importing files from " + folder + " to " + destination);
    // An empty folder has nothing to copy, which is no failure.
    if (HasFiles(services_.files, folder) && !shellCopy(folder + "*.*", destination, kCopyFolderFlags))
        services_.windows.messageBox(handle(), "An error occured while trying to import the directory!",
                                     "Error While Importing!", MessageIcon::Critical, MessageButtons::Ok);
    afterImport();
}

void frmMain::mnuFileImportZip_Click() {
    const auto chosen = services_.windows.openFile(handle(), "Select the zip archive you want to import from:",
                                                   "Zip Archives (*.zip)", "*.zip", "zip");
    if (!chosen || chosen->empty()) return;
    const std::string archive = chosen->substr(0, chosen->find('\0'));
    services_.windows.setBusyCursor(true);
    const std::string destination = catalogue(systemOnScreen()).folder;
    log_.logMsg("Importing files from zip " + archive + " to " + destination);
    services_.files.setCurrentDirectory(programFolder_);
    const ArchiveResult result = ExtractArchive(services_.extraction, archive, destination);
    for (const std::string& refused : result.refused) log_.logMsg("Entry not imported: " + refused);
    services_.windows.setBusyCursor(false);
    if (!result.ok())
        services_.windows.messageBox(handle(),
                                     "An error occured while importing from " + archive + ":\r\n" + result.problem(),
                                     "Error While Importing!", MessageIcon::Critical, MessageButtons::Ok);
    afterImport();
}

void frmMain::ssTabMain_Drop(const std::vector<std::string>& paths) {
    if (page() != MainPage::PSX && page() != MainPage::N64) {
        services_.windows.messageBox(handle(), "Plugins can only be dropped on the PSX Plugins and N64 Plugins pages.",
                                     "Invalid Operation!", MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    const std::string destination = catalogue(systemOnScreen()).folder;
    for (const std::string& path : paths) {
        if (services_.files.isDirectory(path)) {
            const std::string folder = QualifyPath(path);
            if (SamePath(services_.files, folder, destination))
                services_.windows.messageBox(handle(), kSameFolder, "Invalid Operation!", MessageIcon::Critical,
                                             MessageButtons::Ok);
            else if (HasFiles(services_.files, folder) && !shellCopy(folder + "*.*", destination, kCopyFolderFlags))
                services_.windows.messageBox(handle(), "An error occured while trying to import the directory!",
                                             "Error While Importing!", MessageIcon::Critical, MessageButtons::Ok);
        } else if (!shellCopy(path, destination + ParseFileName(path), kCopyFlags)) {
            services_.windows.messageBox(handle(), "There was an error while importing " + ParseFileName(path),
                                         "Error While Importing", MessageIcon::Critical, MessageButtons::Ok);
        }
    }
    RefreshCurrentPluginSet(false);
}
