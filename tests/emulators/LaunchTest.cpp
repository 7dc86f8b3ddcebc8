#include <gtest/gtest.h>

#include "emulators/Launch.h"

namespace {
EmulatorEntry Entry(const std::string& type, EmuSystem system) {
    return EmulatorEntry{type, system, type, "C:\\Emu Dir\\emu.exe", "C:\\Emu Dir\\plugins"};
}

TEST(Launch, EachTypeGetsItsSwitchesAfterItsQuotedExecutable) {
    const std::string image = ImageArgument("C:\\Games\\Final Fantasy.bin", "C:\\Games\\FINALF~1.BIN");
    EXPECT_EQ(image, "C:\\Games\\FINALF~1.BIN");
    const auto line = [&](const std::string& type, EmuSystem system, LaunchKind kind) {
        return BuildLaunch(Entry(type, system), kind, image).commandLine;
    };
    EXPECT_EQ(line("ePSXe", EmuSystem::PSX, LaunchKind::Plain), "\"C:\\Emu Dir\\emu.exe\"");
    EXPECT_EQ(line("ePSXe", EmuSystem::PSX, LaunchKind::CD), "\"C:\\Emu Dir\\emu.exe\" -nogui");
    EXPECT_EQ(line("ePSXe", EmuSystem::PSX, LaunchKind::Image), "\"C:\\Emu Dir\\emu.exe\" -nogui -loadbin " + image);
    EXPECT_EQ(line("PSXeven", EmuSystem::PSX, LaunchKind::CD), "\"C:\\Emu Dir\\emu.exe\" -runcd");
    EXPECT_EQ(line("PSXeven", EmuSystem::PSX, LaunchKind::Image), "\"C:\\Emu Dir\\emu.exe\" -runiso " + image);
    EXPECT_EQ(line("1964", EmuSystem::N64, LaunchKind::Image), "\"C:\\Emu Dir\\emu.exe\" -f -g " + image);
    EXPECT_EQ(line("Project 64", EmuSystem::N64, LaunchKind::Image), "\"C:\\Emu Dir\\emu.exe\" " + image);
    EXPECT_EQ(line("PCSX", EmuSystem::PSX, LaunchKind::Image), "\"C:\\Emu Dir\\emu.exe\"") << "no switch known";

    const LaunchCommand command = BuildLaunch(Entry("ePSXe", EmuSystem::PSX), LaunchKind::Plain, "");
    EXPECT_EQ(command.application, "C:\\Emu Dir\\emu.exe") << "named, so no C:\\Emu.exe is tried first";
    EXPECT_EQ(command.workingFolder, "C:\\Emu Dir\\");
}

TEST(Launch, AnImageWithoutABlankFreeShortFormIsQuotedWhole) {
    EXPECT_EQ(ImageArgument("C:\\My Games\\a.bin", ""), "\"C:\\My Games\\a.bin\"");
    EXPECT_EQ(ImageArgument("C:\\My Games\\a.bin", "C:\\My Games\\a.bin"), "\"C:\\My Games\\a.bin\"")
        << "8.3 names switched off: the short form still holds the blank";
}

TEST(Launch, OffersFollowTypeSystemAndRunningPrograms) {
    const auto offer = [](const std::string& type, EmuSystem system, bool running = false) {
        const EmulatorEntry entry = Entry(type, system);
        const LaunchOffer o = LaunchOffersOf(&entry, running);
        return std::string(o.plain ? "P" : "-") + (o.cd ? "C" : "-") + (o.image ? "I" : "-");
    };
    EXPECT_EQ(offer("ePSXe", EmuSystem::PSX), "PCI");
    EXPECT_EQ(offer("PCSX", EmuSystem::PSX), "P--");
    EXPECT_EQ(offer("1964", EmuSystem::N64), "P-I");
    EXPECT_EQ(offer("Folder", EmuSystem::PSX), "---");
    EXPECT_EQ(offer("ePSXe", EmuSystem::PSX, true), "---");
    const LaunchOffer none = LaunchOffersOf(nullptr, false);
    EXPECT_FALSE(none.plain || none.cd || none.image) << "the backups";
}
}  // namespace
