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

EmulatorProgram ProgramOf(const std::string& exeField, const std::function<bool(const std::string&)>& isFile) {
    if (isFile(exeField)) return {exeField, ""};
    const std::string lower = LowerCase(exeField);
    for (std::size_t end = lower.find(".exe "); end != std::string::npos; end = lower.find(".exe ", end + 1)) {
        const std::string program = exeField.substr(0, end + 4);
        const std::size_t switches = exeField.find_first_not_of(' ', end + 4);
        if (switches != std::string::npos && isFile(program)) return {program, exeField.substr(switches)};
    }
    return {exeField, ""};
}

LaunchCommand BuildLaunch(const EmulatorEntry& entry, const EmulatorProgram& program, LaunchKind kind,
                          const std::string& imageArgument) {
    std::string commandLine = "\"" + program.path + "\"";
    if (!program.switches.empty()) commandLine += " " + program.switches;
    return LaunchCommand{program.path, commandLine + Switch(entry, kind, imageArgument), ParsePath(program.path)};
}
