#include "session/ProfileCommands.h"

#include "app/Helpers.h"
#include "session/Session.h"

namespace {
const char* const kCRLF = "\r\n";
// The box names this many entries left out; the log has them all.
constexpr std::size_t kNamedInBox = 15;

std::string LeftOutText(const std::string& fileName, const std::vector<std::string>& leftOut) {
    std::string text = "These entries of the configuration profile '" + fileName +
                       "' were not loaded: a profile may only write the keys of the PSX plug-ins, of the emulators "
                       "and of the N64 registry paths, and never deletes a key or a value." +
                       kCRLF;
    for (std::size_t i = 0; i < leftOut.size() && i < kNamedInBox; ++i) text += kCRLF + leftOut[i];
    if (leftOut.size() > kNamedInBox)
        text += kCRLF + std::string("... and ") + std::to_string(leftOut.size() - kNamedInBox) + " more (see the log)";
    return text;
}
}  // namespace

std::vector<ProfileListing> ProfileCommands::list() const {
    const Services& services = session_.services();
    const std::string folder = ProfileFolder(session_.programFolder());
    std::vector<ProfileListing> found;
    for (const auto& file : services.files.find(folder + "*.cfg")) {
        if (file.isDirectory) continue;
        // Not even its section is read of a file too large to load.
        const ProfileSection section =
            file.size > ProfileFiles::kMaxFileBytes
                ? ProfileSection{"Not Available", 6, "This profile is damaged: it is larger than " +
                                                        std::to_string(ProfileFiles::kMaxFileBytes >> 20) + " MiB."}
                : ProfileFiles::ReadSection(services.ini, folder + file.name);
        found.push_back(ProfileListing{section.name, file.name, section.comments, section.system});
    }
    std::vector<ProfileListing> listed;
    for (int system : {8, 6, 7})
        for (const ProfileListing& entry : found)
            if (entry.system == system) listed.push_back(entry);
    return listed;
}

bool ProfileCommands::remove(const std::string& fileName) {
    IUser& user = session_.user();
    if (!user.ask("Are You Sure?", "Are you sure you want to delete '" + fileName + "?'", MessageIcon::Question))
        return false;
    if (session_.services().files.deleteFile(ProfileFolder(session_.programFolder()) + fileName)) return true;
    user.tell("Could Not Delete Configuration", "The configuration profile '" + fileName + "' could not be deleted.",
              MessageIcon::Critical);
    return false;
}

ProfileProblem ProfileCommands::import(const std::string& path, std::vector<std::string>& leftOut) {
    Services& services = session_.services();
    RegTool reg([this](const ProcessStart& start) { return session_.runProgram(start); },
                services.processes.systemFolder());
    const ProfileProblem problem = ProfileFiles(services.files, services.ini, services.registry, reg, session_.tempFolder())
                                       .Import(path, AllowedProfileKeys(n64Paths()), leftOut);
    for (const std::string& entry : leftOut) session_.log().logMsg("Configuration profile entry not loaded: " + entry);
    return problem;
}

std::optional<std::string> ProfileCommands::profilePath(const std::string& fileName) const {
    // That file and no other: a name is no pattern, and names no file
    // outside the profile folder.
    const std::string path = ProfileFolder(session_.programFolder()) + fileName;
    IFileSystem& files = session_.services().files;
    if (!IsPlainFileName(fileName) || !files.anyMatch(path) || files.isDirectory(path)) return std::nullopt;
    return path;
}

bool ProfileCommands::load(const std::string& fileName) {
    const std::optional<std::string> path = profilePath(fileName);
    if (!path) {
        session_.user().tell("File Not Found", "The configuration profile '" + fileName + "' could not be found.",
                             MessageIcon::Critical);
        return false;
    }
    std::vector<std::string> leftOut;
    if (const ProfileProblem problem = import(*path, leftOut)) {
        session_.user().tell("Could Not Load Configuration", *problem, MessageIcon::Critical);
        return false;
    }
    // The rest of the profile is loaded.
    if (!leftOut.empty())
        session_.user().tell("Profile Entries Not Loaded", LeftOutText(fileName, leftOut), MessageIcon::Exclamation);
    return true;
}

