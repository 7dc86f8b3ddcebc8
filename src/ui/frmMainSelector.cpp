// The emulator selector and the views of the emulator database: the
// emulator list, the Add/Edit dialog, removal and renaming.
#include "app/Helpers.h"
#include "ui/frmMain.h"

namespace {
ListRow EmulatorRow(const EmulatorEntry& entry) {
    return ListRow{entry.Name, SystemCode(entry.System), {entry.Type, entry.Exe, entry.Plugins}};
}
}  // namespace

const EmulatorEntry* frmMain::selectedEmulator() const {
    const int selected = cmbEmuSelect.listIndex();
    return database_.Has(selected) ? &database_.Entry(selected) : nullptr;
}

int& frmMain::currentEmulator(EmuSystem system) {
    return system == EmuSystem::PSX ? currentPSXEmulator_ : currentN64Emulator_;
}

void frmMain::bindEmulators() {
    const int row = lstEmulators.selectedIndex();
    std::vector<ListRow> rows;
    std::vector<std::string> items{"-- Tool Plugin Backups --"};
    for (const EmulatorEntry& entry : database_.Entries()) {
        rows.push_back(EmulatorRow(entry));
        items.push_back(SelectorText(entry));
    }
    lstEmulators.setRows(std::move(rows));
    lstEmulators.setSelectedIndex(row);
    cmbEmuSelect.setItems(std::move(items));
    cmdEditEmu.setEnabled(database_.Count() > 0);
    cmdRemoveEmu.setEnabled(database_.Count() > 0);
}

void frmMain::cmbEmuSelect_Click() {
    const int k = cmbEmuSelect.listIndex();
    if (const EmulatorEntry* entry = selectedEmulator()) {
        const EmuSystem system = entry->System == EmuSystem::PSX ? EmuSystem::PSX : EmuSystem::N64;
        if (k != currentEmulator(system)) {
            (system == EmuSystem::PSX ? psxFolder_ : n64Folder_) = entry->Plugins;
            scan(system);
            readActiveSelection(system);
        }
        currentEmulator(system) = k;
        // ePSXe keeps no pad plug-ins in its settings; its own settings
        // window is the one to use instead.
        const bool ePSXe = entry->Type == "ePSXe";
        if (system == EmuSystem::PSX) mnuPluginsPadSelection.setEnabled(!ePSXe);
        mnuFileConfigEmu.setEnabled(ePSXe);
        if (selectorRemoval_) {
            selectorRemoval_ = false;
        } else {
            showPage(PageOf(system));
            if (system == EmuSystem::N64) cmdApply.setEnabled(false);
        }
        if (entry->Type != "Folder") cmdApply.setEnabled(true);
    } else {
        const EmuSystem system = page() == MainPage::N64 ? EmuSystem::N64 : EmuSystem::PSX;
        if (currentEmulator(system) != 0) {
            (system == EmuSystem::PSX ? psxFolder_ : n64Folder_) = CentralFolder(programFolder_, system);
            scan(system);
        }
        currentEmulator(system) = 0;
        cmdApply.setEnabled(false);
        mnuFileConfigEmu.setEnabled(false);
    }
    log_.logMsg(cmbEmuSelect.text() + " selected in emu selector...");
    applyLaunchOptions();
}

void frmMain::openAddEmu(frmAddEmu::Mode mode, int row) {
    addEmu_ = std::make_unique<frmAddEmu>(services_, database_, mode, row);
    addEmu_->onStored = [this] { bindEmulators(); };
    shareTransparency(*addEmu_);
    if (!showAddEmu) return;  // tests drive the dialog themselves
    showAddEmu(*addEmu_);
    addEmu_.reset();
}

void frmMain::cmdAddEmu_Click() { openAddEmu(frmAddEmu::Mode::Add, database_.Count() + 1); }

void frmMain::cmdEditEmu_Click() {
    const int number = lstEmulators.selectedIndex() + 1;
    if (database_.Has(number)) openAddEmu(frmAddEmu::Mode::Edit, number);
}

void frmMain::cmdRemoveEmu_Click() {
    const int number = lstEmulators.selectedIndex() + 1;
    if (!database_.Has(number)) return;
    const int shown = cmbEmuSelect.listIndex();
    database_.Remove(number);
    // The numbers of the emulators last scanned follow the entries they
    // name; a removed one names none, so the next choice scans again.
    for (EmuSystem system : {EmuSystem::PSX, EmuSystem::N64}) {
        int& current = currentEmulator(system);
        if (current == number) current = -1;
        else if (current > number) --current;
    }
    bindEmulators();
    if (shown == number) {
        // The selector moves to the entry before, without switching pages.
        selectorRemoval_ = true;
        cmbEmuSelect.setListIndex(number - 1);
        cmbEmuSelect_Click();
    } else {
        cmbEmuSelect.setListIndex(shown > number ? shown - 1 : shown);
    }
}

bool frmMain::lstEmulators_Rename(int number, const std::string& newName) {
    if (IsReservedEmulatorName(newName)) {
        services_.windows.messageBox(handle(),
                                     "The name '" + newName +
                                         "' is reserved by Corvane. Please enter another name for the entry.",
                                     "Invalid Value", MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    if (!database_.Rename(number, newName)) return false;
    bindEmulators();
    return true;
}
