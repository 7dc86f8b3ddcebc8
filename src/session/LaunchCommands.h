#pragma once

#include <optional>
#include <string>

#include "app/Processes.h"
#include "emulators/Launch.h"

class Session;

// Starting the selected emulator: plainly, from the disc in the chosen
// CD-ROM drive, or with an image or ROM file; the profile bound to the
// disc's game ID or to the file is loaded first.
class LaunchCommands {
public:
    explicit LaunchCommands(Session& session) : session_(session) {}

    // Does nothing when the selected emulator does not offer the launch. An
    // image launch asks the user for the file unless it is given. The
    // outcome of the emulator's run; nothing when nothing was started.
    std::optional<ProcessOutcome> launch(LaunchKind kind, const std::string& image = std::string());
    // A launch chosen in the tray: its entry (0-based) is selected first.
    void launchFromTray(int index, LaunchKind kind);
    // The game ID of the disc in the chosen CD-ROM drive, or "".
    std::string detectPSXGameID();

private:
    EmulatorProgram program() const;
    void enterEmulatorFolder();
    ProcessOutcome start(LaunchKind kind, const std::string& imageArgument);

    Session& session_;
};
