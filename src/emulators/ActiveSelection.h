#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/ActivityLog.h"
#include "app/Services.h"
#include "app/clsRegistry.h"
#include "plugins/PluginKind.h"

// Where each emulator type keeps its active plug-ins: one registry value per
// plug-in list (the PAD list twice, once per pad, for PCSX and PSXeven).
struct SelectionValue {
    const char* valueName;
    PluginKind kind;
    std::optional<Pad> pad;
};

struct SelectionTable {
    std::string type;
    EmuSystem system;
    std::vector<SelectionValue> values;
    bool psxevenPrefix = false;
};

// The table of an emulator type, or nothing for "Folder" and unknown types.
const SelectionTable* SelectionTableOf(const std::string& type);

// Plug-in file names by list and by pad: which ones an emulator has active,
// or which ones the user chose. A list or pad without an entry has none.
struct PluginFiles {
    std::map<PluginKind, std::string> lists;
    std::map<Pad, std::string> pads;
};

// The installed versions' keys of the N64 emulators; empty when none found.
struct N64VersionKeys {
    std::string pj64;
    std::string emu1964;
};

// Reads an emulator's registry values: the file of its active plug-in in
// each list, warning about an active plug-in missing from the folder.
class ActiveSelection {
public:
    static constexpr const char* kSentinel = "invalid";

    ActiveSelection(Services& services, ActivityLog& log, WindowHandle mainWindow)
        : services_(services), registry_(services.registry), log_(log), mainWindow_(mainWindow) {}

    N64VersionKeys FindVersionKeys();
    // The active plug-ins of an emulator of this type whose plug-ins are
    // listed from pluginFolder (with trailing backslash).
    PluginFiles ReadPSX(const std::string& type, const std::string& pluginFolder);
    PluginFiles ReadN64(const std::string& type, const std::string& pluginFolder, const N64VersionKeys& keys);

    // The registry key of a type; empty when it has none (or no version).
    static std::string KeyOf(const std::string& type, const N64VersionKeys& keys);

private:
    std::string findKey(const char* emulator, const char* prefix, const char* suffix,
                        const std::vector<const char*>& versions, const char* probeValue);
    PluginFiles read(const SelectionTable& table, const std::string& key, const std::string& folder);
    void warnIfMissing(const std::string& folder, const std::string& value, const std::string& tag, bool ePSXe);

    Services& services_;
    clsRegistry registry_;
    ActivityLog& log_;
    WindowHandle mainWindow_;
};
