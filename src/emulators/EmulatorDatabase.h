#pragma once

#include <string>
#include <vector>

#include "app/IniFile.h"
#include "emulators/EmulatorEntry.h"
#include "ui/Controls.h"

// Which emulator programs the user has registered at least once this run;
// the profile-saving dialog pre-selects their settings.
struct InstallationFlags {
    bool ePSXe = false, PSXeven = false, PCSX = false, Project64 = false, emu1964 = false;
};

// The registered emulators, kept in two controls of the main window: row n
// of the emulator list and entry n of the selector (entry 0 there being the
// program's own plug-in folders).
class EmulatorDatabase {
public:
    EmulatorDatabase(ListView& list, ComboBox& selector, Button& edit, Button& remove)
        : list_(list), selector_(selector), edit_(edit), remove_(remove) {}

    void Load(IIniFile& ini, const std::string& settingsPath);
    std::vector<EmulatorEntry> Entries() const;
    EmulatorEntry Entry(int row) const { return EntryOfRow(list_.rows().at(static_cast<std::size_t>(row - 1))); }
    int Count() const { return static_cast<int>(list_.rows().size()); }

    void adjustInstallationFlags(const std::string& strType, bool blnOperation);
    const InstallationFlags& installationFlags() const { return flags_; }

    // Stores an entry as row `row` (1-based): replaces it, or appends it
    // when row is count + 1.
    void Store(int row, const EmulatorEntry& entry);
    // Removes the row (1-based); moves the selector off it first when it
    // shows it. Returns true when the selector moved.
    bool Remove(int row);
    // The user finished editing a row's name in place; false refuses it.
    bool Rename(int row, const std::string& newName);

private:
    void enableCommands();

    ListView& list_;
    ComboBox& selector_;
    Button& edit_;
    Button& remove_;
    InstallationFlags flags_;
};
