#include "session/LaunchCommands.h"

#include "app/Helpers.h"
#include "profiles/GameId.h"
#include "profiles/Profile.h"
#include "session/ProfileCommands.h"
#include "session/Session.h"

namespace {
bool Offered(const LaunchOffer& offer, LaunchKind kind) {
    switch (kind) {
        case LaunchKind::Plain: return offer.plain;
        case LaunchKind::CD: return offer.cd;
        case LaunchKind::Image: return offer.image;
    }
    return false;
}
}  // namespace

std::string LaunchCommands::detectPSXGameID() {
    return ::detectPSXGameID(session_.services().files, session_.currentCDROM());
}

EmulatorProgram LaunchCommands::program() const {
    IFileSystem& files = session_.services().files;
    return ProgramOf(session_.selectedEmulator()->Exe, [&files](const std::string& path) { return FileExists(files, path); });
}

void LaunchCommands::enterEmulatorFolder() {
    const std::string folder = ParsePath(program().path);
    session_.log().logMsg("Changing working directory to " + folder, true);
    session_.services().files.setCurrentDirectory(folder);
}

ProcessOutcome LaunchCommands::start(LaunchKind kind, const std::string& imageArgument) {
    const LaunchCommand command = BuildLaunch(*session_.selectedEmulator(), program(), kind, imageArgument);
    const ProcessOutcome outcome =
        session_.runProgram(ProcessStart{command.application, command.commandLine, command.workingFolder, false});
    if (!outcome.started)
        session_.user().tell("Emulator Not Started",
                             "Corvane could not start the emulator " + command.application +
                                 ".  Check the executable's path in the emulator's entry on the Configuration page.",
                             MessageIcon::Critical);
    session_.changed(SessionChange::LaunchEnded);
    return outcome;
}

std::optional<ProcessOutcome> LaunchCommands::launch(LaunchKind kind, const std::string& image) {
    if (!Offered(session_.launchOffers(), kind)) return std::nullopt;
    std::string chosen = image;
    if (kind == LaunchKind::Image && chosen.empty()) {
        const auto answer = session_.user().chooseFile({"Select the file you want to launch:", "All Files (*.*)", "*.*", "dll"});
        if (!answer || answer->empty()) return std::nullopt;
        chosen = *answer;
    }
    session_.changed(SessionChange::LaunchBegins);
    ProfileCommands& profiles = session_.profiles();
    if (kind == LaunchKind::CD) {
        enterEmulatorFolder();
        const std::string gameId = detectPSXGameID();
        if (!gameId.empty())
            profiles.autoLoad(gameId, "Configuration Profile Detected for GameID: " + gameId + "; Loading...");
        return start(kind, std::string());
    }
    if (kind == LaunchKind::Image) {
        profiles.autoLoad(BindingKey(BindMethod::PSXISO, "", "", ParseFileName(chosen)),
                          "Configuration Profile Detected for file: " + chosen + "; Loading...");
        enterEmulatorFolder();
        return start(kind, ImageArgument(chosen, session_.services().files.shortPath(chosen)));
    }
    enterEmulatorFolder();
    return start(kind, std::string());
}

void LaunchCommands::launchFromTray(int index, LaunchKind kind) {
    const int number = index + 1;
    if (session_.emulators().Has(number) && session_.selected() != number)
        session_.selectEmulator(number, EmuSystem::PSX);
    launch(kind);
}
