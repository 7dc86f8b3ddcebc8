#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/FileSystem.h"
#include "plugins/PluginKind.h"

// One plug-in as the scan found it.
struct PluginRecord {
    PluginKind kind = PluginKind::GPU;
    std::string name;
    std::string version;  // PSX plug-ins only
    FileTime released = 0;  // the file's last write
    std::string fileName;   // without folder
    bool core = false;      // an ePSXe core, listed as a plug-in but no file
};

// One system's plug-ins, scanned from one folder: a list per kind, cores
// first, then by name.
struct PluginCatalogue {
    EmuSystem system = EmuSystem::PSX;
    std::string folder;  // as scanned, qualified
    std::array<std::vector<PluginRecord>, 4> lists;

    std::vector<PluginRecord>& list(PluginKind kind) { return lists[PlaceInSystem(kind)]; }
    const std::vector<PluginRecord>& list(PluginKind kind) const { return lists[PlaceInSystem(kind)]; }
    // The record on a row of a list; nothing for no row.
    const PluginRecord* at(PluginKind kind, int row) const;
};

// The first row of the list whose file name is fileName (letter case
// ignored when asked), -1 when none is.
int FindPluginRow(const std::vector<PluginRecord>& list, const std::string& fileName, bool ignoreCase);
