#include "emulators/ActiveSelection.h"

#include "app/Helpers.h"
#include "plugins/PluginScanner.h"

namespace {
const std::vector<SelectionTable>& Tables() {
    static const std::vector<SelectionTable> tables = {
        {"ePSXe", {{"VideoPlugin", 0, 0}, {"SoundPlugin", 1, 0}, {"CdromPlugin", 2, 0}}},
        {"PCSX", {{"gpu", 0, 0}, {"spu", 1, 0}, {"cdr", 2, 0}, {"pad1", 3, 1}, {"pad2", 3, 2}}},
        {"PSXeven",
         {{"GpuFilename", 0, 0}, {"SpuFilename", 1, 0}, {"CdrFilename", 2, 0}, {"Pad1Filename", 3, 1},
          {"Pad2Filename", 3, 2}},
         true},
        {"Project 64", {{"Graphics Dll", 4, 0}, {"Audio Dll", 5, 0}, {"Controller Dll", 6, 0}}},
        {"1964", {{"VideoPlugin", 4, 0}, {"AudioPlugin", 5, 0}, {"InputPlugin", 6, 0}}},
    };
    return tables;
}

std::string RemoveAll(std::string text, const std::string& piece) {
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at)) text.erase(at, piece.size());
    return text;
}

const std::string& FileNameOf(const ListRow& row) { return row.subItems.back(); }

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

void ActiveSelection::ReadPSX(const std::string& type, const std::string& pluginFolder) {
    log_.logMsg("Retrieving PSX emulator plugin configuration...", true);
    const SelectionTable* table = SelectionTableOf(type);
    if (table && table->values.front().list < 4) read(*table, KeyOf(type, {}), pluginFolder);
}

void ActiveSelection::ReadN64(const std::string& type, const std::string& pluginFolder, const N64VersionKeys& keys) {
    log_.logMsg("Retrieving N64 emulator plugin configuration...", true);
    const SelectionTable* table = SelectionTableOf(type);
    if (!table || table->values.front().list < 4) return;
    const std::string key = KeyOf(type, keys);
    if (!key.empty()) read(*table, key, pluginFolder);
}

void ActiveSelection::read(const SelectionTable& table, const std::string& key, const std::string& folder) {
    std::vector<std::string> values;
    for (const auto& value : table.values) {
        const std::string text = registry_.GetRegString(HKCU, key, value.valueName, kSentinel);
        values.push_back(table.psxevenPrefix ? RemoveAll(text, "plugins\\") : text);
    }
    log_.logMsg("Reflecting detected " + table.type + " plugin selection settings in lists...");
    const bool ePSXe = table.type == "ePSXe";
    for (std::size_t i = 0; i < table.values.size(); ++i) {
        const SelectionValue& value = table.values[i];
        std::string tag = PluginScanner::TypeLabel(value.list);
        if (value.pad) tag += std::to_string(value.pad);
        warnIfMissing(folder, values[i], tag, ePSXe);
        if (value.pad)
            selectPadRows(value.pad, values[i]);
        else
            selectListRow(value.list, values[i]);
    }
}

void ActiveSelection::warnIfMissing(const std::string& folder, const std::string& value, const std::string& tag,
                                    bool ePSXe) {
    if (value == kSentinel || (ePSXe && IsEPSXeCoreFile(value))) return;
    if (FileExists(services_.files, QualifyPath(folder) + value)) return;
    services_.windows.messageBox(mainWindow_,
                                 "Warning: " + value + " is listed as the active " + tag +
                                     " plugin, but could not be found in the current plugin directory!",
                                 "Active Plugin Not Found", MessageIcon::Exclamation, MessageButtons::Ok);
}

void ActiveSelection::selectListRow(int list, const std::string& fileName) {
    // PSX lists compare file names without regard to letter case; N64 lists
    // compare them exactly.
    const bool psx = list < 4;
    const auto& rows = lists_[list].rows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string& name = FileNameOf(rows[row]);
        if (psx ? LowerCase(name) == LowerCase(fileName) : name == fileName) {
            lists_[list].setSelectedIndex(static_cast<int>(row));
            return;
        }
    }
}

void ActiveSelection::selectPadRows(int pad, const std::string& fileName) {
    const auto& rows = lists_[3].rows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (LowerCase(FileNameOf(rows[row])) != LowerCase(fileName)) continue;
        pads_.rows[pad - 1] = static_cast<int>(row);
        if (pads_.shown == pad) {
            lists_[3].setSelectedIndex(static_cast<int>(row));
            return;
        }
    }
}
