// Launching the selected emulator through the session: the command lines,
// the state while it runs, and the profile loaded before a game.
#include "doubles/FakeRegTool.h"
#include "session/LaunchCommands.h"
#include "session/SessionFixture.h"

namespace {
const char* const kEpsxe = "C:\\Emu Dir\\epsxe.exe";

class LaunchCommandsTest : public SessionFixture {
protected:
    // One emulator of the type, selected at start-up.
    void emulator(const std::string& type, EmuSystem system) {
        files.addFile(kEpsxe, "MZ");
        emulators({{"Emu", system, type, kEpsxe, "C:\\Emu Dir\\plugins"}}, 1);
        session.onChange = [this](SessionChange what, EmuSystem) {
            if (what == SessionChange::LaunchBegins || what == SessionChange::LaunchEnded) events.push_back(what);
        };
    }
    std::vector<std::string> commandLines() const {
        std::vector<std::string> lines;
        for (const auto& start : processes.started()) lines.push_back(start.commandLine);
        return lines;
    }
    void profile(const std::string& key, const std::string& gpu) {
        files.addFile("C:\\Corvane\\Configurations\\" + key + ".cfg",
                      std::string(kUtf16Mark) +
                          Utf8ToUtf16("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\epsxe\\"
                                      "config]\r\n\"VideoPlugin\"=\"" + gpu + "\"\r\n[Corvane]\r\nConfigName=P\r\n"));
    }
    LaunchCommands& launches() { return session.launches(); }

    std::vector<SessionChange> events;
};

TEST_F(LaunchCommandsTest, APlainLaunchWaitsForTheEmulatorWithLaunchesOffOrSaysItDidNotStart) {
    emulator("ePSXe", EmuSystem::PSX);
    start();
    bool offWhileRunning = false;
    processes.onRun(kEpsxe, [&](const ProcessStart& start) {
        // A program started meanwhile (a profile saved during a game) must
        // not end the emulator's state.
        session.runProgram(ProcessStart{"C:\\tool.exe", "tool", "", true});
        offWhileRunning = flags.blExternalAppRunning && !session.launchOffers().plain && session.programRunning();
        EXPECT_EQ(start.workingFolder, "C:\\Emu Dir\\");
        return 259ul;  // the code that once meant "still running"
    });
    const auto outcome = launches().launch(LaunchKind::Plain);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->exitCode, 259ul) << "an exit code of 259 ends the wait like any other";
    EXPECT_TRUE(offWhileRunning);
    EXPECT_EQ(commandLines()[0], "\"C:\\Emu Dir\\epsxe.exe\"");
    EXPECT_EQ(processes.started()[0].application, kEpsxe);
    EXPECT_FALSE(flags.blExternalAppRunning);
    EXPECT_TRUE(session.launchOffers().plain);
    EXPECT_EQ(events, (std::vector<SessionChange>{SessionChange::LaunchBegins, SessionChange::LaunchEnded}));
    EXPECT_TRUE(logHas("Executing \"C:\\Emu Dir\\epsxe.exe\" in PID:100"));
    EXPECT_EQ(files.currentDirectory(), "C:\\Emu Dir\\");

    // An emulator that does not start is named, and the window comes back.
    processes.makeMissing(kEpsxe);
    launches().launch(LaunchKind::Plain);
    EXPECT_EQ(user.last().title, "Emulator Not Started");
    EXPECT_NE(user.last().text.find(kEpsxe), std::string::npos);
    EXPECT_FALSE(flags.blExternalAppRunning);
    EXPECT_EQ(events.back(), SessionChange::LaunchEnded);
}

TEST_F(LaunchCommandsTest, ADiscOrAnImageLoadsItsProfileFirstAndAFailedImportStillStarts) {
    drives.add("Q:\\", DriveType::CdRom);
    files.addFile("Q:\\SYSTEM.CNF", "BOOT = cdrom:\\SLUS_004.26;1\r\n");
    emulator("ePSXe", EmuSystem::PSX);
    profile("SLUS_004.26", "gpuRacing.dll");
    profile("Crash Bandicoot", "gpuCrash.dll");
    files.addFile("C:\\My Games\\Crash Bandicoot.bin");
    files.setShortPath("C:\\My Games\\Crash Bandicoot.bin", "C:\\MYGAME~1\\CRASHB~1.BIN");
    InstallFakeRegTool(processes, registry, files);
    std::string videoAtStart;
    processes.onRun(kEpsxe, [&](const ProcessStart&) {
        videoAtStart = value("Software\\epsxe\\config", "VideoPlugin");
        return 0ul;
    });
    start();
    launches().launch(LaunchKind::CD);
    EXPECT_EQ(videoAtStart, "gpuRacing.dll");
    ASSERT_EQ(commandLines().size(), 2u);
    EXPECT_EQ(commandLines()[0], "\"C:\\windows\\system32\\reg.exe\" import \"C:\\TEMP\\regimport.tmp\"");
    EXPECT_TRUE(processes.started()[0].hidden);
    EXPECT_EQ(commandLines()[1], "\"C:\\Emu Dir\\epsxe.exe\" -nogui");
    EXPECT_TRUE(logHas("Configuration Profile Detected for GameID: SLUS_004.26; Loading..."));

    EXPECT_FALSE(launches().launch(LaunchKind::Image)) << "no file chosen";
    EXPECT_EQ(user.asked, std::vector<std::string>{"Select the file you want to launch:"});
    EXPECT_EQ(commandLines().size(), 2u);
    user.files = {std::string("C:\\My Games\\Crash Bandicoot.bin")};
    launches().launch(LaunchKind::Image);
    EXPECT_EQ(videoAtStart, "gpuCrash.dll");
    EXPECT_TRUE(logHas("Configuration Profile Detected for file: C:\\My Games\\Crash Bandicoot.bin; Loading..."));
    EXPECT_EQ(commandLines().back(), "\"C:\\Emu Dir\\epsxe.exe\" -nogui -loadbin C:\\MYGAME~1\\CRASHB~1.BIN");

    processes.onRun(processes.systemFolder() + "reg.exe", [](const ProcessStart&) { return 1ul; });
    launches().launch(LaunchKind::Image, "C:\\Games\\Crash Bandicoot.bin");
    EXPECT_EQ(user.last().title, "Could Not Load Configuration");
    EXPECT_EQ(commandLines().size(), 6u) << "the import, then the emulator";

    // A disc whose game ID (om:\PSX.EXE) names no file loads nothing.
    files.addFile("Q:\\SYSTEM.CNF", "BOOT = cdrom:\\PSX.EXE;1\r\n");
    files.addFile("C:\\Corvane\\Configurations\\om");
    launches().launch(LaunchKind::CD);
    EXPECT_EQ(commandLines().size(), 7u) << "the emulator alone";
}
}  // namespace
