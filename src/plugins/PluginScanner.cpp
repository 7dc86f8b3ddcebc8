#include "plugins/PluginScanner.h"

#include <algorithm>

#include "app/Helpers.h"
#include "plugins/clsN64.h"
#include "plugins/clsPSX.h"

namespace {
// List index (and icon) of each raw type a plug-in reports.
int PsxList(std::int32_t rawType) {
    switch (rawType) {
        case 2: return 0;
        case 4: return 1;
        case 1: return 2;
        case 8: return 3;
        default: return -1;
    }
}

int N64List(std::int16_t rawType) {
    switch (rawType) {
        case 2: return 4;
        case 3: return 5;
        case 4: return 6;
        case 1: return 7;
        default: return -1;
    }
}

constexpr int kIcons[8] = {1, 2, 3, 4, 1, 2, 4, 5};

struct Core {
    int list;
    const char* name;
    const char* file;
};
constexpr Core kCores[] = {{1, "ePSXe SPU core ", "SPUCORE"},
                           {2, "ePSXe CDR ASPI core ", "W9XCDRCORE"},
                           {2, "ePSXe CDR WNT/W2K core ", "W2KCDRCORE"}};
}  // namespace

bool IsEPSXeCoreFile(const std::string& fileName) {
    for (const Core& core : kCores)
        if (fileName == core.file) return true;
    return false;
}

PluginScanner::PluginScanner(Services& services, ILibraries& libraries, ActivityLog& log, AppFlags& flags,
                             PluginLists lists, const std::vector<std::string>& exclusions)
    : services_(services), libraries_(libraries), log_(log), flags_(flags), lists_(lists), exclusions_(exclusions) {}

const char* PluginScanner::TypeLabel(int list) {
    static const char* const kLabels[8] = {"GPU", "SPU", "CDR", "PAD", "GFX", "SND", "PAD", "RSP"};
    return kLabels[list];
}

void PluginScanner::UpdateCounter(int list) {
    const std::size_t count = lists_.lists[list].rows().size();
    lists_.counters[list].setCaption(std::to_string(count) + " " + TypeLabel(list) + " " +
                                     (count == 1 ? "Plugin" : "Plugins") + " Detected ");
}

void PluginScanner::begin(int firstList) {
    flags_.blLoadingPlugins = true;
    lists_.status.setCaption("Loading plugins, please wait...");
    for (int i = firstList; i < firstList + 4; ++i) lists_.lists[i].clear();
    services_.windows.setBusyCursor(true);
}

void PluginScanner::addPseudoEntries(const std::string& version) {
    log_.logMsg("Emulator type is ePSXe; detecting ePSXe SPU and CDR cores...", true);
    for (const Core& core : kCores) {
        const std::string name = core.name + version;
        lists_.lists[core.list].addRow(ListRow{name, kIcons[core.list], {"0.0", "", core.file}});
        log_.logMsg("Found " + name + " (" + core.file + ")");
    }
}

void PluginScanner::ScanPSX(const std::string& folder, const SelectedEmulator& emulator, bool countersVisible) {
    begin(0);
    if (emulator.selectorIndex != 0 && emulator.type == "ePSXe") addPseudoEntries(emulator.ePSXeVersion);
    finish(0, probeFolder(folder, true), countersVisible);
}

void PluginScanner::ScanN64(const std::string& folder, bool countersVisible) {
    begin(4);
    finish(4, probeFolder(folder, false), countersVisible);
}

std::vector<PluginScanner::Found> PluginScanner::probeFolder(const std::string& folder, bool psx) {
    std::vector<Found> found;
    log_.logMsg("Changing working directory to " + folder);
    // Plug-ins that load companion files look for them here.
    services_.files.setCurrentDirectory(folder);
    const std::string qualified = QualifyPath(folder);
    log_.logMsg("Searching " + qualified + (psx ? " for PSX plugins..." : " for N64 plugins..."));
    const auto files = services_.files.find(qualified + "*.dll");
    if (files.empty()) {
        log_.logMsg("No plugins were found...");
        return found;
    }
    for (const auto& file : files) {
        Found plugin;
        if (!file.isDirectory && probeFile(qualified, file, psx, plugin)) found.push_back(std::move(plugin));
    }
    return found;
}

bool PluginScanner::probeFile(const std::string& folder, const FileEntry& file, bool psx, Found& found) {
    std::string fileName = file.name;
    // Excluded libraries are not even loaded: their start-up code must not run.
    if (IsExcludedDll(fileName, exclusions_)) {
        log_.logMsg(fileName + " is in list of DLL exclusions; ignored...");
        return false;
    }
    const LibraryHandle library = libraries_.load(folder + fileName);
    std::string name, version;
    if (psx) {
        clsPSX probe(libraries_, services_.windows, 0);
        found.list = PsxList(probe.GetLibType(library));
        if (found.list >= 0) {
            name = probe.GetLibName(library);
            version = probe.GetLibVersion(library);
        }
    } else {
        clsN64 probe(libraries_, services_.windows, 0);
        probe.QueryDLL(library);
        found.list = N64List(probe.DLLType());
        name = probe.DLLName().substr(0, probe.DLLName().find('\0'));
    }
    if (library) libraries_.free(library);
    if (found.list < 0) return false;

    log_.logMsg("Found " + name + " (" + fileName + ") of " + (psx ? "PSX" : "N64") + " type " +
                TypeLabel(found.list));
    found.row = ListRow{name, kIcons[found.list], {}};
    if (psx) found.row.subItems.push_back(version);
    found.row.subItems.push_back(FormatFileDate(services_.clock, file.lastWriteTime));
    found.row.subItems.push_back(fileName);
    return true;
}

void PluginScanner::finish(int firstList, std::vector<Found> found, bool countersVisible) {
    // Listed by name, letter case ignored, after any core entries.
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return LowerCase(a.row.text) < LowerCase(b.row.text);
    });
    for (auto& plugin : found) lists_.lists[plugin.list].addRow(std::move(plugin.row));
    for (int i = firstList; i < firstList + 4; ++i) {
        lists_.lists[i].setEmptyNotice(lists_.lists[i].rows().empty());
        UpdateCounter(i);
        lists_.counters[i].setVisible(countersVisible);
    }
    flags_.blLoadingPlugins = false;
    lists_.status.setCaption("");
    services_.windows.setBusyCursor(false);
}
