#pragma once

#include <string>

// The consoles whose emulators the program serves. The numbers are what
// settings.ini and profiles store, and the indexes of the systems' icons.
enum class EmuSystem { PSX = 6, N64 = 7 };

inline int SystemCode(EmuSystem system) { return static_cast<int>(system); }

// The program's own plug-in folders, one per system, below the program
// folder: the backups the selector's first entry shows.
inline const char* CentralFolderName(EmuSystem system) {
    return system == EmuSystem::PSX ? "PSXPlugins" : "N64Plugins";
}

// The central folder of a system: program folder + "\" + its name.
std::string CentralFolder(const std::string& programFolder, EmuSystem system);
