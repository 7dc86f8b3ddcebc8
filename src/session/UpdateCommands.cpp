#include "session/UpdateCommands.h"

#include "app/Helpers.h"
#include "files/ArchiveImport.h"
#include "files/PluginFileNames.h"
#include "files/UpdateBackup.h"
#include "session/Session.h"

namespace {
const char* const kListFailedTitle = "Could Not Download Update List";
const char* const kListFailed =
    "Corvane encountered an error while attempting to download the list of plugins from the server.";
const char* const kDownloadFailedTitle = "Could Not Download Plugin Updates";
const char* const kDownloadFailed = "Corvane encountered an error while attempting to download the plugin updates.";
const char* const kUndoTitle = "Undo Plugin Update";
// About 8,000 to 10,000 lines a MiB: room for every plug-in there is,
// downloaded and read.
constexpr std::uint64_t kListCap = 16ull << 20;
constexpr std::uint64_t kArchiveCap = 64ull << 20;
constexpr unsigned kStallMs = 30000, kListDeadlineMs = 2 * 60 * 1000, kArchiveDeadlineMs = 10 * 60 * 1000;
constexpr std::size_t kBackupsKept = 5;
// Where an update is unpacked before it is moved into place.
const char* const kStaging = "~corvane-update\\";

std::vector<std::string> InstalledFiles(const std::vector<UpdateRecord>& candidates) {
    std::vector<std::string> files;
    for (const UpdateRecord& candidate : candidates) files.push_back(candidate.installedFile);
    return files;
}

std::string ArchiveName(const std::string& address) { return address.substr(address.find_last_of('/') + 1); }
}  // namespace

void UpdateCommands::report(bool quiet, const std::string& title, const std::string& text) {
    // An automatic check reaches the user by a balloon alone.
    if (quiet) session_.log().logMsg(title + ": " + text);
    else session_.user().tell(title, text, MessageIcon::Critical);
}

std::optional<UpdateList> UpdateCommands::fetchList(EmuSystem system, bool quiet) {
    Services& services = session_.services();
    const bool psx = system == EmuSystem::PSX;
    const std::string file = session_.tempFolder() + (psx ? "ocvxpsx.tmp" : "ocvxn64.tmp");
    const auto problem = services.downloads.download(
        DownloadRequest{session_.serviceAddress() + "zip.php?id=" + (psx ? "1" : "3"), file, kListCap, kStallMs,
                        kListDeadlineMs, [this] { return cancelled_; }});
    if (problem) {
        session_.log().logMsg(*problem);
        if (!cancelled_)
            report(quiet, kListFailedTitle,
                   std::string(kListFailed) +
                       (psx ? "\r\nEither the server is down at the moment or there is a problem with your Internet "
                              "connection."
                            : ""));
        return std::nullopt;
    }
    const auto text = services.files.readFile(file, kListCap);
    if (!text) {
        report(quiet, "Unhandled Error",
               "The update list did not download correctly. There may be a problem with your Internet Explorer "
               "Installation.");
        return std::nullopt;
    }
    return ReadUpdateList(*text, system, [this](const std::string& line) {
        session_.log().logMsg("Update list entry skipped: " + line);
    });
}

bool UpdateCommands::check(bool quiet) {
    IUser& user = session_.user();
    if (session_.serviceAddress().empty()) {
        if (quiet) session_.log().logMsg("Automatic update check skipped: no plugin update service is set");
        else
            user.tell("No Update Service",
                      "No plugin update service is set. Enter its address on the Configuration page.",
                      MessageIcon::Information);
        return false;
    }
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
            if (!cancelled_ && ask(candidate, system)) accepted.records[system].push_back(candidate);
    waiting_ = UpdateCandidates{};
    // Cancelled (Corvane is closing) while it asked: nothing is installed.
    if (accepted.count() == 0 || cancelled_)
        session_.user().progress("Idle", 0, 0);
    else
        install(accepted);
    querying_ = false;
}

// The archive downloaded, verified when the list gives its digest, and
// every entry checked: a cut or damaged archive is a failed download. The
// box's text when it is not to be installed ("" when the user cancelled).
std::optional<std::string> UpdateCommands::fetchArchive(const UpdateRecord& update, const std::string& archive) {
    Services& services = session_.services();
    ActivityLog& log = session_.log();
    const auto problem = services.downloads.download(
        DownloadRequest{update.address, archive, kArchiveCap, kStallMs, kArchiveDeadlineMs,
                        [this] { return cancelled_; }});
    if (problem) log.logMsg(*problem);
    if (problem) return cancelled_ ? std::string() : kDownloadFailed;
    if (update.sha256.empty()) {
        log.logMsg("Plugin update " + update.address + " not verified: the update list gives no checksum");
    } else {
        const auto bytes = services.files.readFile(archive, kArchiveCap);
        if ((bytes ? services.digests.sha256(*bytes) : std::nullopt) != update.sha256) {
            log.logMsg("Plugin update " + update.address + " refused: its checksum did not match");
            return std::string(kDownloadFailed) + "\r\nThe checksum of " + ArchiveName(update.address) + " (" +
                   update.fileName + ") did not match the update list.";
        }
    }
    if (!ExtractArchive(services.extraction, archive, session_.tempFolder(), true).ok()) return kDownloadFailed;
    return std::nullopt;
}

