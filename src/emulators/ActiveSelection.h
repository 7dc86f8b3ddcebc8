#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/ActivityLog.h"
#include "app/FileSystem.h"
#include "app/clsRegistry.h"
#include "emulators/EmulatorType.h"

// Plug-in file names by list and by pad: which ones an emulator has active,
// or which ones the user chose. A list or pad without an entry has none.
struct PluginFiles {
    std::map<PluginKind, std::string> lists;
    std::map<Pad, std::string> pads;
};

// An active plug-in the emulator names that is not in its plug-in folder:
// the file and the list's tag (GPU, ..., PAD1, PAD2).
struct MissingPlugin {
    std::string file, tag;
};

struct ActiveReading {
    PluginFiles active;
    std::vector<MissingPlugin> missing;
};

// Reads an emulator's registry values: the file of its active plug-in in
// each list, and which of them its plug-in folder lacks.
class ActiveSelection {
public:
    static constexpr const char* kSentinel = "invalid";

    ActiveSelection(IRegistry& registry, IFileSystem& files, ActivityLog& log)
        : registry_(registry), files_(files), log_(log) {}

    N64VersionKeys FindVersionKeys();
    // The active plug-ins of an emulator of this type and system whose
    // plug-ins are listed from pluginFolder (with trailing backslash).
    ActiveReading Read(EmuSystem system, const std::string& type, const std::string& pluginFolder,
                       const N64VersionKeys& keys);

private:
    std::string findKey(const EmulatorType& type);
    ActiveReading read(const EmulatorType& type, const std::string& key, const std::string& folder);
    bool missing(const std::string& folder, const std::string& value, bool ePSXe);

    clsRegistry registry_;
    IFileSystem& files_;
    ActivityLog& log_;
};
