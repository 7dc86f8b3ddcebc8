#include "emulators/EmulatorDatabase.h"

#include "app/Helpers.h"

bool IsReservedEmulatorName(const std::string& name) { return name == kEndOfEntries; }

void EmulatorDatabase::Load(IIniFile& ini, const std::string& settingsPath) {
    entries_ = LoadEmulatorEntries(ini, settingsPath);
    for (const auto& entry : entries_) adjustInstallationFlags(entry.Type, true);
}

void EmulatorDatabase::adjustInstallationFlags(const std::string& strType, bool blnOperation) {
    // Settings files written by hand may spell a type in other letter case.
    for (const EmulatorType& type : EmulatorTypes())
        if (type.installed && LowerCase(type.name) == LowerCase(strType)) flags_.*(type.installed) = blnOperation;
}

void EmulatorDatabase::Store(int number, const EmulatorEntry& entry) {
    if (Has(number))
        entries_[static_cast<std::size_t>(number - 1)] = entry;
    else
        entries_.push_back(entry);
    adjustInstallationFlags(entry.Type, true);
}

bool EmulatorDatabase::Remove(int number) {
    if (!Has(number)) return false;
    adjustInstallationFlags(Entry(number).Type, false);
    entries_.erase(entries_.begin() + (number - 1));
    return true;
}

bool EmulatorDatabase::Rename(int number, const std::string& newName) {
    if (newName.empty() || IsReservedEmulatorName(newName) || !Has(number)) return false;
    entries_[static_cast<std::size_t>(number - 1)].Name = newName;
    return true;
}