bool UpdateCommands::installInto(const std::string& archive, const std::string& folder, UpdateBackup& backup) {
    // Unpacked beside the plug-ins first, then moved into place: a plug-in
    // a running emulator holds is set aside, and a folder is never left
    // half updated. What an earlier run left in the staging folder is
    // never installed, and none is left behind.
    IFileSystem& files = session_.services().files;
    const std::string staging = QualifyPath(folder) + kStaging;
    if (!files.isDirectory(folder)) files.createDirectory(folder);
    if (files.isDirectory(staging)) RemoveFolderTree(files, staging);
    if (!ExtractArchive(session_.services().extraction, archive, staging).ok()) {
        if (files.isDirectory(staging)) RemoveFolderTree(files, staging);
        return false;
    }
    return MoveStagedFiles(files, staging, QualifyPath(folder),
                           [&backup](const std::string& target) { return backup.keep(target); });
}

// Where this system's lists were scanned from, whatever the selector shows,
// and with "Distribute" every emulator of the system.
std::vector<std::string> UpdateCommands::foldersFor(EmuSystem system) {
    std::vector<std::string> folders{session_.lists().catalogue(system).folder};
    if (session_.settings().option(Option::Distribute))
        for (const EmulatorEntry& entry : session_.emulators().Entries())
            if (entry.System == system && !SamePath(session_.services().files, entry.Plugins, folders.front()))
                folders.push_back(QualifyPath(entry.Plugins));
    return folders;
}

std::string UpdateCommands::backupRoot() const { return QualifyPath(session_.programFolder()) + "Backups\\"; }

void UpdateCommands::install(const UpdateCandidates& accepted) {
    Services& services = session_.services();
    IUser& user = session_.user();
    const std::string archive = session_.tempFolder() + "ocvxpupdate.zip";
    const int steps = static_cast<int>(2 * accepted.count());
    int done = 0;
    bool installed = false;
    std::vector<std::string> written;
    UpdateBackup backup(services.files, backupRoot(), services.clock.now());
    const auto failed = [&](const std::string& title, const std::string& text) {
        user.busy(false);
        if (!text.empty()) user.tell(title, text, MessageIcon::Critical);
        else session_.log().logMsg("Plugin update cancelled");
        user.progress("Idle", done, steps);
        return false;
    };
    const auto apply = [&](const UpdateRecord& update, EmuSystem system) {
        user.progress("Downloading " + update.pluginName, done, steps);
        if (const auto problem = fetchArchive(update, archive)) return failed(kDownloadFailedTitle, *problem);
        user.progress("Distributing " + update.pluginName, ++done, steps);
        user.busy(true);
        services.files.setCurrentDirectory(session_.programFolder());
        for (const std::string& folder : foldersFor(system)) {
            written.push_back(folder);
            if (!installInto(archive, folder, backup))
                return failed("Could Not Install Plugin Update",
                              "Corvane could not replace the files of " + update.pluginName + " in " + folder + ".");
            installed = true;
        }
        user.busy(false);
        user.progress("Distributing " + update.pluginName, ++done, steps);
        return true;
    };
    bool whole = true;
    for (EmuSystem system : kSystems)
        for (const UpdateRecord& update : accepted.records[system]) whole = whole && apply(update, system);
    if (services.files.anyMatch(archive)) services.files.deleteFile(archive);
    for (const std::string& folder : written) DropSetAsideFiles(services.files, QualifyPath(folder));
    // A run that installed nothing leaves nothing to undo.
    if (installed) backup.finish(kBackupsKept);
    else backup.drop();
    if (whole) user.progress("Plugins updated...", done, steps);
    // What was installed before a failure is listed as it now is.
    if (installed) session_.refresh({EmuSystem::PSX, EmuSystem::N64});
}

void UpdateCommands::undoLast() {
    IFileSystem& files = session_.services().files;
    IUser& user = session_.user();
    const auto backup = NewestBackup(files, backupRoot());
    if (!backup) return user.tell(kUndoTitle, "There is no plugin update to undo.", MessageIcon::Information);
    std::string replaced, added;
    for (const BackupEntry& entry : backup->entries) (entry.copy.empty() ? added : replaced) += "\r\n" + entry.path;
    std::string text = "Undo the last plugin update?";
    if (!replaced.empty()) text += "\r\n\r\nThese files are put back as they were before it:" + replaced;
    if (!added.empty()) text += "\r\n\r\nThese files, which it added, are removed:" + added;
    if (!user.ask(kUndoTitle, text, MessageIcon::Question)) return;
    std::string failed;
    for (const std::string& path : RestoreBackup(files, *backup)) failed += "\r\n" + path;
    session_.log().logMsg("Plugin update undone from " + backup->folder);
    if (!failed.empty()) user.tell(kUndoTitle, "Corvane could not put back:" + failed, MessageIcon::Critical);
    session_.refresh({EmuSystem::PSX, EmuSystem::N64});
}
