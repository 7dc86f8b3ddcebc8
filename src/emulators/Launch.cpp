#include "emulators/Launch.h"

#include "app/Helpers.h"

namespace {
// The switches of each emulator type, after its executable.
std::string Switch(const std::string& type, LaunchKind kind, const std::string& image) {
    if (kind == LaunchKind::Plain) return std::string();
    if (type == "ePSXe") return kind == LaunchKind::CD ? " -nogui" : " -nogui -loadbin " + image;
    if (type == "PSXeven") return kind == LaunchKind::CD ? " -runcd" : " -runiso " + image;
    if (kind == LaunchKind::CD) return std::string();
    if (type == "1964") return " -f -g " + image;
    if (type == "Project 64") return " " + image;
    return std::string();
}
}  // namespace

LaunchOffer LaunchOffersOf(const EmulatorEntry* entry, bool programRunning) {
    if (!entry || programRunning || entry->Type == "Folder") return {};
    if (entry->Type == "PCSX") return {true, false, false};
    return {true, entry->System != EmuSystem::N64, true};
}

std::string ImageArgument(const std::string& fullPath, const std::string& shortPath) {
    if (!shortPath.empty() && shortPath.find(' ') == std::string::npos) return shortPath;
    return "\"" + fullPath + "\"";
}

LaunchCommand BuildLaunch(const EmulatorEntry& entry, LaunchKind kind, const std::string& imageArgument) {
    return LaunchCommand{entry.Exe, "\"" + entry.Exe + "\"" + Switch(entry.Type, kind, imageArgument),
                         ParsePath(entry.Exe)};
}
