#include "session/UpdateCommands.h"

#include "app/Helpers.h"
#include "files/ArchiveImport.h"
#include "files/PluginFileNames.h"
#include "session/Session.h"

namespace {
// Lists of tens of thousands of lines fit many times over.
constexpr std::uint64_t kLargestUpdateList = 16 << 20;
const char* const kListFailedTitle = "Could Not Download Update List";
const char* const kListFailed =
    "Corvane encountered an error while attempting to download the list of plugins from the server.";
const char* const kDownloadFailedTitle = "Could Not Download Plugin Updates";
const char* const kDownloadFailed = "Corvane encountered an error while attempting to download the plugin updates.";
constexpr std::uint64_t kListCap = 1 << 20;
constexpr std::uint64_t kArchiveCap = 64ull << 20;

std::vector<std::string> InstalledFiles(const std::vector<UpdateRecord>& candidates) {
    std::vector<std::string> files;
    for (const UpdateRecord& candidate : candidates) files.push_back(candidate.installedFile);
    return files;
}
}  // namespace

std::optional<UpdateList> UpdateCommands::fetchList(EmuSystem system, bool quiet) {
    Services& services = session_.services();
    const bool psx = system == EmuSystem::PSX;
    const std::string file = session_.tempFolder() + (psx ? "ocvxpsx.tmp" : "ocvxn64.tmp");
    const auto problem = services.downloads.download(
        DownloadRequest{session_.serviceAddress() + "zip.php?id=" + (psx ? "1" : "3"), file, kListCap, 30000});
    if (problem) {
        session_.log().logMsg(*problem);
        // The PSX list's failure is not shown from the tray or to an
        // automatic check; the N64 list's always is.
        if (!psx || !quiet)
            session_.user().tell(kListFailedTitle,
                                 std::string(kListFailed) +
                                     (psx ? "\r\nEither the server is down at the moment or there is a problem with "
                                            "your Internet connection."
                                          : ""),
                                 MessageIcon::Critical);
        return std::nullopt;
    }
    const auto text = services.files.readFile(file, kLargestUpdateList);
    if (!text) {
        session_.user().tell("Unhandled Error",
                             "The update list did not download correctly. There may be a problem with your Internet "
                             "Explorer Installation.",
                             MessageIcon::Critical);
        return std::nullopt;
    }
    return ReadUpdateList(*text, system, [this](const std::string& line) {
        session_.log().logMsg("Update list entry skipped: " + line);
    });
}

bool UpdateCommands::check(bool quiet) {
    IUser& user = session_.user();
    user.progress("Checking connection...", 0, 0);
    user.progress("Downloading plugin list...", 0, 0);
    const auto psxList = fetchList(EmuSystem::PSX, quiet);
    if (!psxList) return false;
    const auto n64List = fetchList(EmuSystem::N64, quiet);
    if (!n64List || n64List->warning) return false;

    user.progress("Scanning plugins...", 0, 0);
    for (EmuSystem system : kSystems) {
        waiting_.records[system] =
            FindCandidates(session_.lists().catalogue(system), system == EmuSystem::PSX ? *psxList : *n64List);
        session_.lists().markUpdatable(system, InstalledFiles(waiting_.records[system]));
        session_.changed(SessionChange::Catalogue, system);
    }
    const std::size_t count = waiting_.count();
    user.progress(count == 0 ? "No updates were found..." : "Updates found for " + std::to_string(count) + " plugin(s)...",
                  0, 0);
    IClock& clock = session_.services().clock;
    session_.settings().lastUpdate = clock.formatGeneral(clock.now());
    return true;
}

bool UpdateCommands::ask(const UpdateRecord& candidate, EmuSystem system) {
    const bool psx = system == EmuSystem::PSX;
    DateTime released;
    const auto date = FileTimeToDate(static_cast<FileTime>(candidate.released) * 864000000000ull);
    if (date) released = *date;
    const std::string text =
        std::string(psx ? "An update has been found for " : "A potential update has been found for ") +
        candidate.installedName + ". Do you want to update it with:\r\n" + candidate.pluginName + " version " +
        (psx ? VersionText(candidate.version) : candidate.versionText) + " (" + candidate.fileName + ") released " +
        session_.services().clock.formatShortDate(released) + "?";
    return session_.user().ask("Plugin Update Query", text, MessageIcon::Question);
}

void UpdateCommands::query() {
    querying_ = true;
    UpdateCandidates accepted;
    for (EmuSystem system : kSystems)
        for (const UpdateRecord& candidate : waiting_.records[system])
            if (ask(candidate, system)) accepted.records[system].push_back(candidate);
    waiting_ = UpdateCandidates{};
    if (accepted.count() == 0)
        session_.user().progress("Idle", 0, 0);
    else
        install(accepted);
    querying_ = false;
}

bool UpdateCommands::installInto(const std::string& archive, const std::string& folder) {
    // Unpacked beside the plug-ins first, then moved into place: a plug-in
    // a running emulator holds is set aside, and a folder is never left
    // half updated.
    IFileSystem& files = session_.services().files;
    const std::string staging = QualifyPath(folder) + "~corvane-update\\";
    if (!files.isDirectory(folder)) files.createDirectory(folder);
    return ExtractArchive(session_.services().extraction, archive, staging).ok() &&
           MoveStagedFiles(files, staging, QualifyPath(folder));
}

void UpdateCommands::install(const UpdateCandidates& accepted) {
    Services& services = session_.services();
    IUser& user = session_.user();
    const std::string archive = session_.tempFolder() + "ocvxpupdate.zip";
    const int steps = static_cast<int>(2 * accepted.count());
    int done = 0;
    const auto fail = [&](const std::string& text, const std::string& title) {
        user.tell(title, text, MessageIcon::Critical);
        user.progress("Idle", done, steps);
        if (services.files.anyMatch(archive)) services.files.deleteFile(archive);
    };
    for (EmuSystem system : kSystems) {
        for (const UpdateRecord& update : accepted.records[system]) {
            user.progress("Downloading " + update.pluginName, done, steps);
            const auto problem =
                services.downloads.download(DownloadRequest{update.address, archive, kArchiveCap, 30000});
            // A cut or damaged archive is a failed download: every entry is
            // checked before anything is written.
            if (problem || !ExtractArchive(services.extraction, archive, session_.tempFolder(), true).ok())
                return fail(kDownloadFailed, kDownloadFailedTitle);
            user.progress("Distributing " + update.pluginName, ++done, steps);
            user.busy(true);
            services.files.setCurrentDirectory(session_.programFolder());
            // Where this system's lists were scanned from, whatever the
            // selector shows.
            std::vector<std::string> folders{session_.lists().catalogue(system).folder};
            if (session_.settings().option(Option::Distribute))
                for (const EmulatorEntry& entry : session_.emulators().Entries())
                    if (entry.System == system && !SamePath(services.files, entry.Plugins, folders.front()))
                        folders.push_back(QualifyPath(entry.Plugins));
            for (const std::string& folder : folders) {
                if (installInto(archive, folder)) continue;
                user.busy(false);
                return fail("Corvane could not replace the files of " + update.pluginName + " in " + folder + ".",
                            "Could Not Install Plugin Update");
            }
            user.busy(false);
            user.progress("Distributing " + update.pluginName, ++done, steps);
        }
    }
    services.files.deleteFile(archive);
    user.progress("Plugins updated...", done, steps);
    session_.refresh({EmuSystem::PSX, EmuSystem::N64});
}
