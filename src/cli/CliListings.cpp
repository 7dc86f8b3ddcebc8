#include "cli/CliListings.h"

#include <cstdio>

#include "app/Helpers.h"
#include "cli/Json.h"
#include "session/ProfileCommands.h"
#include "session/UpdateCommands.h"

namespace {
std::string SystemName(EmuSystem system) { return system == EmuSystem::PSX ? "psx" : "n64"; }

// The list kinds as the command line names them.
std::string KindName(PluginKind kind) {
    switch (kind) {
        case PluginKind::GPU: return "gpu";
        case PluginKind::SPU: return "spu";
        case PluginKind::CDR: return "cdr";
        case PluginKind::PAD:
        case PluginKind::N64PAD: return "pad";
        case PluginKind::GFX: return "gfx";
        case PluginKind::SND: return "snd";
        case PluginKind::RSP: return "rsp";
    }
    return "";
}

std::string IsoDate(const std::optional<DateTime>& date) {
    if (!date) return "";
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->year, date->month, date->day);
    return text;
}

std::string Column(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text + "  ";
}

// The systems whose lists the session shows: the chosen emulator's, or
// both own folders.
std::vector<EmuSystem> ListedSystems(Session& session) {
    if (const EmulatorEntry* entry = session.selectedEmulator())
        return {entry->System == EmuSystem::N64 ? EmuSystem::N64 : EmuSystem::PSX};
    return {EmuSystem::PSX, EmuSystem::N64};
}

bool Active(Session& session, PluginKind kind, int row) {
    if (!session.selectedEmulator()) return false;
    if (kind != PluginKind::PAD) return session.lists().chosenRow(kind) == row;
    for (const auto& [pad, padRow] : session.lists().padRows())
        if (padRow == row) return true;
    return false;
}

struct Listed {
    PluginKind kind;
    const PluginRecord* record;
    std::string file;  // as the listing names it
    bool active;
};

std::vector<Listed> ListedPlugins(Session& session) {
    std::vector<Listed> listed;
    const bool own = !session.selectedEmulator();
    for (EmuSystem system : ListedSystems(session))
        for (PluginKind kind : KindsOf(system)) {
            const auto& records = session.lists().catalogue(system).list(kind);
            for (std::size_t row = 0; row < records.size(); ++row)
                listed.push_back({kind, &records[row],
                                  (own ? std::string(CentralFolderName(system)) + "\\" : "") + records[row].fileName,
                                  Active(session, kind, static_cast<int>(row))});
        }
    return listed;
}

// The listing's folder: the emulator's, or the program folder, which holds
// both own folders.
std::string ListedFolder(Session& session) {
    const EmulatorEntry* entry = session.selectedEmulator();
    return entry ? session.lists().catalogue(ListedSystems(session).front()).folder
                 : QualifyPath(session.programFolder());
}

std::vector<StoredProbe> Skipped(Session& session) {
    std::vector<StoredProbe> skipped;
    for (const StoredProbe& entry : session.probeStore().quarantined())
        for (EmuSystem system : ListedSystems(session))
            if (LowerCase(ParsePath(entry.file.path)) == LowerCase(session.lists().catalogue(system).folder))
                skipped.push_back(entry);
    return skipped;
}
}  // namespace

std::string EmulatorsListing(Session& session, bool json) {
    std::vector<std::string> objects;
    std::string text;
    const auto& entries = session.emulators().Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const EmulatorEntry& entry = entries[i];
        objects.push_back(JsonObject({{"number", std::to_string(i + 1)}, {"name", JsonString(entry.Name)},
                                      {"system", JsonString(SystemName(entry.System))}, {"type", JsonString(entry.Type)},
                                      {"exe", JsonString(entry.Exe)}, {"plugins", JsonString(entry.Plugins)}}));
        text += Column(std::to_string(i + 1), 3) + Column(entry.Name, 20) + Column(SystemName(entry.System), 3) +
                Column(entry.Type, 10) + entry.Exe + "\n" + std::string(5, ' ') + entry.Plugins + "\n";
    }
    return json ? JsonArray(objects) + "\n" : text;
}

