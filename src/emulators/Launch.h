#pragma once

#include <functional>
#include <string>

#include "emulators/EmulatorEntry.h"

// The three ways to start an emulator.
enum class LaunchKind { Plain, CD, Image };

// Which launches the selected entry offers; none while a launched program
// runs or with no emulator selected.
struct LaunchOffer {
    bool plain = false, cd = false, image = false;
};
LaunchOffer LaunchOffersOf(const EmulatorEntry* entry, bool programRunning);

// The image or ROM file as an emulator's argument: its short form, which
// holds no blank; quoted whole when it has no such form.
std::string ImageArgument(const std::string& fullPath, const std::string& shortPath);

// The program an entry's executable field names, and the switches that
// follow it there. Older settings files keep switches in the field
// ("C:\\ePSXe\\epsxe.exe -slowboot"): when the whole field names no file but
// a leading part ending in ".exe" does, that part is the program and the
// rest its switches.
struct EmulatorProgram {
    std::string path, switches;
};
EmulatorProgram ProgramOf(const std::string& exeField, const std::function<bool(const std::string&)>& isFile);

// The program, its command line and the folder it starts in. The
// executable goes quoted into the command line and is named as the
// application too, so that no other program is found for a path with
// blanks, and the emulator gets its own path as one argument.
struct LaunchCommand {
    std::string application, commandLine, workingFolder;
};
// The field's own switches come before the type's.
LaunchCommand BuildLaunch(const EmulatorEntry& entry, const EmulatorProgram& program, LaunchKind kind,
                          const std::string& imageArgument);
