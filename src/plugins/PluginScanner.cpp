#include "plugins/PluginScanner.h"

#include <algorithm>
#include <optional>

#include "app/Helpers.h"

namespace {
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

PluginScanner::PluginScanner(Services& services, ActivityLog& log, const std::vector<std::string>& exclusions,
                             ProbeStore& store)
    : services_(services), log_(log), exclusions_(exclusions), store_(store),
      inProcess_(services.libraries), probe_(&inProcess_) {}

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
    if (emulator.cores) addCores(catalogue, emulator.ePSXeVersion);
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
    skipped_ = 0;
    // Plug-ins that load companion files look for them here.
    services_.files.setCurrentDirectory(catalogue.folder);
    log_.logMsg("Searching " + catalogue.folder + " for " + SystemName(catalogue.system) + " plugins...");
    const auto files = services_.files.find(catalogue.folder + "*.dll");
    if (files.empty()) {
        log_.logMsg("No plugins were found...");
        return;
    }
    std::vector<Library> libraries;
    for (const auto& file : files) {
        if (file.isDirectory) continue;
        Library library{file, false, false, {}};
        library.excluded = IsExcludedDll(library.file.name, exclusions_);
        libraries.push_back(std::move(library));
    }
    check(catalogue, libraries);
    // The log tells of the files in the folder's order, however they were checked.
    std::vector<PluginRecord> found;
    for (const Library& library : libraries) {
        PluginRecord record;
        if (library.excluded)
            log_.logMsg(library.file.name + " is in list of DLL exclusions; ignored...");
        else if (report(library, catalogue.system, record))
            found.push_back(std::move(record));
    }
    // Listed by name, letter case ignored, after any core entries.
    std::stable_sort(found.begin(), found.end(),
                     [](const PluginRecord& a, const PluginRecord& b) { return LowerCase(a.name) < LowerCase(b.name); });
    for (auto& record : found) catalogue.list(record.kind).push_back(std::move(record));
}

void PluginScanner::check(const PluginCatalogue& catalogue, std::vector<Library>& libraries) {
    if (!store_.load())
        log_.logMsg("Plugin check store " + store_.path() + " could not be read; every plugin is checked again");
    std::vector<ProbeRequest> requests;
    std::vector<Library*> asked;
    for (Library& library : libraries) {
        if (library.excluded) continue;
        library.entry.file = FileIdentity{catalogue.folder + library.file.name, library.file.size,
                                          library.file.lastWriteTime};
        const StoredProbe* stored = store_.find(library.entry.file);
        // An unchanged library is not loaded again: its answer or its quarantine stands.
        if (stored && !stored->retry) {
            library.entry = *stored;
            continue;
        }
        // A retried library keeps the note of its earlier failure.
        if (stored) library.entry = *stored;
        requests.push_back(ProbeRequest{catalogue.system, library.entry.file.path});
        asked.push_back(&library);
    }
    if (requests.empty()) return;
    std::size_t reported = 0;
    probe_->probe(requests, [&](std::size_t index, const ProbeResult& result) {
        if (index >= asked.size()) return;
        ++reported;
        Library& library = *asked[index];
        library.fresh = true;
        library.entry.status = result.status;
        library.entry.answer = result.answer;
        library.entry.retry = false;
        if (result.status == ProbeStatus::Failed) {
            library.entry.reason = result.reason;
            library.entry.failedOn = services_.clock.now();
        }
        store_.record(library.entry);
    });
    // Those left unchecked are neither listed nor stored: the next scan checks them.
    if (reported < requests.size()) {
        const std::size_t left = requests.size() - reported;
        log_.logMsg("The plug-in check was abandoned; " + std::to_string(left) +
                    (left == 1 ? " library was" : " libraries were") + " not checked...");
    }
    store_.save();
}

bool PluginScanner::report(const Library& library, EmuSystem system, PluginRecord& record) {
    const StoredProbe& entry = library.entry;
    const std::string& fileName = library.file.name;
    if (entry.status == ProbeStatus::Failed) {
        ++skipped_;
        if (library.fresh)
            log_.logMsg(fileName + " stopped the plug-in check (" + entry.reason + "); quarantined...");
        else
            log_.logMsg(fileName + " is quarantined (" + entry.reason + " on " + FailureDate(services_.clock, entry) + "); ignored...");
        return false;
    }
    if (entry.status == ProbeStatus::OtherArchitecture) {
        log_.logMsg(fileName + " is built for another processor architecture; ignored...");
        return false;
    }
    if (!entry.answer.kind) return false;
    record.kind = *entry.answer.kind;
    record.name = entry.answer.name;
    record.version = entry.answer.version;
    record.released = library.file.lastWriteTime;
    record.fileName = fileName;
    log_.logMsg("Found " + record.name + " (" + fileName + ") of " + SystemName(system) + " type " + TypeLabel(record.kind));
    return true;
}
