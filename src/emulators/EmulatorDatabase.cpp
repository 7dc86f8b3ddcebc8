#include "emulators/EmulatorDatabase.h"

#include "app/Helpers.h"

void EmulatorDatabase::Load(IIniFile& ini, const std::string& settingsPath) {
    for (const auto& entry : LoadEmulatorEntries(ini, settingsPath)) {
        adjustInstallationFlags(entry.Type, true);
        list_.addRow(EmulatorRow(entry));
        selector_.addItem(SelectorText(entry));
    }
}

std::vector<EmulatorEntry> EmulatorDatabase::Entries() const {
    std::vector<EmulatorEntry> entries;
    for (const auto& row : list_.rows()) entries.push_back(EntryOfRow(row));
    return entries;
}

void EmulatorDatabase::adjustInstallationFlags(const std::string& strType, bool blnOperation) {
    const std::string type = LowerCase(strType);
    if (type == "epsxe") flags_.ePSXe = blnOperation;
    if (type == "psxeven") flags_.PSXeven = blnOperation;
    if (type == "pcsx") flags_.PCSX = blnOperation;
    if (type == "project 64") flags_.Project64 = blnOperation;
    if (type == "1964") flags_.emu1964 = blnOperation;
}

void EmulatorDatabase::enableCommands() {
    edit_.setEnabled(Count() > 0);
    remove_.setEnabled(Count() > 0);
}

void EmulatorDatabase::Store(int row, const EmulatorEntry& entry) {
    if (row <= Count()) {
        list_.setRow(row - 1, EmulatorRow(entry));
        selector_.setItem(row, SelectorText(entry));
    } else {
        list_.addRow(EmulatorRow(entry));
        selector_.addItem(SelectorText(entry));
    }
    enableCommands();
    adjustInstallationFlags(entry.Type, true);
}

bool EmulatorDatabase::Remove(int row) {
    if (row < 1 || row > Count()) return false;
    adjustInstallationFlags(Entry(row).Type, false);
    const bool moved = selector_.listIndex() == row;
    if (moved) selector_.setListIndex(row - 1);
    selector_.removeItem(row);
    list_.removeRow(row - 1);
    enableCommands();
    return moved;
}

bool EmulatorDatabase::Rename(int row, const std::string& newName) {
    if (newName.empty() || row < 1 || row > Count()) return false;
    EmulatorEntry entry = Entry(row);
    entry.Name = newName;
    const int selected = selector_.listIndex();
    list_.setRow(row - 1, EmulatorRow(entry));
    selector_.setItem(row, SelectorText(entry));
    selector_.setListIndex(selected);
    return true;
}
