// The emulator selector, the plug-in selection, Apply and the pad switch.
#include "app/Helpers.h"
#include "emulators/ApplySelection.h"
#include "emulators/EmulatorEntry.h"
#include "ui/frmMain.h"

EmulatorEntry frmMain::selectedEmulator() const {
    const int selected = cmbEmuSelect.listIndex();
    return selected > 0 ? EntryOfRow(lstEmulators.rows()[selected - 1]) : EmulatorEntry{};
}

void frmMain::reflectSelectedEmulator() {
    const EmulatorEntry entry = selectedEmulator();
    if (entry.System == kSystemPSX) {
        // ePSXe keeps no pad plug-ins in its settings; its own settings
        // window is the one to use instead.
        const bool ePSXe = entry.Type == "ePSXe";
        mnuPluginsPadSelection.setEnabled(!ePSXe);
        mnuFileConfigEmu.setEnabled(ePSXe);
    }
    if (entry.Type != "Folder") cmdApply.setEnabled(true);
}

void frmMain::cmbEmuSelect_Click() {
    const int k = cmbEmuSelect.listIndex();
    if (k > 0) {
        const EmulatorEntry entry = selectedEmulator();
        const int tab = entry.System == kSystemPSX ? 0 : 1;
        if (entry.System == kSystemPSX) {
            if (k != currentPSXEmulator_) {
                psxFolder_ = entry.Plugins;
                scanPSX();
                ActiveSelection(services_, log_, lstPluginList, pads_, handle())
                    .ReadPSX(entry.Type, QualifyPath(entry.Plugins));
            }
            currentPSXEmulator_ = k;
        } else {
            if (k != currentN64Emulator_) {
                n64Folder_ = entry.Plugins;
                scanN64();
                ActiveSelection(services_, log_, lstPluginList, pads_, handle())
                    .ReadN64(entry.Type, QualifyPath(entry.Plugins), versionKeys_);
            }
            currentN64Emulator_ = k;
        }
        if (selectorRemoval_) {
            selectorRemoval_ = false;
        } else {
            ssTabMain.setSelectedIndex(tab);
            if (tab == 1) cmdApply.setEnabled(false);
        }
        reflectSelectedEmulator();
    } else {
        if (ssTabMain.selectedIndex() == 1) {
            if (currentN64Emulator_ != 0) {
                n64Folder_ = QualifyPath(programFolder_) + "N64Plugins";
                scanN64();
            }
            currentN64Emulator_ = 0;
        } else {
            if (currentPSXEmulator_ != 0) {
                psxFolder_ = QualifyPath(programFolder_) + "PSXPlugins";
                scanPSX();
            }
            currentPSXEmulator_ = 0;
        }
        cmdApply.setEnabled(false);
        mnuFileConfigEmu.setEnabled(false);
    }
    log_.logMsg(cmbEmuSelect.text() + " selected in emu selector...");
}

void frmMain::enablePluginEntries(bool enabled) {
    for (MenuItem* item : {&mnuEditDelete, &mnuEditRename, &mnuContextConfigure, &mnuContextTest, &mnuContextAbout,
                           &mnuContextRename, &mnuContextDelete, &mnuContextCopy})
        item->setEnabled(enabled);
}

void frmMain::lstPluginList_ItemClick(int index) {
    const ListView& list = lstPluginList[index];
    const int row = list.selectedIndex();
    if (row < 0 || IsEPSXeCoreFile(list.rows()[row].subItems.back())) {
        selection_.path.clear();
        enablePluginEntries(false);
        return;
    }
    const ListRow& chosen = list.rows()[row];
    const bool psx = index < 4;
    selection_.name = chosen.text;
    // The folder the list was scanned from: for an N64 list while a PSX
    // emulator is selected that is the program's own N64 folder.
    selection_.path = QualifyPath(psx ? psxFolder_ : n64Folder_) + chosen.subItems.back();
    selection_.type = psx ? index + 1 : 0;
    selection_.system = psx ? 0 : 1;
    if (!psx && ssTabMain.selectedIndex() != 1) {
        ssTabMain.setSelectedIndex(1);
        lstPluginList[index].setFocus();
    }
    const int selector = cmbEmuSelect.listIndex();
    if (selector == 0)
        cmdApply.setEnabled(false);
    else if (selectedEmulator().Type != "Folder")
        cmdApply.setEnabled(true);
    enablePluginEntries(true);
    lblPluginName.setCaption(chosen.text);
}

void frmMain::cmdApply_Click() {
    if (cmbEmuSelect.listIndex() == 0) return;
    ApplySelection(services_.registry, log_, lstPluginList, pads_).Apply(selectedEmulator().Type, versionKeys_);
}

void frmMain::mnuPluginsPadSelection_Click(int pad) {
    mnuPluginsPadSelectionPad1.setChecked(pad == 1);
    mnuPluginsPadSelectionPad2.setChecked(pad == 2);
    ApplySelection(services_.registry, log_, lstPluginList, pads_).ShowPad(pad);
}

void frmMain::openAddEmu(frmAddEmu::Mode mode, int row) {
    addEmu_ = std::make_unique<frmAddEmu>(services_, database_, mode, row);
    if (flags_.blLayeredWindows) addEmu_->onShown = [this] {
        SetWindowAlpha(services_.windows, addEmu_->handle(), 255 - sldTransparency.value() * 155 / 100);
    };
    if (!showAddEmu) return;  // tests drive the dialog themselves
    showAddEmu(*addEmu_);
    addEmu_.reset();
}

void frmMain::cmdAddEmu_Click() { openAddEmu(frmAddEmu::Mode::Add, database_.Count() + 1); }

void frmMain::cmdEditEmu_Click() {
    if (database_.Count() == 0) return;
    const int row = lstEmulators.selectedIndex();
    if (row >= 0) openAddEmu(frmAddEmu::Mode::Edit, row + 1);
}

void frmMain::cmdRemoveEmu_Click() {
    const int row = lstEmulators.selectedIndex();
    if (database_.Count() == 0 || row < 0) return;
    selectorRemoval_ = true;
    if (database_.Remove(row + 1)) cmbEmuSelect_Click();
    else selectorRemoval_ = false;
}

bool frmMain::lstEmulators_Rename(int row, const std::string& newName) { return database_.Rename(row, newName); }
