#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Systems.h"
#include "plugins/PluginKind.h"

// The kinds of emulator Corvane serves; a "Folder" is a plain plug-in
// folder of either system, no emulator.
enum class EmulatorKind { ePSXe, PCSX, PSXeven, Project64, Emu1964, Folder };

// Which emulator programs the user has registered at least once this run;
// the profile-saving dialog pre-selects their settings.
struct InstallationFlags {
    bool ePSXe = false, PSXeven = false, PCSX = false, Project64 = false, emu1964 = false;
};

// The keys of the installed versions of the N64 emulators; empty when none
// was found.
struct N64VersionKeys {
    std::string pj64;
    std::string emu1964;
};

// One registry value of an emulator's plug-in choice: the file of one list
// (the PAD list twice, once per pad, for PCSX and PSXeven).
struct SelectionValue {
    const char* valueName;
    PluginKind kind;
    std::optional<Pad> pad;
};

// How the key of an N64 emulator is found: the first of its versions'
// keys (prefix + version + suffix) that holds the probe value.
struct VersionKeySearch {
    const char* prefix;
    const char* suffix;
    std::vector<const char*> versions;
    const char* probeValue;
    std::string N64VersionKeys::*found;
};

// Everything Corvane knows of one kind of emulator.
struct EmulatorType {
    EmulatorKind kind;
    const char* name;  // as settings.ini stores it
    EmuSystem system;
    // The executable's lower-case file name, which the Add dialog's Browse
    // recognises, and the plug-in folder beside it; nullptr for a Folder.
    const char* executable;
    const char* pluginFolder;
    // The key below HKEY_CURRENT_USER that holds the plug-in choice, or the
    // search that finds it among the installed versions.
    const char* registryKey;
    std::optional<VersionKeySearch> versionSearch;
    std::vector<SelectionValue> values;
    // The values hold "plugins\" before the file name.
    bool pluginsPrefixed;
    // What the launches put after the executable: the switches that boot the
    // disc, and those before an image's path; nullptr where the emulator
    // cannot be started so. A Folder starts nothing.
    bool launches;
    const char* cdSwitches;
    const char* imageSwitches;
    bool InstallationFlags::*installed;
    // Its built-in cores are listed as pseudo plug-ins.
    bool cores;
};

// Every kind, PSX ones first, each system's Folder last.
const std::vector<EmulatorType>& EmulatorTypes();
const EmulatorType& TypeOf(EmulatorKind kind);
// The type of this name; a Folder of the system given. Nothing for a name
// no type has.
const EmulatorType* TypeNamed(const std::string& name, EmuSystem system = EmuSystem::PSX);
// The key of a type's plug-in choice; "" when its version was not found.
std::string RegistryKeyOf(const EmulatorType& type, const N64VersionKeys& keys);
