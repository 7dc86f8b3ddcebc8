#pragma once

#include <string>
#include <vector>

#include "app/IniFile.h"
#include "emulators/EmulatorEntry.h"
#include "emulators/EmulatorType.h"

// The registered emulators, numbered from 1 in settings-file order. The
// emulator list and the selector (whose entry 0 stands for the program's
// own plug-in folders) show them.
class EmulatorDatabase {
public:
    void Load(IIniFile& ini, const std::string& settingsPath);
    const std::vector<EmulatorEntry>& Entries() const { return entries_; }
    const EmulatorEntry& Entry(int number) const { return entries_.at(static_cast<std::size_t>(number - 1)); }
    int Count() const { return static_cast<int>(entries_.size()); }
    bool Has(int number) const { return number >= 1 && number <= Count(); }

    void adjustInstallationFlags(const std::string& strType, bool blnOperation);
    const InstallationFlags& installationFlags() const { return flags_; }

    // Stores an entry as number `number`: replaces it, or appends it when
    // number is count + 1.
    void Store(int number, const EmulatorEntry& entry);
    // Removes an entry; the entries after it move up by one.
    bool Remove(int number);
    // A new name for an entry; an empty name, or the name that would end
    // the list in settings.ini, is refused.
    bool Rename(int number, const std::string& newName);

private:
    std::vector<EmulatorEntry> entries_;
    InstallationFlags flags_;
};

// True for a name an entry cannot take.
bool IsReservedEmulatorName(const std::string& name);
