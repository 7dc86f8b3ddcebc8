#include "emulators/ApplySelection.h"

namespace {
template <typename Key>
std::string ChosenFile(const std::map<Key, std::string>& chosen, Key key) {
    const auto found = chosen.find(key);
    return found == chosen.end() ? std::string() : found->second;
}
}  // namespace

void ApplySelection::Apply(const std::string& typeName, EmuSystem system, const N64VersionKeys& keys,
                           const PluginFiles& choice) {
    log_.logMsg("Configuring " + typeName + " plugin selections...");
    const EmulatorType* type = TypeNamed(typeName, system);
    if (!type) return;
    const std::string key = RegistryKeyOf(*type, keys);
    if (key.empty()) return;
    for (const auto& value : type->values) {
        const std::string fileName = value.pad ? ChosenFile(choice.pads, *value.pad) : ChosenFile(choice.lists, value.kind);
        if (fileName.empty()) continue;
        registry_.SaveRegString(clsRegistry::kCurrentUser, key, value.valueName,
                                (type->pluginsPrefixed ? "plugins\\" : "") + fileName);
    }
}
