#pragma once

#include <functional>
#include <string>

#include "app/Services.h"
#include "emulators/ActiveSelection.h"
#include "emulators/EmulatorDatabase.h"
#include "profiles/RegTool.h"

// What the profile dialogs need of the main window.
struct ProfileContext {
    Services& services;
    std::string programFolder;
    std::string tempFolder;  // with its trailing backslash
    N64VersionKeys versionKeys;
    InstallationFlags installed;
    ProgramRunner run;                      // RunShell
    std::function<std::string()> gameId;    // the disc in the selected drive
};
