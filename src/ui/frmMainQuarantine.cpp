// Libraries in quarantine: the status line after a scan, the submenu that
// lists them and checks one again, and the question before a command runs
// a library that once stopped the check.
#include "app/Helpers.h"
#include "ui/frmMain.h"

std::string frmMain::skippedText() const {
    const int skipped = skipped_[0] + skipped_[1];
    if (skipped == 0) return "";
    return std::to_string(skipped) + (skipped == 1 ? " plugin was" : " plugins were") +
           " skipped: they stopped the plugin check (Plugins > Skipped Plugins)";
}

void frmMain::mnuPluginsSkipped_Open() {
    MenuNode& menu = menuBar_.children[3].children[6];
    skippedItems_.clear();
    menu.children.clear();
    for (const StoredProbe& entry : probeStore_.quarantined()) {
        skippedItems_.push_back(std::make_unique<MenuItem>());
        MenuItem& item = *skippedItems_.back();
        item.setCaption("Check " + ParseFileName(entry.file.path) + " again (" + entry.reason + " on " +
                        FailureDate(services_.clock, entry) + ")");
        item.onClick = [this, path = entry.file.path] { retryQuarantined(path); };
        menu.children.push_back(Leaf(item));
    }
    if (!menu.children.empty()) return;
    skippedItems_.push_back(std::make_unique<MenuItem>());
    skippedItems_.back()->setCaption("(none)");
    skippedItems_.back()->setEnabled(false);
    menu.children.push_back(Leaf(*skippedItems_.back()));
}

void frmMain::retryQuarantined(const std::string& path) {
    probeStore_.retry(path);
    log_.logMsg("Checking " + ParseFileName(path) + " again...", true);
    const bool n64 = LowerCase(ParsePath(path)) == LowerCase(catalogue(EmuSystem::N64).folder);
    const EmuSystem system = n64 ? EmuSystem::N64 : EmuSystem::PSX;
    scan(system);
    if (cmbEmuSelect.listIndex() != 0) readActiveSelection(system);
}

bool frmMain::confirmRun(const PluginSelection& selection) {
    const StoredProbe* entry = probeStore_.findPath(selection.path);
    if (selection.path.empty() || !entry || !entry->everFailed()) return true;
    const std::string question = ParseFileName(selection.path) + " crashed Corvane's plug-in check on " +
                                 FailureDate(services_.clock, *entry) + ". Run it anyway?";
    return services_.windows.messageBox(handle(), question, "Corvane", MessageIcon::Exclamation,
                                        MessageButtons::YesNo) == MessageAnswer::Yes;
}
