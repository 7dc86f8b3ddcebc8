// The plug-in lists: scanning into the catalogue and binding it to the
// lists, the active selection, the plug-in the commands act on, Apply and
// the pad switch.
#include <algorithm>

#include "app/Helpers.h"
#include "files/ArchiveImport.h"
#include "emulators/ApplySelection.h"
#include "ui/frmMain.h"

namespace {
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

constexpr PluginKind kPadList = PluginKind::PAD;
}  // namespace

const PluginCatalogue& frmMain::catalogue(EmuSystem system) const {
    return catalogues_[system == EmuSystem::PSX ? 0 : 1];
}

void frmMain::scan(EmuSystem system) {
    flags_.blLoadingPlugins = true;
    lblStatus.setCaption("Loading plugins, please wait...");
    services_.windows.setBusyCursor(true);
    PluginCatalogue& scanned = catalogues_[system == EmuSystem::PSX ? 0 : 1];
    // What an update check offered was for the plug-ins as they were.
    updatable_[system == EmuSystem::PSX ? 0 : 1].clear();
    // Plug-ins set aside by an update while an emulator held them go now.
    const std::string folder = QualifyPath(system == EmuSystem::PSX ? psxFolder_ : n64Folder_);
    for (const FileEntry& leftover : services_.files.find(folder + "*" + kSetAsideSuffix))
        services_.files.deleteFile(folder + leftover.name);
    if (system == EmuSystem::PSX) {
        const EmulatorEntry* entry = selectedEmulator();
        scanned = scanner_.ScanPSX(psxFolder_, SelectedEmulator{cmbEmuSelect.listIndex(),
                                                                entry ? entry->Type : std::string(), ePSXeVersion_});
        // The rows the pads had are rows of the lists just replaced.
        pads_.rows.clear();
    } else {
        scanned = scanner_.ScanN64(n64Folder_);
    }
    bindCatalogue(system);
    flags_.blLoadingPlugins = false;
    lblStatus.setCaption("");
    services_.windows.setBusyCursor(false);
}

void frmMain::bindCatalogue(EmuSystem system) {
    const PluginCatalogue& shown = catalogue(system);
    for (PluginKind kind : KindsOf(system)) {
        std::vector<ListRow> rows;
        for (const PluginRecord& record : shown.list(kind))
            rows.push_back(PluginRow(record, services_.clock, updatable_[system == EmuSystem::PSX ? 0 : 1]));
        ListView& list = lstPluginList[ListIndex(kind)];
        list.setRows(std::move(rows));
        list.setEmptyNotice(list.rows().empty());
        Label& counter = lblPluginCount[ListIndex(kind)];
        counter.setCaption(CounterText(list.rows().size(), kind));
        counter.setVisible(option(Option::Counters).checked());
    }
    // A rescanned list has no row highlighted: no plug-in is chosen in it.
    if (chosenList_ && SystemOf(*chosenList_) == system) reflectPluginSelection();
}

void frmMain::readActiveSelection(EmuSystem system) {
    const EmulatorEntry* entry = selectedEmulator();
    if (!entry) return;
    ActiveSelection reader(services_, log_, handle());
    const std::string& folder = catalogue(system).folder;
    showActive(system, system == EmuSystem::PSX ? reader.ReadPSX(entry->Type, folder)
                                                : reader.ReadN64(entry->Type, folder, versionKeys_));
}

void frmMain::showActive(EmuSystem system, const PluginFiles& active) {
    // PSX lists compare file names without regard to letter case; N64
    // lists compare them exactly.
    const bool ignoreCase = system == EmuSystem::PSX;
    for (const auto& [kind, fileName] : active.lists) {
        const int row = FindPluginRow(catalogue(system).list(kind), fileName, ignoreCase);
        if (row >= 0) lstPluginList[ListIndex(kind)].setSelectedIndex(row);
    }
    if (system != EmuSystem::PSX) return;
    // Every reading starts the pads afresh: a pad without a value in this
    // emulator's key keeps no row of another emulator's.
    pads_.rows.clear();
    for (const auto& [pad, fileName] : active.pads) {
        const int row = FindPluginRow(catalogue(system).list(kPadList), fileName, true);
        if (row < 0) continue;
        pads_.rows[pad] = row;
        if (pad == pads_.shown) lstPluginList[ListIndex(kPadList)].setSelectedIndex(row);
    }
    if (chosenList_ && SystemOf(*chosenList_) == system) reflectPluginSelection();
}

