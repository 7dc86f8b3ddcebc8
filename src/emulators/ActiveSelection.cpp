#include "emulators/ActiveSelection.h"

#include "app/Helpers.h"
#include "plugins/PluginScanner.h"

namespace {
const std::vector<SelectionTable>& Tables() {
    using K = PluginKind;
    static const std::vector<SelectionTable> tables = {
        {"ePSXe", EmuSystem::PSX, {{"VideoPlugin", K::GPU, {}}, {"SoundPlugin", K::SPU, {}}, {"CdromPlugin", K::CDR, {}}}},
        {"PCSX",
         EmuSystem::PSX,
         {{"gpu", K::GPU, {}}, {"spu", K::SPU, {}}, {"cdr", K::CDR, {}}, {"pad1", K::PAD, Pad::One},
          {"pad2", K::PAD, Pad::Two}}},
        {"PSXeven",
         EmuSystem::PSX,
         {{"GpuFilename", K::GPU, {}}, {"SpuFilename", K::SPU, {}}, {"CdrFilename", K::CDR, {}},
          {"Pad1Filename", K::PAD, Pad::One}, {"Pad2Filename", K::PAD, Pad::Two}},
         true},
        {"Project 64",
         EmuSystem::N64,
         {{"Graphics Dll", K::GFX, {}}, {"Audio Dll", K::SND, {}}, {"Controller Dll", K::N64PAD, {}}}},
        {"1964", EmuSystem::N64, {{"VideoPlugin", K::GFX, {}}, {"AudioPlugin", K::SND, {}}, {"InputPlugin", K::N64PAD, {}}}},
    };
    return tables;
}

std::string RemoveAll(std::string text, const std::string& piece) {
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at)) text.erase(at, piece.size());
    return text;
}

constexpr std::uint32_t HKCU = clsRegistry::kCurrentUser;
}  // namespace

const SelectionTable* SelectionTableOf(const std::string& type) {
    for (const auto& table : Tables())
        if (table.type == type) return &table;
    return nullptr;
}

std::string ActiveSelection::KeyOf(const std::string& type, const N64VersionKeys& keys) {
    if (type == "ePSXe") return "Software\\epsxe\\config";
    if (type == "PCSX") return "Software\\Pcsx";
    if (type == "PSXeven") return "Software\\PSXeven\\PS7gui\\Settings";
    if (type == "Project 64") return keys.pj64;
    if (type == "1964") return keys.emu1964;
    return std::string();
}

std::string ActiveSelection::findKey(const char* emulator, const char* prefix, const char* suffix,
                                     const std::vector<const char*>& versions, const char* probeValue) {
    log_.logMsg(std::string("Searching for ") + emulator + " version identification...");
    for (const char* version : versions) {
        const std::string path = std::string(prefix) + version + suffix;
        if (registry_.GetRegString(HKCU, path, probeValue, kSentinel) != kSentinel) {
            log_.logMsg(std::string("Found ") + emulator + " key at " + path);
            return path;
        }
        log_.logMsg(std::string("No ") + emulator + " key could be found...");
    }
    return std::string();
}

N64VersionKeys ActiveSelection::FindVersionKeys() {
    N64VersionKeys keys;
    keys.pj64 = findKey("Project 64", "Software\\N64 Emulation\\", "\\Dll",
                        {"Project64 Version 1.5", "Project64 Version 1.4", "Project64 Version 1.3",
                         "Project64 Version 1.2"},
                        "Graphics Dll");
    keys.emu1964 = findKey("1964", "Software\\", "\\GUI",
                           {"1964emu_099", "1964emu_085", "1964emu_084", "1964emu_073", "1964emu_072", "1964emu_071",
                            "1964emu_070", "1964emu"},
                           "VideoPlugin");
    return keys;
}

PluginFiles ActiveSelection::ReadPSX(const std::string& type, const std::string& pluginFolder) {
    log_.logMsg("Retrieving PSX emulator plugin configuration...", true);
    const SelectionTable* table = SelectionTableOf(type);
    if (!table || table->system != EmuSystem::PSX) return {};
    return read(*table, KeyOf(type, {}), pluginFolder);
}

PluginFiles ActiveSelection::ReadN64(const std::string& type, const std::string& pluginFolder,
                                     const N64VersionKeys& keys) {
    log_.logMsg("Retrieving N64 emulator plugin configuration...", true);
    const SelectionTable* table = SelectionTableOf(type);
    const std::string key = KeyOf(type, keys);
    if (!table || table->system != EmuSystem::N64 || key.empty()) return {};
    return read(*table, key, pluginFolder);
}

PluginFiles ActiveSelection::read(const SelectionTable& table, const std::string& key, const std::string& folder) {
    std::vector<std::string> values;
    for (const auto& value : table.values) {
        const std::string text = registry_.GetRegString(HKCU, key, value.valueName, kSentinel);
        values.push_back(table.psxevenPrefix ? RemoveAll(text, "plugins\\") : text);
    }
    log_.logMsg("Reflecting detected " + table.type + " plugin selection settings in lists...");
    PluginFiles active;
    for (std::size_t i = 0; i < table.values.size(); ++i) {
        const SelectionValue& value = table.values[i];
        std::string tag = TypeLabel(value.kind);
        if (value.pad) tag += std::to_string(PadNumber(*value.pad));
        warnIfMissing(folder, values[i], tag, table.type == "ePSXe");
        if (values[i] == kSentinel) continue;
        if (value.pad)
            active.pads[*value.pad] = values[i];
        else
            active.lists[value.kind] = values[i];
    }
    return active;
}

void ActiveSelection::warnIfMissing(const std::string& folder, const std::string& value, const std::string& tag,
                                    bool ePSXe) {
    if (value == kSentinel || (ePSXe && IsEPSXeCoreFile(value))) return;
    // A file name holds no wildcard: a value with one names no file, even
    // where a search pattern would match some.
    const bool wildcard = value.find_first_of("*?") != std::string::npos;
    if (!wildcard && FileExists(services_.files, QualifyPath(folder) + value)) return;
    services_.windows.messageBox(mainWindow_,
                                 "Warning: " + value + " is listed as the active " + tag +
                                     " plugin, but could not be found in the current plugin directory!",
                                 "Active Plugin Not Found", MessageIcon::Exclamation, MessageButtons::Ok);
}
