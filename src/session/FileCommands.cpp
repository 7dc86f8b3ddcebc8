#include "session/FileCommands.h"

#include "app/Helpers.h"
#include "files/ArchiveImport.h"
#include "files/PluginFileNames.h"
#include "session/Session.h"

namespace {
constexpr unsigned kCopyFlags = ShellFlags::kConfirmMouse | ShellFlags::kNoConfirmation | ShellFlags::kAllowUndo;
constexpr unsigned kCopyFolderFlags = kCopyFlags | ShellFlags::kFilesOnly;
const char* const kProgress = "Please Wait...";
const char* const kSameFolder =
    "The source and destination directories for the import operation were found to be the same.";
}  // namespace

bool FileCommands::shellCopy(const std::string& from, const std::string& to, unsigned flags) {
    return session_.services().files.shellFileOperation(ShellOperation::Copy, from, to, flags, kProgress, 0);
}

std::string FileCommands::destinationFolder(int destination, EmuSystem system) {
    const EmulatorDatabase& emulators = session_.emulators();
    if (destination >= 1 && emulators.Has(destination)) return QualifyPath(emulators.Entry(destination).Plugins);
    // The program's own folder of the system; made when it is missing.
    IFileSystem& files = session_.services().files;
    const std::string central = CentralFolder(session_.programFolder(), system);
    if (!files.isDirectory(central)) files.createDirectory(central);
    return QualifyPath(central);
}

std::vector<CopyDestination> FileCommands::copyDestinations(EmuSystem system) const {
    std::vector<CopyDestination> destinations;
    if (session_.selected() != 0) destinations.push_back({"Tool Backups", 0});
    const EmulatorDatabase& emulators = session_.emulators();
    for (int number = 1; number <= emulators.Count(); ++number) {
        const EmulatorEntry& entry = emulators.Entry(number);
        if (entry.System == system && number != session_.selected()) destinations.push_back({entry.Name, number});
    }
    return destinations;
}

void FileCommands::copy(int destination) {
    const PluginSelection selection = session_.lists().commandTarget();
    if (selection.path.empty()) return;
    const std::string target =
        destinationFolder(destination, SystemOf(selection.kind)) + ParseFileName(selection.path);
    // A copy onto itself does nothing.
    if (SamePath(session_.services().files, ParsePath(selection.path), ParsePath(target))) return;
    session_.log().logMsg("Copying plugin " + selection.path + " to " + target);
    if (!shellCopy(selection.path, target, kCopyFlags))
        session_.user().tell("Error While Copying!", "An error occured while attempting to copy " + selection.path + "!",
                             MessageIcon::Critical);
}

void FileCommands::copyAll(int destination, EmuSystem system) {
    IFileSystem& files = session_.services().files;
    const std::string source = session_.lists().catalogue(system).folder;
    const std::string target = destinationFolder(destination, system);
    if (SamePath(files, source, target) || !HasFiles(files, source)) return;
    session_.log().logMsg("Copying all plugins from " + source + " to " + target);
    if (!shellCopy(source + "*.*", target, kCopyFolderFlags))
        session_.user().tell("Error While Copying!",
                             "An error occured while trying to copy the plugins to the specified directory!",
                             MessageIcon::Critical);
}

RenameCheck FileCommands::checkRename(const std::string& typed) {
    const PluginSelection selection = session_.lists().commandTarget();
    const std::string old = ParseFileName(selection.path);
    // What is stored is what is checked: blanks and folder separators go
    // first.
    const std::string name = CleanPluginFileName(typed);
    if (selection.path.empty() || name == old) return {RenameVerdict::Unchanged, old};
    if (const auto problem = RenameProblem(session_.services().files, ParsePath(selection.path), old, name)) {
        session_.user().tell("Illegal Filename", *problem, MessageIcon::Exclamation);
        return {RenameVerdict::Refused, name};
    }
    if (session_.settings().option(Option::ConfirmRename) &&
        !session_.user().ask("Rename Plugin",
                             "WARNING: You are about to change the filename for " + old +
                                 ".\r\n\r\nRenaming a plugin will disable it from being updated through the plugin "
                                 "update feature of this tool.  Are you sure you want to continue?",
                             MessageIcon::Question))
        return {RenameVerdict::Declined, old};
    return {RenameVerdict::Proceed, name};
}

void FileCommands::rename(const std::string& name) {
    const PluginSelection selection = session_.lists().commandTarget();
    if (selection.path.empty()) return;
    const std::string old = ParseFileName(selection.path);
    if (!RenamePluginFile(session_.services().files, ParsePath(selection.path), old, name)) {
        session_.user().tell("Error While Renaming!", "An error occured while attemtping to rename " + old + "!",
                             MessageIcon::Critical);
        return;
    }
    session_.log().logMsg("Renamed plugin " + old + " to " + name);
    // The row and the choice follow the file only once it is renamed.
    session_.lists().renamed(name);
    session_.changed(SessionChange::Catalogue, SystemOf(selection.kind));
    session_.changed(SessionChange::Choice, SystemOf(selection.kind));
}

