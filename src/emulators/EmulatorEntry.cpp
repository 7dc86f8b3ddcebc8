#include "emulators/EmulatorEntry.h"

namespace {
const char* const kSection = "Emulators";

std::string ReadText(IIniFile& ini, const std::string& path, const std::string& key) {
    return ReadIniText(ini, path, kSection, key, kEndOfEntries);
}
}  // namespace

std::vector<EmulatorEntry> LoadEmulatorEntries(IIniFile& ini, const std::string& settingsPath) {
    std::vector<EmulatorEntry> entries;
    for (int n = 1;; ++n) {
        const std::string number = std::to_string(n);
        EmulatorEntry entry;
        entry.Name = ReadText(ini, settingsPath, "Name" + number);
        if (entry.Name == kEndOfEntries) break;
        entry.Type = ReadText(ini, settingsPath, "Type" + number);
        entry.Exe = ReadText(ini, settingsPath, "Exe" + number);
        entry.Plugins = ReadText(ini, settingsPath, "Plugins" + number);
        entry.System = static_cast<EmuSystem>(ini.readInt(settingsPath, kSection, "System" + number, 0));
        entries.push_back(entry);
    }
    return entries;
}

IniSection EmulatorSection(const std::vector<EmulatorEntry>& entries) {
    IniSection section{kSection, {}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        const EmulatorEntry& entry = entries[i];
        section.entries.push_back({"Name" + n, entry.Name});
        section.entries.push_back({"System" + n, std::to_string(SystemCode(entry.System))});
        section.entries.push_back({"Type" + n, entry.Type});
        section.entries.push_back({"Exe" + n, entry.Exe});
        section.entries.push_back({"Plugins" + n, entry.Plugins});
    }
    return section;
}

std::string SelectorText(const EmulatorEntry& entry) {
    return entry.Name + (entry.System == EmuSystem::PSX ? "  (PSX)" : "  (N64)");
}