PluginSelection frmMain::selectedPlugin() const {
    if (!chosenList_) return {};
    const PluginKind kind = *chosenList_;
    const PluginCatalogue& listed = catalogue(SystemOf(kind));
    const PluginRecord* record = listed.at(kind, lstPluginList[ListIndex(kind)].selectedIndex());
    // An ePSXe core is no file: no command can act on it.
    if (!record || record->core) return {};
    return PluginSelection{record->name, listed.folder + record->fileName, kind};
}

void frmMain::enablePluginEntries(bool enabled) {
    for (MenuItem* item : {&mnuEditDelete, &mnuEditRename, &mnuContextConfigure, &mnuContextTest, &mnuContextAbout,
                           &mnuContextRename, &mnuContextDelete, &mnuContextCopy})
        item->setEnabled(enabled);
}

void frmMain::reflectPluginSelection() {
    enablePluginEntries(!selectedPlugin().path.empty());
    const ListView& list = lstPluginList[ListIndex(*chosenList_)];
    const int row = list.selectedIndex();
    lblPluginName.setCaption(row >= 0 ? list.rows()[static_cast<std::size_t>(row)].text : std::string());
}

void frmMain::lstPluginList_ItemClick(PluginKind list) {
    chosenList_ = list;
    reflectPluginSelection();
    if (selectedPlugin().path.empty()) return;
    if (SystemOf(list) == EmuSystem::N64 && page() != MainPage::N64) {
        showPage(MainPage::N64);
        lstPluginList[ListIndex(list)].setFocus();
    }
    if (cmbEmuSelect.listIndex() == 0)
        cmdApply.setEnabled(false);
    else if (selectedEmulator() && selectedEmulator()->Type != "Folder")
        cmdApply.setEnabled(true);
}

void frmMain::cmdApply_Click() {
    const EmulatorEntry* entry = selectedEmulator();
    if (!entry) return;
    // The row picked for the pad on screen is the one the user means.
    const int padRow = lstPluginList[ListIndex(kPadList)].selectedIndex();
    if (padRow >= 0) pads_.rows[pads_.shown] = padRow;
    PluginFiles choice;
    for (int i = 0; i < kPluginKinds; ++i) {
        const PluginKind kind = KindAt(i);
        if (const PluginRecord* record = catalogue(SystemOf(kind)).at(kind, lstPluginList[i].selectedIndex()))
            choice.lists[kind] = record->fileName;
    }
    for (const auto& [pad, row] : pads_.rows)
        if (const PluginRecord* record = catalogue(EmuSystem::PSX).at(kPadList, row)) choice.pads[pad] = record->fileName;
    ApplySelection(services_.registry, log_).Apply(entry->Type, versionKeys_, choice);
}

void frmMain::mnuPluginsPadSelection_Click(Pad pad) {
    // The pad already shown: nothing to switch.
    if (pad == pads_.shown) return;
    mnuPluginsPadSelectionPad1.setChecked(pad == Pad::One);
    mnuPluginsPadSelectionPad2.setChecked(pad == Pad::Two);
    ListView& padList = lstPluginList[ListIndex(kPadList)];
    if (!padList.rows().empty()) {
        if (padList.selectedIndex() >= 0)
            pads_.rows[pads_.shown] = padList.selectedIndex();
        else
            pads_.rows.erase(pads_.shown);
        const auto remembered = pads_.rows.find(pad);
        padList.setSelectedIndex(remembered == pads_.rows.end() ? -1 : remembered->second);
    }
    pads_.shown = pad;
    if (chosenList_ == kPadList) reflectPluginSelection();
    log_.logMsg("PSX pad #" + std::to_string(PadNumber(pad)) + " selected...", true);
}