ProfileProblem ProfileCommands::preview(const std::string& fileName, ProfilePreview& preview) const {
    const std::optional<std::string> path = profilePath(fileName);
    if (!path) return "The configuration profile '" + fileName + "' could not be found.";
    Services& services = session_.services();
    return ProfileFiles::Preview(services.files, services.registry, *path, AllowedProfileKeys(n64Paths()), preview);
}

void ProfileCommands::autoLoad(const std::string& key, const std::string& logLine) {
    if (session_.flags().blNoConfigAutoLoad || !IsPlainFileName(key)) return;
    const std::optional<std::string> profile = profilePath(key + ".cfg");
    if (!profile) return;
    session_.log().logMsg(logLine);
    std::vector<std::string> leftOut;
    if (const ProfileProblem problem = import(*profile, leftOut)) {
        // The game still starts, with the settings the emulator has.
        session_.log().logMsg(*problem);
        session_.user().tell("Could Not Load Configuration", *problem, MessageIcon::Critical);
    }
}

bool ProfileCommands::save(const ProfileRequest& request) {
    const std::string key = BindingKey(request.method, request.name, request.gameId, request.fileName);
    IUser& user = session_.user();
    // The key names a file of the profile folder and nothing else: no
    // other folder, no stream of another file.
    if (!IsPlainFileName(key)) {
        user.tell("Bind Error",
                  "'" + key + "' cannot be the name of a configuration profile.  A name must not be empty nor hold any "
                              "of the characters \\ / : * ? \" < > |.",
                  MessageIcon::Exclamation);
        return false;
    }
    Services& services = session_.services();
    RegTool reg([this](const ProcessStart& start) { return session_.runProgram(start); },
                services.processes.systemFolder());
    ProfileFiles profiles(services.files, services.ini, services.registry, reg, session_.tempFolder());
    const std::string path = ProfileFolder(session_.programFolder()) + key + ".cfg";
    profiles.RemoveSnapshots();
    std::vector<Snapshot> made;
    ProfileProblem problem = profiles.Export(PlanSnapshots(request.contents, n64Paths(), session_.versionKeys()), made);
    bool write = !problem;
    if (write && services.files.anyMatch(path))
        write = user.ask("File Already Exists!",
                         "There is already a configuration with the filename " + key + "." + kCRLF +
                             "Would you like to overwrite the old configuration with the new one?",
                         MessageIcon::Question);
    // A missing profile folder is made: the installation brings none.
    const std::string folder = ProfileFolder(session_.programFolder());
    const std::string folderPath = folder.substr(0, folder.size() - 1);
    if (write && !services.files.isDirectory(folderPath)) services.files.createDirectory(folderPath);
    if (write)
        problem = profiles.Join(
            made, ProfileSection{request.name, ConfigSystemOf(request.contents, session_.versionKeys()), request.comments},
            path);
    profiles.RemoveSnapshots();
    if (problem) {
        user.tell("Could Not Save Configuration", *problem + "  The configuration was not saved.", MessageIcon::Critical);
        return false;
    }
    return true;
}

std::string ProfileCommands::n64PathsFile() const { return N64PathsFile(session_.programFolder()); }

std::vector<N64RegistryPath> ProfileCommands::n64Paths() const {
    return LoadN64Paths(session_.services().ini, n64PathsFile());
}

bool ProfileCommands::storeN64Paths(const std::vector<N64RegistryPath>& paths) {
    if (StoreN64Paths(session_.services().ini, session_.services().files, n64PathsFile(), paths)) return true;
    session_.user().tell("Could Not Save N64 Registry Paths", "The list could not be written to " + n64PathsFile() + ".",
                         MessageIcon::Critical);
    return false;
}
