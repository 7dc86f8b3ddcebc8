#include "plugins/PluginScanner.h"

#include <algorithm>
#include <optional>

#include "app/Helpers.h"
#include "plugins/clsN64.h"
#include "plugins/clsPSX.h"

namespace {
// The list of each raw type a plug-in reports.
std::optional<PluginKind> PsxKind(std::int32_t rawType) {
    switch (rawType) {
        case 2: return PluginKind::GPU;
        case 4: return PluginKind::SPU;
        case 1: return PluginKind::CDR;
        case 8: return PluginKind::PAD;
        default: return std::nullopt;
    }
}

std::optional<PluginKind> N64Kind(std::int16_t rawType) {
    switch (rawType) {
        case 2: return PluginKind::GFX;
        case 3: return PluginKind::SND;
        case 4: return PluginKind::N64PAD;
        case 1: return PluginKind::RSP;
        default: return std::nullopt;
    }
}

struct Core {
    PluginKind kind;
    const char* name;
    const char* file;
};
constexpr Core kCores[] = {{PluginKind::SPU, "ePSXe SPU core ", "SPUCORE"},
                           {PluginKind::CDR, "ePSXe CDR ASPI core ", "W9XCDRCORE"},
                           {PluginKind::CDR, "ePSXe CDR WNT/W2K core ", "W2KCDRCORE"}};

const char* SystemName(EmuSystem system) { return system == EmuSystem::PSX ? "PSX" : "N64"; }
}  // namespace

bool IsEPSXeCoreFile(const std::string& fileName) {
    return std::any_of(std::begin(kCores), std::end(kCores), [&](const Core& core) { return fileName == core.file; });
}

PluginScanner::PluginScanner(Services& services, ILibraries& libraries, ActivityLog& log,
                             const std::vector<std::string>& exclusions)
    : services_(services), libraries_(libraries), log_(log), exclusions_(exclusions) {}

void PluginScanner::addCores(PluginCatalogue& catalogue, const std::string& version) {
    log_.logMsg("Emulator type is ePSXe; detecting ePSXe SPU and CDR cores...", true);
    for (const Core& core : kCores) {
        PluginRecord record{core.kind, core.name + version, "0.0", 0, core.file, true};
        log_.logMsg("Found " + record.name + " (" + core.file + ")");
        catalogue.list(core.kind).push_back(std::move(record));
    }
}

PluginCatalogue PluginScanner::ScanPSX(const std::string& folder, const SelectedEmulator& emulator) {
    PluginCatalogue catalogue{EmuSystem::PSX, QualifyPath(folder), {}};
    if (emulator.selectorIndex != 0 && emulator.type == "ePSXe") addCores(catalogue, emulator.ePSXeVersion);
    log_.logMsg("Changing working directory to " + folder);
    probeFolder(catalogue);
    return catalogue;
}

PluginCatalogue PluginScanner::ScanN64(const std::string& folder) {
    PluginCatalogue catalogue{EmuSystem::N64, QualifyPath(folder), {}};
    log_.logMsg("Changing working directory to " + folder);
    probeFolder(catalogue);
    return catalogue;
}

void PluginScanner::probeFolder(PluginCatalogue& catalogue) {
    // Plug-ins that load companion files look for them here.
    services_.files.setCurrentDirectory(catalogue.folder);
    log_.logMsg("Searching " + catalogue.folder + " for " + SystemName(catalogue.system) + " plugins...");
    const auto files = services_.files.find(catalogue.folder + "*.dll");
    if (files.empty()) {
        log_.logMsg("No plugins were found...");
        return;
    }
    std::vector<PluginRecord> found;
    for (const auto& file : files) {
        PluginRecord record;
        if (!file.isDirectory && probeFile(catalogue.folder, file, catalogue.system, record))
            found.push_back(std::move(record));
    }
    // Listed by name, letter case ignored, after any core entries.
    std::stable_sort(found.begin(), found.end(),
                     [](const PluginRecord& a, const PluginRecord& b) { return LowerCase(a.name) < LowerCase(b.name); });
    for (auto& record : found) catalogue.list(record.kind).push_back(std::move(record));
}

bool PluginScanner::probeFile(const std::string& folder, const FileEntry& file, EmuSystem system,
                              PluginRecord& record) {
    std::string fileName = file.name;
    // Excluded libraries are not even loaded: their start-up code must not run.
    if (IsExcludedDll(fileName, exclusions_)) {
        log_.logMsg(fileName + " is in list of DLL exclusions; ignored...");
        return false;
    }
    const LibraryHandle library = libraries_.load(folder + fileName);
    std::optional<PluginKind> kind;
    if (system == EmuSystem::PSX) {
        clsPSX probe(libraries_, services_.windows, 0);
        kind = PsxKind(probe.GetLibType(library));
        if (kind) {
            record.name = probe.GetLibName(library);
            record.version = probe.GetLibVersion(library);
        }
    } else {
        clsN64 probe(libraries_, services_.windows, 0);
        probe.QueryDLL(library);
        kind = N64Kind(probe.DLLType());
        record.name = probe.DLLName();
    }
    if (library) libraries_.free(library);
    if (!kind) return false;

    record.kind = *kind;
    record.released = file.lastWriteTime;
    record.fileName = fileName;
    log_.logMsg("Found " + record.name + " (" + fileName + ") of " + SystemName(system) + " type " + TypeLabel(*kind));
    return true;
}
