#include <gtest/gtest.h>

#include "emulators/Launch.h"

namespace {
EmulatorEntry Entry(const std::string& type, EmuSystem system) {
    return EmulatorEntry{type, system, type, "C:\\Emu Dir\\emu.exe", "C:\\Emu Dir\\plugins"};
}

TEST(Launch, EachTypeGetsItsSwitchesAfterItsQuotedExecutableAndTheImagesShortName) {
    const std::string image = ImageArgument("C:\\Games\\Final Fantasy.bin", "C:\\Games\\FINALF~1.BIN");
    EXPECT_EQ(image, "C:\\Games\\FINALF~1.BIN");
    const auto line = [&](const std::string& type, EmuSystem system, LaunchKind kind) {
        const EmulatorEntry entry = Entry(type, system);
        return BuildLaunch(entry, {entry.Exe, ""}, kind, image).commandLine;
    };
    EXPECT_EQ(line("PSXeven", EmuSystem::PSX, LaunchKind::CD), "\"C:\\Emu Dir\\emu.exe\" -runcd");
    EXPECT_EQ(line("PSXeven", EmuSystem::PSX, LaunchKind::Image), "\"C:\\Emu Dir\\emu.exe\" -runiso " + image);
    EXPECT_EQ(line("1964", EmuSystem::N64, LaunchKind::Image), "\"C:\\Emu Dir\\emu.exe\" -f -g " + image);
    EXPECT_EQ(line("Project 64", EmuSystem::N64, LaunchKind::Image), "\"C:\\Emu Dir\\emu.exe\" " + image);
    EXPECT_EQ(line("PCSX", EmuSystem::PSX, LaunchKind::Image), "\"C:\\Emu Dir\\emu.exe\"") << "no switch known";

    EXPECT_EQ(ImageArgument("C:\\My Games\\a.bin", ""), "\"C:\\My Games\\a.bin\"");
    EXPECT_EQ(ImageArgument("C:\\My Games\\a.bin", "C:\\My Games\\a.bin"), "\"C:\\My Games\\a.bin\"")
        << "8.3 names switched off: the short form still holds the blank";
}

TEST(Launch, SwitchesKeptInTheExecutableFieldGoBeforeTheTypes) {
    const std::string exe = "C:\\Emu Dir\\emu.exe";
    const auto isFile = [&](const std::string& path) { return path == exe || path == "C:\\Odd.exe Dir\\x.exe" || path == "C:\\Up\\E.EXE"; };
    const auto program = [&](const std::string& field) {
        const EmulatorProgram found = ProgramOf(field, isFile);
        return found.path + "|" + found.switches;
    };
    EXPECT_EQ(program(exe), exe + "|");
    EXPECT_EQ(program(exe + " -slowboot  -bios x"), exe + "|-slowboot  -bios x");
    EXPECT_EQ(program("C:\\Up\\E.EXE -a"), "C:\\Up\\E.EXE|-a");
    EXPECT_EQ(program("C:\\Odd.exe Dir\\x.exe -a"), "C:\\Odd.exe Dir\\x.exe|-a") << "the part that exists";
    EXPECT_EQ(program("C:\\Gone\\emu.exe -a"), "C:\\Gone\\emu.exe -a|") << "left for the start to fail";

    const EmulatorEntry entry = Entry("ePSXe", EmuSystem::PSX);
    const LaunchCommand command = BuildLaunch(entry, ProgramOf(exe + " -slowboot", isFile), LaunchKind::CD, "");
    EXPECT_EQ(command.commandLine, "\"" + exe + "\" -slowboot -nogui");
    EXPECT_EQ(command.application, exe);
}

TEST(Launch, OffersFollowTypeSystemAndRunningPrograms) {
    const auto offer = [](const std::string& type, EmuSystem system, bool running = false) {
        const EmulatorEntry entry = Entry(type, system);
        const LaunchOffer o = LaunchOffersOf(&entry, running);
        return std::string(o.plain ? "P" : "-") + (o.cd ? "C" : "-") + (o.image ? "I" : "-");
    };
    EXPECT_EQ(offer("ePSXe", EmuSystem::PSX) + offer("PSXeven", EmuSystem::PSX) + offer("PCSX", EmuSystem::PSX) +
                  offer("1964", EmuSystem::N64) + offer("Project 64", EmuSystem::N64) + offer("Folder", EmuSystem::PSX) +
                  offer("Unknown", EmuSystem::PSX) + offer("ePSXe", EmuSystem::PSX, true),
              "PCI" "PCI" "P--" "P-I" "P-I" "---" "PCI" "---");
    const LaunchOffer none = LaunchOffersOf(nullptr, false);
    EXPECT_FALSE(none.plain || none.cd || none.image) << "the backups";
}
}  // namespace
