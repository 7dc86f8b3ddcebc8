#pragma once

#include <string>
#include <vector>

#include "app/IniFile.h"
#include "app/SettingsFile.h"
#include "ui/Controls.h"

// System codes; also the indexes of the systems' icons.
constexpr int kSystemPSX = 6;
constexpr int kSystemN64 = 7;

// One registered emulator, as stored in section Emulators of settings.ini.
struct EmulatorEntry {
    std::string Name;
    int System = 0;
    std::string Type, Exe, Plugins;
};

// Reads records 1, 2, ... up to the first whose name is missing ("empty").
std::vector<EmulatorEntry> LoadEmulatorEntries(IIniFile& ini, const std::string& settingsPath);
// The section Emulators holding the entries, numbered 1..count in order.
IniSection EmulatorSection(const std::vector<EmulatorEntry>& entries);

// Row n of the emulator list and entry n of the emulator selector.
ListRow EmulatorRow(const EmulatorEntry& entry);
EmulatorEntry EntryOfRow(const ListRow& row);
std::string SelectorText(const EmulatorEntry& entry);
