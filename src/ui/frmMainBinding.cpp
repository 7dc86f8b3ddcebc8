// The main window's controls bound to the session: the emulator list and
// selector, the plug-in lists and their chosen rows, the launch commands.
#include <algorithm>

#include "app/Helpers.h"
#include "ui/frmMain.h"

namespace {
ListRow EmulatorRow(const EmulatorEntry& entry) {
    return ListRow{entry.Name, SystemCode(entry.System), {entry.Type, entry.Exe, entry.Plugins}};
}

ListRow PluginRow(const PluginRecord& record, IClock& clock, const std::vector<std::string>& updatable) {
    ListRow row{record.name, IconOf(record.kind), {}, false};
    row.highlighted = std::find(updatable.begin(), updatable.end(), record.fileName) != updatable.end();
    if (SystemOf(record.kind) == EmuSystem::PSX) row.subItems.push_back(record.version);
    row.subItems.push_back(record.core ? std::string() : FormatFileDate(clock, record.released));
    row.subItems.push_back(record.fileName);
    return row;
}

std::string CounterText(std::size_t count, PluginKind kind) {
    return std::to_string(count) + " " + TypeLabel(kind) + " " + (count == 1 ? "Plugin" : "Plugins") + " Detected ";
}
}  // namespace

void frmMain::wireSession() {
    session_.onChange = [this](SessionChange what, EmuSystem system) { sessionChanged(what, system); };
    user_.onStatus = [this](const std::string& text) { lblStatus.setCaption(text); };
    // Progress shows in the update window while it is loaded, else on the
    // splash (which shows it only while it is up, at start-up).
    user_.onProgress = [this](const std::string& text, int done, int total) {
        if (frmUpdate* update = updates_.dialog()) update->progress(text, done, total);
        else splash_.UpdateSplashStatus(text);
    };
}

void frmMain::sessionChanged(SessionChange what, EmuSystem system) {
    switch (what) {
        case SessionChange::Emulators: return bindEmulators();
        case SessionChange::Selection: return bindSelection();
        case SessionChange::Catalogue: return bindCatalogue(system);
        case SessionChange::Choice: return bindChoice(system);
        case SessionChange::LaunchOptions: return bindLaunchOptions();
        case SessionChange::LaunchBegins: return setWindowState(WindowState::Minimized);
        case SessionChange::LaunchEnded: return restoreMain();
    }
}

void frmMain::bindEmulators() {
    const EmulatorDatabase& emulators = session_.emulators();
    const int row = lstEmulators.selectedIndex();
    std::vector<ListRow> rows;
    std::vector<std::string> items{kOwnFoldersEntry};
    for (const EmulatorEntry& entry : emulators.Entries()) {
        rows.push_back(EmulatorRow(entry));
        items.push_back(SelectorText(entry));
    }
    lstEmulators.setRows(std::move(rows));
    lstEmulators.setSelectedIndex(row);
    cmbEmuSelect.setItems(std::move(items));
    cmbEmuSelect.setListIndex(session_.selected());
    cmdEditEmu.setEnabled(emulators.Count() > 0);
    cmdRemoveEmu.setEnabled(emulators.Count() > 0);
}

void frmMain::bindSelection() {
    cmbEmuSelect.setListIndex(session_.selected());
    const EmulatorEntry* entry = session_.selectedEmulator();
    if (!entry) {
        cmdApply.setEnabled(false);
        mnuFileConfigEmu.setEnabled(false);
        return;
    }
    const EmuSystem system = entry->System == EmuSystem::PSX ? EmuSystem::PSX : EmuSystem::N64;
    const EmulatorType* type = TypeNamed(entry->Type, entry->System);
    // ePSXe keeps no pad plug-ins in its settings; its own settings window
    // is the one to use instead.
    const bool ePSXe = type && type->kind == EmulatorKind::ePSXe;
    if (system == EmuSystem::PSX) mnuPluginsPadSelection.setEnabled(!ePSXe);
    mnuFileConfigEmu.setEnabled(ePSXe);
    if (!removingEmulator_) {
        showPage(PageOf(system));
        if (system == EmuSystem::N64) cmdApply.setEnabled(false);
    }
    if (!type || type->kind != EmulatorKind::Folder) cmdApply.setEnabled(true);
}

