#include "emulators/Launch.h"

#include "app/Helpers.h"
#include "emulators/EmulatorType.h"

namespace {
// The switches of each emulator type, after its executable; a type Corvane
// does not know gets none.
std::string Switch(const EmulatorEntry& entry, LaunchKind kind, const std::string& image) {
    const EmulatorType* type = TypeNamed(entry.Type, entry.System);
    if (kind == LaunchKind::Plain || !type) return std::string();
    if (kind == LaunchKind::CD) return type->cdSwitches ? type->cdSwitches : "";
    return type->imageSwitches ? type->imageSwitches + image : std::string();
}
}  // namespace

LaunchOffer LaunchOffersOf(const EmulatorEntry* entry, bool programRunning) {
    if (!entry || programRunning) return {};
    const EmulatorType* type = TypeNamed(entry->Type, entry->System);
    if (!type) return {true, entry->System != EmuSystem::N64, true};
    return {type->launches, type->cdSwitches != nullptr, type->imageSwitches != nullptr};
}

std::string ImageArgument(const std::string& fullPath, const std::string& shortPath) {
    if (!shortPath.empty() && shortPath.find(' ') == std::string::npos) return shortPath;
    return "\"" + fullPath + "\"";
}

LaunchCommand BuildLaunch(const EmulatorEntry& entry, LaunchKind kind, const std::string& imageArgument) {
    return LaunchCommand{entry.Exe, "\"" + entry.Exe + "\"" + Switch(entry, kind, imageArgument),
                         ParsePath(entry.Exe)};
}
