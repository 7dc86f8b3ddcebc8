#pragma once

#include <string>
#include <vector>

#include "app/IniFile.h"
#include "app/SettingsFile.h"
#include "app/Systems.h"

// One registered emulator, as stored in section Emulators of settings.ini.
// A record without its System key reads as code 0, which is neither system.
struct EmulatorEntry {
    std::string Name;
    EmuSystem System = EmuSystem::PSX;
    std::string Type, Exe, Plugins;
};

// Reads records 1, 2, ... up to the first whose name is missing ("empty").
std::vector<EmulatorEntry> LoadEmulatorEntries(IIniFile& ini, const std::string& settingsPath);
// The section Emulators holding the entries, numbered 1..count in order.
IniSection EmulatorSection(const std::vector<EmulatorEntry>& entries);

// The entry's text in the emulator selector: name + "  (PSX)" or "  (N64)".
std::string SelectorText(const EmulatorEntry& entry);

// The name that ends the list when settings.ini is read: no entry may have it.
constexpr const char* kEndOfEntries = "empty";