bool FileCommands::remove(WindowHandle owner) {
    const PluginSelection selection = session_.lists().commandTarget();
    if (selection.path.empty()) return false;
    IFileSystem& files = session_.services().files;
    const std::string fileName = ParseFileName(selection.path);
    bool deleted;
    if (session_.settings().option(Option::Delete)) {
        // Gone for good: the user says so first, and a file kept is not
        // logged as deleted.
        if (!session_.user().ask("Delete Plugin",
                                 "Are you sure you want to permanently delete " + fileName +
                                     "?  It will not be sent to the recycle bin.",
                                 MessageIcon::Question))
            return false;
        session_.log().logMsg("Deleting plugin " + fileName);
        deleted = files.deleteFile(selection.path);
    } else {
        session_.log().logMsg("Deleting plugin " + fileName);
        deleted = files.shellFileOperation(
            ShellOperation::Delete, selection.path, "",
            ShellFlags::kAllowUndo | ShellFlags::kNoConfirmation | ShellFlags::kWantNukeWarning, kProgress, owner);
    }
    if (!deleted) {
        session_.user().tell("Deletion Error!", "Deletion of " + fileName + " failed!", MessageIcon::Critical);
        return false;
    }
    session_.lists().removed();
    session_.changed(SessionChange::Catalogue, SystemOf(selection.kind));
    session_.changed(SessionChange::Choice, SystemOf(selection.kind));
    return true;
}

bool FileCommands::importFiles(const std::vector<std::string>& paths, EmuSystem system) {
    if (paths.empty()) return false;
    const std::string destination = session_.lists().catalogue(system).folder;
    session_.log().logMsg("Importing selected files to " + destination);
    for (const std::string& path : paths) {
        const std::string name = ParseFileName(path);
        if (!shellCopy(path, destination + name, kCopyFlags)) {
            session_.user().tell("Error While Importing", "There was an error while importing " + name,
                                 MessageIcon::Critical);
            continue;
        }
        session_.log().logMsg("Imported file " + name);
    }
    return true;
}

bool FileCommands::copyFolder(const std::string& folder, const std::string& destination) {
    IFileSystem& files = session_.services().files;
    if (SamePath(files, folder, destination)) return false;
    // An empty folder has nothing to copy, which is no failure.
    if (HasFiles(files, folder) && !shellCopy(folder + "*.*", destination, kCopyFolderFlags))
        session_.user().tell("Error While Importing!", "An error occured while trying to import the directory!",
                             MessageIcon::Critical);
    return true;
}

bool FileCommands::importFolder(const std::string& folder, EmuSystem system) {
    const std::string destination = session_.lists().catalogue(system).folder;
    if (SamePath(session_.services().files, folder, destination)) {
        session_.user().tell("Invalid Operation!",
                             std::string(kSameFolder) + "\r\nPlease select a different source directory.",
                             MessageIcon::Critical);
        return false;
    }
    session_.log().logMsg("Importing files from " + folder + " to " + destination);
    copyFolder(folder, destination);
    return true;
}

bool FileCommands::importZip(const std::string& archive, EmuSystem system) {
    session_.user().busy(true);
    const std::string destination = session_.lists().catalogue(system).folder;
    session_.log().logMsg("Importing files from zip " + archive + " to " + destination);
    session_.services().files.setCurrentDirectory(session_.programFolder());
    const ArchiveResult result = ExtractArchive(session_.services().extraction, archive, destination);
    for (const std::string& refused : result.refused) session_.log().logMsg("Entry not imported: " + refused);
    session_.user().busy(false);
    if (!result.ok())
        session_.user().tell("Error While Importing!",
                             "An error occured while importing from " + archive + ":\r\n" + result.problem(),
                             MessageIcon::Critical);
    return true;
}

void FileCommands::drop(const std::vector<std::string>& paths, EmuSystem system) {
    IFileSystem& files = session_.services().files;
    const std::string destination = session_.lists().catalogue(system).folder;
    for (const std::string& path : paths) {
        if (files.isDirectory(path)) {
            if (!copyFolder(QualifyPath(path), destination))
                session_.user().tell("Invalid Operation!", kSameFolder, MessageIcon::Critical);
        } else if (!shellCopy(path, destination + ParseFileName(path), kCopyFlags)) {
            session_.user().tell("Error While Importing", "There was an error while importing " + ParseFileName(path),
                                 MessageIcon::Critical);
        }
    }
}
