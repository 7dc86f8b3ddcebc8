#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/ActivityLog.h"
#include "app/AppFlags.h"
#include "app/Libraries.h"
#include "app/Services.h"
#include "ui/Controls.h"

// True for the file names of ePSXe's built-in cores, which the PSX lists
// show as pseudo plug-ins of an ePSXe emulator.
bool IsEPSXeCoreFile(const std::string& fileName);

// The eight plug-in lists (0..3 PSX GPU, SPU, CDR, PAD; 4..7 N64 graphics,
// audio, controller, RSP) with their counters: the catalogue.
struct PluginLists {
    std::array<ListView, 8>& lists;
    std::array<Label, 8>& counters;
    Label& status;
};

// What a PSX scan needs to know of the selected emulator.
struct SelectedEmulator {
    int selectorIndex = 0;
    std::string type;
    std::string ePSXeVersion;
};

// Fills the plug-in lists from a plug-in folder: every library is loaded,
// asked for its type, name and version, listed under its type and freed.
class PluginScanner {
public:
    PluginScanner(Services& services, ILibraries& libraries, ActivityLog& log, AppFlags& flags, PluginLists lists,
                  const std::vector<std::string>& exclusions);

    void ScanPSX(const std::string& folder, const SelectedEmulator& emulator, bool countersVisible);
    void ScanN64(const std::string& folder, bool countersVisible);

    // The type label of a list: GPU, SPU, CDR, PAD, GFX, SND, PAD, RSP.
    static const char* TypeLabel(int list);
    // Sets a list's counter text: "2 GPU Plugins Detected ".
    void UpdateCounter(int list);

private:
    struct Found {
        int list;
        ListRow row;
    };
    void begin(int firstList);
    void addPseudoEntries(const std::string& version);
    std::vector<Found> probeFolder(const std::string& folder, bool psx);
    bool probeFile(const std::string& folder, const FileEntry& file, bool psx, Found& found);
    void finish(int firstList, std::vector<Found> found, bool countersVisible);

    Services& services_;
    ILibraries& libraries_;
    ActivityLog& log_;
    AppFlags& flags_;
    PluginLists lists_;
    const std::vector<std::string>& exclusions_;
};
