#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/ActivityLog.h"
#include "app/Services.h"
#include "emulators/clsRegistry.h"
#include "ui/Controls.h"

// Where each emulator type keeps its active plug-ins: one registry value per
// plug-in list (the PAD list twice, once per pad, for PCSX and PSXeven).
struct SelectionValue {
    const char* valueName;
    int list;
    int pad;  // 0 for no pad, else 1 or 2
};

struct SelectionTable {
    std::string type;
    std::vector<SelectionValue> values;
    bool psxevenPrefix = false;
};

// The table of an emulator type, or nothing for "Folder" and unknown types.
const SelectionTable* SelectionTableOf(const std::string& type);

// The PSX PAD list's two pads: which one the list shows and the row each
// pad's active plug-in has in it (-1 for none).
struct PadState {
    int shown = 1;
    std::array<int, 2> rows{-1, -1};
};

// The installed versions' keys of the N64 emulators; empty when none found.
struct N64VersionKeys {
    std::string pj64;
    std::string emu1964;
};

// Reads an emulator's registry values and selects the active plug-in of
// each list, warning about an active plug-in missing from the folder.
class ActiveSelection {
public:
    static constexpr const char* kSentinel = "invalid";

    ActiveSelection(Services& services, ActivityLog& log, std::array<ListView, 8>& lists, PadState& pads,
                    WindowHandle mainWindow)
        : services_(services), registry_(services.registry), log_(log), lists_(lists), pads_(pads),
          mainWindow_(mainWindow) {}

    N64VersionKeys FindVersionKeys();
    // The selection of an emulator of this type, its plug-ins listed from
    // pluginFolder (with trailing backslash).
    void ReadPSX(const std::string& type, const std::string& pluginFolder);
    void ReadN64(const std::string& type, const std::string& pluginFolder, const N64VersionKeys& keys);

    // The registry key of a type; empty when it has none (or no version).
    static std::string KeyOf(const std::string& type, const N64VersionKeys& keys);

private:
    std::string findKey(const char* emulator, const char* prefix, const char* suffix,
                        const std::vector<const char*>& versions, const char* probeValue);
    void read(const SelectionTable& table, const std::string& key, const std::string& folder);
    void selectListRow(int list, const std::string& fileName);
    void selectPadRows(int pad, const std::string& fileName);
    void warnIfMissing(const std::string& folder, const std::string& value, const std::string& tag, bool ePSXe);

    Services& services_;
    clsRegistry registry_;
    ActivityLog& log_;
    std::array<ListView, 8>& lists_;
    PadState& pads_;
    WindowHandle mainWindow_;
};
