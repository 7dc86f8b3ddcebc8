#pragma once

#include <string>

// The consoles whose emulators the program serves. The numbers are what
// settings.ini and profiles store, and the indexes of the systems' icons.
enum class EmuSystem { PSX = 6, N64 = 7 };

inline int SystemCode(EmuSystem system) { return static_cast<int>(system); }

// Both systems, PSX first: the order of the pages, lists and scans.
constexpr EmuSystem kSystems[] = {EmuSystem::PSX, EmuSystem::N64};

// One value for each system.
template <typename T>
class PerSystem {
public:
    T& operator[](EmuSystem system) { return system == EmuSystem::PSX ? psx_ : n64_; }
    const T& operator[](EmuSystem system) const { return system == EmuSystem::PSX ? psx_ : n64_; }

private:
    T psx_{}, n64_{};
};

// The program's own plug-in folders, one per system, below the program
// folder: the backups the selector's first entry shows.
inline const char* CentralFolderName(EmuSystem system) {
    return system == EmuSystem::PSX ? "PSXPlugins" : "N64Plugins";
}

// The central folder of a system: program folder + "\" + its name.
std::string CentralFolder(const std::string& programFolder, EmuSystem system);
