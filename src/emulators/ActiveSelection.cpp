#include "emulators/ActiveSelection.h"

#include "app/Helpers.h"
#include "plugins/PluginScanner.h"

namespace {
std::string RemoveAll(std::string text, const std::string& piece) {
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at)) text.erase(at, piece.size());
    return text;
}

constexpr std::uint32_t HKCU = clsRegistry::kCurrentUser;
}  // namespace

std::string ActiveSelection::findKey(const EmulatorType& type) {
    const VersionKeySearch& search = *type.versionSearch;
    log_.logMsg(std::string("Searching for ") + type.name + " version identification...");
    for (const char* version : search.versions) {
        const std::string path = std::string(search.prefix) + version + search.suffix;
        if (registry_.GetRegString(HKCU, path, search.probeValue, kSentinel) != kSentinel) {
            log_.logMsg(std::string("Found ") + type.name + " key at " + path);
            return path;
        }
        log_.logMsg(std::string("No ") + type.name + " key could be found...");
    }
    return std::string();
}

N64VersionKeys ActiveSelection::FindVersionKeys() {
    N64VersionKeys keys;
    for (const EmulatorType& type : EmulatorTypes())
        if (type.versionSearch) keys.*(type.versionSearch->found) = findKey(type);
    return keys;
}

ActiveReading ActiveSelection::Read(EmuSystem system, const std::string& typeName, const std::string& pluginFolder,
                                    const N64VersionKeys& keys) {
    log_.logMsg(std::string("Retrieving ") + (system == EmuSystem::PSX ? "PSX" : "N64") +
                    " emulator plugin configuration...",
                true);
    const EmulatorType* type = TypeNamed(typeName, system);
    if (!type || type->system != system || type->values.empty()) return {};
    const std::string key = RegistryKeyOf(*type, keys);
    if (key.empty()) return {};
    return read(*type, key, pluginFolder);
}

ActiveReading ActiveSelection::read(const EmulatorType& type, const std::string& key, const std::string& folder) {
    std::vector<std::string> values;
    for (const auto& value : type.values) {
        const std::string text = registry_.GetRegString(HKCU, key, value.valueName, kSentinel);
        values.push_back(type.pluginsPrefixed ? RemoveAll(text, "plugins\\") : text);
    }
    log_.logMsg(std::string("Reflecting detected ") + type.name + " plugin selection settings in lists...");
    ActiveReading reading;
    for (std::size_t i = 0; i < type.values.size(); ++i) {
        const SelectionValue& value = type.values[i];
        std::string tag = TypeLabel(value.kind);
        if (value.pad) tag += std::to_string(PadNumber(*value.pad));
        if (missing(folder, values[i], type.cores)) reading.missing.push_back(MissingPlugin{values[i], tag});
        if (values[i] == kSentinel) continue;
        if (value.pad)
            reading.active.pads[*value.pad] = values[i];
        else
            reading.active.lists[value.kind] = values[i];
    }
    return reading;
}

bool ActiveSelection::missing(const std::string& folder, const std::string& value, bool cores) {
    if (value == kSentinel || (cores && IsEPSXeCoreFile(value))) return false;
    // A file name holds no wildcard: a value with one names no file, even
    // where a search pattern would match some.
    const bool wildcard = value.find_first_of("*?") != std::string::npos;
    return wildcard || !FileExists(files_, QualifyPath(folder) + value);
}