void frmMain::bindCatalogue(EmuSystem system) {
    const PluginCatalogue& shown = session_.lists().catalogue(system);
    for (PluginKind kind : KindsOf(system)) {
        std::vector<ListRow> rows;
        for (const PluginRecord& record : shown.list(kind))
            rows.push_back(PluginRow(record, services_.clock, session_.lists().updatable(system)));
        ListView& list = lstPluginList[ListIndex(kind)];
        list.setRows(std::move(rows));
        list.setEmptyNotice(list.rows().empty());
        Label& counter = lblPluginCount[ListIndex(kind)];
        counter.setCaption(CounterText(list.rows().size(), kind));
        counter.setVisible(option(Option::Counters).checked());
    }
    bindChoice(system);
}

void frmMain::bindChoice(EmuSystem system) {
    for (PluginKind kind : KindsOf(system)) lstPluginList[ListIndex(kind)].setSelectedIndex(session_.lists().chosenRow(kind));
    if (system == EmuSystem::PSX) {
        mnuPluginsPadSelectionPad1.setChecked(session_.lists().shownPad() == Pad::One);
        mnuPluginsPadSelectionPad2.setChecked(session_.lists().shownPad() == Pad::Two);
    }
    const std::optional<PluginKind> chosen = session_.lists().chosenList();
    if (chosen && SystemOf(*chosen) == system) reflectPluginSelection();
}

void frmMain::reflectPluginSelection() {
    const bool target = !session_.lists().commandTarget().path.empty();
    for (MenuItem* item : {&mnuEditDelete, &mnuEditRename, &mnuContextConfigure, &mnuContextTest, &mnuContextAbout,
                           &mnuContextRename, &mnuContextDelete, &mnuContextCopy})
        item->setEnabled(target);
    const ListView& list = lstPluginList[ListIndex(*session_.lists().chosenList())];
    const int row = list.selectedIndex();
    lblPluginName.setCaption(row >= 0 ? list.rows()[static_cast<std::size_t>(row)].text : std::string());
}

void frmMain::bindLaunchOptions() {
    const LaunchOffer offer = session_.launchOffers();
    cmdLaunchEmu.setEnabled(offer.plain);
    mnuFileLaunchEmu.setEnabled(offer.plain);
    mnuFileLaunchCDRom.setEnabled(offer.cd);
    mnuFileLaunchISOROM.setEnabled(offer.image);
    // While a launched program runs no update check starts, and the tray's
    // launch menus are off.
    tmrTimer.setEnabled(option(Option::PluginUpdates).checked() && !session_.programRunning());
    m_frmSysTray.EnableLaunchMenus(!session_.programRunning() && session_.emulators().Count() > 0);
}

void frmMain::cmbEmuSelect_Click() {
    session_.selectEmulator(cmbEmuSelect.listIndex(), page() == MainPage::N64 ? EmuSystem::N64 : EmuSystem::PSX);
}

void frmMain::lstPluginList_ItemClick(PluginKind list) {
    session_.choosePlugin(list, lstPluginList[ListIndex(list)].selectedIndex());
    if (session_.lists().commandTarget().path.empty()) return;
    if (SystemOf(list) == EmuSystem::N64 && page() != MainPage::N64) {
        showPage(MainPage::N64);
        lstPluginList[ListIndex(list)].setFocus();
    }
    const EmulatorEntry* entry = session_.selectedEmulator();
    const EmulatorType* type = entry ? TypeNamed(entry->Type, entry->System) : nullptr;
    if (!entry) cmdApply.setEnabled(false);
    else if (!type || type->kind != EmulatorKind::Folder) cmdApply.setEnabled(true);
}

// The system the file commands act on: the PSX page's, else N64's (the
// Configuration and About pages too).
EmuSystem frmMain::systemOnScreen() const { return page() == MainPage::PSX ? EmuSystem::PSX : EmuSystem::N64; }

std::vector<EmuSystem> frmMain::systemsOnPage() const {
    if (page() == MainPage::PSX) return {EmuSystem::PSX};
    if (page() == MainPage::N64) return {EmuSystem::N64};
    return {};
}
