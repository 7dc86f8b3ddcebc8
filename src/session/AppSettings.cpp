#include "session/AppSettings.h"

#include <variant>

namespace {
// One key of settings.ini and the field of the record it holds. Options are
// stored as "1"/"0", other booleans as "-1"/"0".
using Field = std::variant<Option, bool AppSettings::*, int AppSettings::*, std::string AppSettings::*>;
// Addresses are written only when the file named one, so that a file
// without them stays without them.
enum class Written { Always, Never, WhenSet };
struct Key {
    const char* section;
    const char* name;
    Field field;
    Written written;
};

const std::vector<Key>& Keys() {
    static const std::vector<Key> keys = [] {
        std::vector<Key> table;
        for (const OptionSetting& setting : OptionSettings())
            if (setting.key) table.push_back({"Configuration", setting.key, setting.option, Written::Always});
        const std::vector<Key> rest{
            {"Configuration", "Interval", &AppSettings::interval, Written::Always},
            {"Configuration", "Logging", &AppSettings::logging, Written::Always},
            {"Configuration", "LastUpdate", &AppSettings::lastUpdate, Written::Always},
            {"Configuration", "Transparency", &AppSettings::transparency, Written::Always},
            {"Configuration", "LConfigDetails", &AppSettings::loadConfigDetails, Written::Always},
            {"Configuration", "CDRomSelection", &AppSettings::cdromSelection, Written::Always},
            {"Configuration", "LastEmu", &AppSettings::lastEmu, Written::Never},
            {"Updates", "ServiceAddress", &AppSettings::serviceAddress, Written::WhenSet},
            {"Help", "WebSite", &AppSettings::webSite, Written::WhenSet},
        };
        table.insert(table.end(), rest.begin(), rest.end());
        return table;
    }();
    return keys;
}

struct Reader {
    IIniFile& ini;
    const std::string& path;
    const Key& key;
    AppSettings& settings;
    void operator()(Option option) const {
        settings.setOption(option, ini.readInt(path, key.section, key.name, settings.option(option) ? 1 : 0) != 0);
    }
    void operator()(bool AppSettings::*field) const {
        settings.*field = ini.readInt(path, key.section, key.name, settings.*field ? 1 : 0) != 0;
    }
    void operator()(int AppSettings::*field) const {
        settings.*field = ini.readInt(path, key.section, key.name, settings.*field);
    }
    void operator()(std::string AppSettings::*field) const {
        settings.*field = ini.readString(path, key.section, key.name, settings.*field);
    }
};

struct Writer {
    const AppSettings& settings;
    std::string operator()(Option option) const { return settings.option(option) ? "1" : "0"; }
    std::string operator()(bool AppSettings::*field) const { return StoredBoolean(settings.*field); }
    std::string operator()(int AppSettings::*field) const { return std::to_string(settings.*field); }
    std::string operator()(std::string AppSettings::*field) const { return settings.*field; }
};
}  // namespace

AppSettings::AppSettings() {
    for (const OptionSetting& setting : OptionSettings()) setOption(setting.option, setting.defaultValue);
}

AppSettings ReadSettings(IIniFile& ini, const std::string& path) {
    AppSettings settings;
    for (const Key& key : Keys()) std::visit(Reader{ini, path, key, settings}, key.field);
    return settings;
}

std::vector<IniSection> SettingsSections(const AppSettings& settings) {
    std::vector<IniSection> sections;
    for (const Key& key : Keys()) {
        if (key.written == Written::Never) continue;
        const std::string value = std::visit(Writer{settings}, key.field);
        if (key.written == Written::WhenSet && value.empty()) continue;
        if (sections.empty() || sections.back().name != key.section) sections.push_back(IniSection{key.section, {}});
        sections.back().entries.push_back(IniEntry{key.name, value});
    }
    return sections;
}
