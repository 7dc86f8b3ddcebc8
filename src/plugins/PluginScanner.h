#pragma once

#include <string>
#include <vector>

#include "app/ActivityLog.h"
#include "app/Libraries.h"
#include "app/Services.h"
#include "plugins/PluginCatalogue.h"
#include "plugins/PluginProbe.h"
#include "plugins/ProbeStore.h"

// True for the file names of ePSXe's built-in cores, which the PSX lists
// show as pseudo plug-ins of an ePSXe emulator.
bool IsEPSXeCoreFile(const std::string& fileName);

// What a PSX scan needs to know of the selected emulator: whether it is of
// a type with built-in cores to list, and the ePSXe version that names them.
struct SelectedEmulator {
    bool cores = false;
    std::string ePSXeVersion;
};

// Builds a system's catalogue from a plug-in folder: every library is asked
// for its type, name and version through the probe, unless the store holds
// the answer for the file as it is, or has it in quarantine. The log tells
// what was found, excluded or skipped.
class PluginScanner {
public:
    PluginScanner(Services& services, ActivityLog& log, const std::vector<std::string>& exclusions,
                  ProbeStore& store);

    // The probe the scans use (the program's helper; in-process by default).
    void setProbe(IPluginProbe& probe) { probe_ = &probe; }
    IPluginProbe& probe() { return *probe_; }

    PluginCatalogue ScanPSX(const std::string& folder, const SelectedEmulator& emulator);
    PluginCatalogue ScanN64(const std::string& folder);
    // Libraries the last scan left out because they are in quarantine.
    int skipped() const { return skipped_; }

private:
    void addCores(PluginCatalogue& catalogue, const std::string& version);
    void probeFolder(PluginCatalogue& catalogue);
    // A library file of the folder and what is known of it.
    struct Library {
        FileEntry file;
        bool excluded = false;
        bool fresh = false;  // checked in this scan, not taken from the store
        StoredProbe entry;
    };
    // Fills each library's entry from the store, checking those it lacks.
    void check(const PluginCatalogue& catalogue, std::vector<Library>& libraries);
    bool report(const Library& library, EmuSystem system, PluginRecord& record);

    Services& services_;
    ActivityLog& log_;
    const std::vector<std::string>& exclusions_;
    ProbeStore& store_;
    InProcessProbe inProcess_;
    IPluginProbe* probe_;
    int skipped_ = 0;
};
