#include "emulators/ApplySelection.h"

namespace {
template <typename Key>
std::string ChosenFile(const std::map<Key, std::string>& chosen, Key key) {
    const auto found = chosen.find(key);
    return found == chosen.end() ? std::string() : found->second;
}
}  // namespace

void ApplySelection::Apply(const std::string& type, const N64VersionKeys& keys, const PluginFiles& choice) {
    log_.logMsg("Configuring " + type + " plugin selections...");
    const SelectionTable* table = SelectionTableOf(type);
    const std::string key = ActiveSelection::KeyOf(type, keys);
    if (!table || key.empty()) return;
    for (const auto& value : table->values) {
        const std::string fileName = value.pad ? ChosenFile(choice.pads, *value.pad) : ChosenFile(choice.lists, value.kind);
        if (fileName.empty()) continue;
        registry_.SaveRegString(clsRegistry::kCurrentUser, key, value.valueName,
                                (table->psxevenPrefix ? "plugins\\" : "") + fileName);
    }
}
