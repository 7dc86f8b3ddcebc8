#include "emulators/EmulatorType.h"

const std::vector<EmulatorType>& EmulatorTypes() {
    using K = PluginKind;
    static const std::vector<EmulatorType> types = {
        {EmulatorKind::ePSXe, "ePSXe", EmuSystem::PSX, "epsxe.exe", "plugins", "Software\\epsxe\\config", {},
         {{"VideoPlugin", K::GPU, {}}, {"SoundPlugin", K::SPU, {}}, {"CdromPlugin", K::CDR, {}}}, false, true,
         " -nogui", " -nogui -loadbin ", &InstallationFlags::ePSXe, true},
        {EmulatorKind::PCSX, "PCSX", EmuSystem::PSX, "pcsx.exe", "plugin", "Software\\Pcsx", {},
         {{"gpu", K::GPU, {}}, {"spu", K::SPU, {}}, {"cdr", K::CDR, {}}, {"pad1", K::PAD, Pad::One},
          {"pad2", K::PAD, Pad::Two}},
         false, true, nullptr, nullptr, &InstallationFlags::PCSX, false},
        {EmulatorKind::PSXeven, "PSXeven", EmuSystem::PSX, "psxeven.exe", "plugins",
         "Software\\PSXeven\\PS7gui\\Settings", {},
         {{"GpuFilename", K::GPU, {}}, {"SpuFilename", K::SPU, {}}, {"CdrFilename", K::CDR, {}},
          {"Pad1Filename", K::PAD, Pad::One}, {"Pad2Filename", K::PAD, Pad::Two}},
         true, true, " -runcd", " -runiso ", &InstallationFlags::PSXeven, false},
        {EmulatorKind::Folder, "Folder", EmuSystem::PSX, nullptr, nullptr, nullptr, {}, {}, false, false, nullptr,
         nullptr, nullptr, false},
        {EmulatorKind::Project64, "Project 64", EmuSystem::N64, "project64.exe", "plugin", nullptr,
         VersionKeySearch{"Software\\N64 Emulation\\", "\\Dll",
                          {"Project64 Version 1.5", "Project64 Version 1.4", "Project64 Version 1.3",
                           "Project64 Version 1.2"},
                          "Graphics Dll", &N64VersionKeys::pj64},
         {{"Graphics Dll", K::GFX, {}}, {"Audio Dll", K::SND, {}}, {"Controller Dll", K::N64PAD, {}}}, false, true,
         nullptr, " ", &InstallationFlags::Project64, false},
        {EmulatorKind::Emu1964, "1964", EmuSystem::N64, "1964.exe", "plugin", nullptr,
         VersionKeySearch{"Software\\", "\\GUI",
                          {"1964emu_099", "1964emu_085", "1964emu_084", "1964emu_073", "1964emu_072",
                           "1964emu_071", "1964emu_070", "1964emu"},
                          "VideoPlugin", &N64VersionKeys::emu1964},
         {{"VideoPlugin", K::GFX, {}}, {"AudioPlugin", K::SND, {}}, {"InputPlugin", K::N64PAD, {}}}, false, true,
         nullptr, " -f -g ", &InstallationFlags::emu1964, false},
        {EmulatorKind::Folder, "Folder", EmuSystem::N64, nullptr, nullptr, nullptr, {}, {}, false, false, nullptr,
         nullptr, nullptr, false},
    };
    return types;
}

const EmulatorType& TypeOf(EmulatorKind kind) {
    for (const EmulatorType& type : EmulatorTypes())
        if (type.kind == kind) return type;
    return EmulatorTypes().back();
}

const EmulatorType* TypeNamed(const std::string& name, EmuSystem system) {
    for (const EmulatorType& type : EmulatorTypes())
        if (type.name == name && (type.kind != EmulatorKind::Folder || type.system == system)) return &type;
    return nullptr;
}

std::string RegistryKeyOf(const EmulatorType& type, const N64VersionKeys& keys) {
    if (type.registryKey) return type.registryKey;
    return type.versionSearch ? keys.*(type.versionSearch->found) : std::string();
}