std::string PluginsListing(Session& session, bool json) {
    std::vector<std::string> plugins, skipped;
    std::string text = "Folder: " + ListedFolder(session) + "\n";
    for (const Listed& plugin : ListedPlugins(session)) {
        const PluginRecord& record = *plugin.record;
        const std::string released = record.core ? "" : IsoDate(FileTimeToDate(record.released));
        plugins.push_back(JsonObject({{"kind", JsonString(KindName(plugin.kind))}, {"name", JsonString(record.name)},
                                      {"version", JsonString(record.version)}, {"released", JsonString(released)},
                                      {"file", JsonString(plugin.file)}, {"active", JsonBool(plugin.active)}}));
        text += Column(plugin.active ? "*" : " ", 1) + Column(KindName(plugin.kind), 3) + Column(record.name, 36) +
                Column(record.version, 5) + Column(released, 10) + plugin.file + "\n";
    }
    for (const StoredProbe& entry : Skipped(session)) {
        const std::string date = IsoDate(entry.failedOn.year ? std::optional<DateTime>(entry.failedOn) : std::nullopt);
        skipped.push_back(JsonObject({{"file", JsonString(ParseFileName(entry.file.path))},
                                      {"reason", JsonString(entry.reason)}, {"date", JsonString(date)}}));
        text += "Skipped: " + ParseFileName(entry.file.path) + " (" + entry.reason + " on " + date + ")\n";
    }
    if (!json) return text;
    std::string emulator = "null";
    if (const EmulatorEntry* entry = session.selectedEmulator())
        emulator = JsonObject({{"number", std::to_string(session.selected())}, {"name", JsonString(entry->Name)},
                               {"system", JsonString(SystemName(entry->System))}, {"type", JsonString(entry->Type)}});
    return JsonObject({{"emulator", emulator}, {"folder", JsonString(ListedFolder(session))},
                       {"plugins", JsonArray(plugins)}, {"skipped", JsonArray(skipped)}}) +
           "\n";
}

std::string ProfilesListing(Session& session, bool json) {
    std::vector<std::string> objects;
    std::string text;
    for (const ProfileListing& profile : session.profiles().list()) {
        const std::string system = profile.system == 8 ? "both" : profile.system == 7 ? "n64" : "psx";
        objects.push_back(JsonObject({{"name", JsonString(profile.name)}, {"file", JsonString(profile.fileName)},
                                      {"system", JsonString(system)}, {"comments", JsonString(profile.comments)}}));
        text += Column(profile.fileName, 24) + Column(system, 4) + profile.name + "\n";
    }
    return json ? JsonArray(objects) + "\n" : text;
}

std::string UpdatesListing(Session& session, bool json) {
    std::vector<std::string> objects;
    std::string text;
    for (EmuSystem system : kSystems)
        for (const UpdateRecord& update : session.updates().waiting().records[system]) {
            const std::string version = system == EmuSystem::PSX ? VersionText(update.version) : update.versionText;
            const std::string released = IsoDate(FileTimeToDate(static_cast<FileTime>(update.released) * 864000000000ull));
            objects.push_back(JsonObject({{"system", JsonString(SystemName(system))},
                                          {"installed", JsonString(update.installedName)},
                                          {"installedFile", JsonString(update.installedFile)},
                                          {"name", JsonString(update.pluginName)}, {"version", JsonString(version)},
                                          {"released", JsonString(released)}, {"file", JsonString(update.fileName)},
                                          {"address", JsonString(update.address)}}));
            text += update.installedName + " (" + update.installedFile + "): " + update.pluginName + " " + version +
                    " released " + released + " (" + update.fileName + ")\n";
        }
    return json ? JsonArray(objects) + "\n" : text;
}
