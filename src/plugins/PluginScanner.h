#pragma once

#include <string>
#include <vector>

#include "app/ActivityLog.h"
#include "app/Libraries.h"
#include "app/Services.h"
#include "plugins/PluginCatalogue.h"

// True for the file names of ePSXe's built-in cores, which the PSX lists
// show as pseudo plug-ins of an ePSXe emulator.
bool IsEPSXeCoreFile(const std::string& fileName);

// What a PSX scan needs to know of the selected emulator.
struct SelectedEmulator {
    int selectorIndex = 0;
    std::string type;
    std::string ePSXeVersion;
};

// Builds a system's catalogue from a plug-in folder: every library is
// loaded, asked for its type, name and version, and freed again. The log
// tells what was found, excluded or skipped.
class PluginScanner {
public:
    PluginScanner(Services& services, ILibraries& libraries, ActivityLog& log,
                  const std::vector<std::string>& exclusions);

    PluginCatalogue ScanPSX(const std::string& folder, const SelectedEmulator& emulator);
    PluginCatalogue ScanN64(const std::string& folder);

private:
    void addCores(PluginCatalogue& catalogue, const std::string& version);
    void probeFolder(PluginCatalogue& catalogue);
    bool probeFile(const std::string& folder, const FileEntry& file, EmuSystem system, PluginRecord& record);

    Services& services_;
    ILibraries& libraries_;
    ActivityLog& log_;
    const std::vector<std::string>& exclusions_;
};
